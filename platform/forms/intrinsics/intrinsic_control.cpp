#include "platform/forms/intrinsics/intrinsic_control.h"

#include "platform/forms/hosting/accessible_widget.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/hosting/input_events.h"
#include "platform/forms/core/screen.h"

#include <QAccessibleValueInterface>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <mutex>

#include <utility>

namespace forms {

namespace {
// Assistive tools see each intrinsic control with its own role, state and actions rather
// than Qt's generic "client" of a custom widget.
class IntrinsicAccessible : public AccessibleWidget, public QAccessibleValueInterface {
public:
    explicit IntrinsicAccessible(IntrinsicControl* control) : AccessibleWidget(control, control->accessible_role()) {}

    // The control's role as it is now: one made for another part (a label that is a link)
    // may have been read before it took that part.
    QAccessible::Role role() const override { return control().accessible_role(); }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return control().accessible_value() ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
        return AccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return value_part(&IntrinsicControl::AccessibleValue::current); }
    // A value an assistive tool sets is the user's input too: it takes the same road.
    void setCurrentValue(const QVariant& value) override
    {
        QPointer<IntrinsicControl> target(&control());
        const double wanted = value.toDouble();
        deliver_user_input(control(), [target, wanted] {
            if (target)
                target->set_accessible_value(wanted);
        });
    }
    QVariant maximumValue() const override { return value_part(&IntrinsicControl::AccessibleValue::maximum); }
    QVariant minimumValue() const override { return value_part(&IntrinsicControl::AccessibleValue::minimum); }
    QVariant minimumStepSize() const override { return 1; }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        control().add_accessible_state(state);
        return state;
    }
    QStringList actionNames() const override
    {
        const QStringList own = control().isEnabled() ? control().accessible_actions() : QStringList();
        return own + QAccessibleWidget::actionNames();
    }
    // An assistive tool's Press or Toggle is the user's click: it takes the road the click
    // takes (refused where the click could not land, held while the runtime holds input).
    void doAction(const QString& action) override
    {
        if (!control().accessible_actions().contains(action)) {
            QAccessibleWidget::doAction(action);
            return;
        }
        QPointer<IntrinsicControl> target(&control());
        deliver_user_input(control(), [target, action] {
            if (target && target->accessible_actions().contains(action))
                target->do_accessible_action(action);
        });
    }

private:
    IntrinsicControl& control() const { return *static_cast<IntrinsicControl*>(widget()); }
    QVariant value_part(double IntrinsicControl::AccessibleValue::*part) const
    {
        const auto value = control().accessible_value();
        return value ? QVariant((*value).*part) : QVariant();
    }
};

QAccessibleInterface* intrinsic_accessible(const QString& key, QObject* object)
{
    (void)key;
    auto* control = qobject_cast<IntrinsicControl*>(object);
    return control ? new IntrinsicAccessible(control) : nullptr;
}
} // namespace

QString strip_mnemonic(const QString& caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        text += caption[i];
    }
    return text;
}

IntrinsicControl::IntrinsicControl(QWidget* container, const QString& name, QAccessible::Role role)
    : QWidget(container), role_(role)
{
    static std::once_flag accessible_factory;
    std::call_once(accessible_factory, [] { QAccessible::installFactory(intrinsic_accessible); });
    setObjectName(name);
    setAutoFillBackground(false);
    // MouseMove follows every move of the pointer over the control, not only drags.
    setMouseTracking(true);
    setFont(FontRef{});
}

IntrinsicControl::~IntrinsicControl() = default;

void IntrinsicControl::set_access_key(const QString& caption)
{
    const QKeySequence key = QKeySequence::mnemonic(caption);
    if (key.isEmpty()) {
        delete access_key_;
        access_key_ = nullptr;
        return;
    }
    if (access_key_ == nullptr) {
        // Qt matches a window shortcut only while its widget is visible and enabled.
        access_key_ = new QShortcut(this);
        access_key_->setContext(Qt::WindowShortcut);
        connect(access_key_, &QShortcut::activated, this, [this] { access_key_pressed(); });
    }
    access_key_->setKey(key);
}

void IntrinsicControl::set_label_name(const QString& words)
{
    setAccessibleName(words);
    if (focusProxy() != nullptr)
        focusProxy()->setAccessibleName(words);
}

void IntrinsicControl::setVisible(bool visible)
{
    visible_ = visible;
    QWidget::setVisible(visible);
}

void IntrinsicControl::Move(double left, double top, double width, double height)
{
    twips_ = QRectF(left, top, std::max(0.0, width), std::max(0.0, height));
    apply_geometry();
    appearance_changed();
}

void IntrinsicControl::set_twips_rect(const QRectF& twips)
{
    twips_ = twips;
    apply_geometry();
}

void IntrinsicControl::apply_geometry()
{
    const int x = Screen::to_pixels_x(twips_.left());
    const int y = Screen::to_pixels_y(twips_.top());
    setGeometry(x, y, Screen::to_pixels_x(twips_.right()) - x, Screen::to_pixels_y(twips_.bottom()) - y);
}

void IntrinsicControl::ZOrder(int position)
{
    if (position == 0)
        raise();
    else
        lower();
}

void IntrinsicControl::setBackColor(OLE_COLOR color)
{
    back_color_ = color;
    appearance_changed();
}

void IntrinsicControl::setForeColor(OLE_COLOR color)
{
    fore_color_ = color;
    appearance_changed();
}

void IntrinsicControl::setFont(const FontRef& font)
{
    QObject::disconnect(font_connection_);
    font_ = font ? font : StdFont::create();
    font_connection_ = connect(font_.get(), &StdFont::FontChanged, this, [this] { font_changed(); });
    font_changed();
}

void IntrinsicControl::hold_picture(PictureRef& held, QMetaObject::Connection& connection, const PictureRef& picture)
{
    QObject::disconnect(connection);
    held = picture ? picture : StdPicture::create();
    connection = connect(held.get(), &StdPicture::PictureChanged, this, [this] { appearance_changed(); });
    appearance_changed();
}

void IntrinsicControl::font_changed()
{
    QWidget::setFont(font_->to_qfont());
    appearance_changed();
}

QColor IntrinsicControl::back_qcolor() const { return resolve_color(back_color_, palette()); }
QColor IntrinsicControl::fore_qcolor() const { return resolve_color(fore_color_, palette()); }

bool IntrinsicControl::raise_key_down(const QKeyEvent& event)
{
    short code = key_code(event);
    short shift = shift_state(event);
    emit KeyDown(code, shift);
    return code != 0 || key_code(event) == 0;
}

bool IntrinsicControl::raise_key_press(const QKeyEvent& event, short& typed)
{
    typed = key_ascii(event);
    if (typed == 0)
        return true;
    emit KeyPress(typed);
    return typed != 0;
}

bool IntrinsicControl::raise_key_up(const QKeyEvent& event)
{
    short code = key_code(event);
    short shift = shift_state(event);
    emit KeyUp(code, shift);
    return code != 0 || key_code(event) == 0;
}

void IntrinsicControl::forward_input_of(QWidget* inner)
{
    inner->installEventFilter(this);
    inner->setMouseTracking(true);
    setFocusProxy(inner);
}

bool IntrinsicControl::handled_by(QWidget* inner, QEvent* event)
{
    // The inner widget takes the key here and now; a key it leaves unused must not go on to
    // this control, which has raised it already. Enter and Esc that it leaves unused (a
    // single-line box, a closed list) go on to the containers and the window, as on every
    // desktop: a dialog presses its default or cancel button. A multi-line box or an open
    // list uses them itself.
    static_cast<QObject*>(inner)->event(event);
    if (!event->isAccepted() && event->type() == QEvent::KeyPress && parentWidget() != nullptr && !isWindow()) {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
            QCoreApplication::sendEvent(parentWidget(), event);
    }
    event->accept();
    return true;
}

bool IntrinsicControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == this || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    auto* inner = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!raise_key_down(key))
            return true;
        short typed = 0;
        if (!raise_key_press(key, typed))
            return true;
        if (typed != key_ascii(key)) {
            retype(typed);
            return true;
        }
        return handled_by(inner, event);
    }
    case QEvent::KeyRelease:
        if (!raise_key_up(static_cast<const QKeyEvent&>(*event)))
            return true;
        return handled_by(inner, event);
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        auto& mouse = static_cast<QMouseEvent&>(*event);
        const QPoint at = inner->mapTo(this, mouse.position().toPoint());
        if (event->type() == QEvent::MouseButtonPress)
            emit MouseDown(mouse_button(mouse), shift_state(mouse), twips_x(at), twips_y(at));
        else if (event->type() == QEvent::MouseMove)
            emit MouseMove(mouse_buttons_held(mouse), shift_state(mouse), twips_x(at), twips_y(at));
        else
            emit MouseUp(mouse_button(mouse), shift_state(mouse), twips_x(at), twips_y(at));
        return false;
    }
    default: return false;
    }
}

void IntrinsicControl::keyPressEvent(QKeyEvent* event)
{
    short typed = 0;
    if (raise_key_down(*event))
        raise_key_press(*event, typed);
    event->accept();
}

void IntrinsicControl::keyReleaseEvent(QKeyEvent* event)
{
    raise_key_up(*event);
    event->accept();
}

void IntrinsicControl::mousePressEvent(QMouseEvent* event)
{
    emit MouseDown(mouse_button(*event), shift_state(*event), twips_x(event->position().toPoint()),
                   twips_y(event->position().toPoint()));
}

void IntrinsicControl::mouseMoveEvent(QMouseEvent* event)
{
    emit MouseMove(mouse_buttons_held(*event), shift_state(*event), twips_x(event->position().toPoint()),
                   twips_y(event->position().toPoint()));
}

void IntrinsicControl::mouseReleaseEvent(QMouseEvent* event)
{
    // A double click is MouseDown, MouseUp, Click, DblClick, MouseUp: the release that ends it
    // clicks no second time.
    const bool ends_double_click = std::exchange(double_clicked_, false);
    const bool clicks = !ends_double_click && event->button() == Qt::LeftButton &&
                        rect().contains(event->position().toPoint());
    emit MouseUp(mouse_button(*event), shift_state(*event), twips_x(event->position().toPoint()),
                 twips_y(event->position().toPoint()));
    if (clicks)
        emit Click();
}

void IntrinsicControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    double_clicked_ = true;
    emit DblClick();
}

} // namespace forms
