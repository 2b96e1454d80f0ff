#include "controls/display/ky_info_item.h"

#include "controls/display/accessible_role.h"
#include "controls/display/error_handling.h"
#include "controls/display/frm_info.h"
#include "controls/display/info_layout.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/vb_error.h"

#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>

using display_errors::ignoring_errors;
using forms::Screen;

namespace {

constexpr double attribute_width = 1695;
constexpr double value_left = 2070;

forms::FontRef line_font(bool bold, bool underline = false)
{
    auto font = forms::StdFont::create();
    font->setName(QStringLiteral("Arial Unicode MS"));
    font->setSize(8.25);
    font->setBold(bold);
    font->setUnderline(underline);
    return font;
}

forms::Label* make_label(QWidget* line, const char* name, double left, double top, double width, bool bold)
{
    auto* label = new forms::Label(line, QString::fromLatin1(name));
    label->setBackStyle(forms::Label::Transparent);
    label->setFont(line_font(bold));
    label->setUseMnemonic(false);
    label->Move(left, top, width, 225);
    return label;
}

// "Full info...": a link a person reaches by Tab as well as by mouse, opened by Enter or
// Space or the screen reader's press action, and showing where the focus is.
class InfoLink : public forms::Label {
public:
    explicit InfoLink(QWidget* line) : forms::Label(line, QStringLiteral("lblFullInfo"))
    {
        set_accessible_role(QAccessible::Link);
        setFocusPolicy(Qt::StrongFocus);
    }
    QStringList accessible_actions() const override { return {QAccessibleActionInterface::pressAction()}; }
    void do_accessible_action(const QString& action) override
    {
        if (action == QAccessibleActionInterface::pressAction())
            emit Click();
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
            event->accept();
            emit Click();
            return;
        }
        forms::Label::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override
    {
        forms::Label::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QPen pen(palette().color(QPalette::WindowText), 1, Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void focusInEvent(QFocusEvent* event) override
    {
        forms::Label::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        forms::Label::focusOutEvent(event);
        update();
    }
};

} // namespace

KyInfoItem::KyInfoItem()
{
    give_accessible_role(*this, QAccessible::Row);
    setAccessibleName(QStringLiteral("Information line"));
    lbl_attribute_ = make_label(this, "lblAttribute", 0, 0, attribute_width, true);
    lbl_value_ = make_label(this, "lblValue", value_left, 0, 675, true);
    lbl_value_->setForeColor(forms::syscolor::ButtonText);
    lbl_full_info_ = new InfoLink(this);
    lbl_full_info_->setBackStyle(forms::Label::Transparent);
    lbl_full_info_->setUseMnemonic(false);
    lbl_full_info_->Move(4470, 0, 690, 225);
    lbl_full_info_->setFont(line_font(false, true));
    lbl_full_info_->setForeColor(forms::RGB(0, 0, 255));
    lbl_full_info_->setCaption(QStringLiteral("Full info..."));
    lbl_full_info_->setAutoSize(true);
    lbl_full_info_->setCursor(Qt::PointingHandCursor);
    lbl_full_info_->setVisible(false);
    lbl_check_ = make_label(this, "lblCheck", 2040, 150, 960, true);
    lbl_check_->setAutoSize(true);
    lbl_check_->setVisible(false);
    connect(lbl_full_info_, &forms::Label::Click, this, &KyInfoItem::show_full_info);
    Move(0, 0, 5295, 255);
}

KyInfoItem::~KyInfoItem() = default;

OLE_COLOR KyInfoItem::TitleColor() const { return lbl_attribute_->ForeColor(); }

void KyInfoItem::setTitleColor(OLE_COLOR color)
{
    lbl_attribute_->setForeColor(color);
    ignoring_errors([&] { PropertyChanged(QStringLiteral("TitleColor")); });
}

OLE_COLOR KyInfoItem::ValueColor() const { return lbl_value_->ForeColor(); }
void KyInfoItem::setValueColor(OLE_COLOR color) { lbl_value_->setForeColor(color); }

QString KyInfoItem::AttributeName() const { return lbl_attribute_->Caption(); }

void KyInfoItem::setAttributeName(const QString& name)
{
    lbl_attribute_->setCaption(name);
    setAccessibleName(name);
    ArrangeValue();
}

QString KyInfoItem::Value() const { return lbl_value_->Caption(); }

void KyInfoItem::setValue(const QString& value)
{
    lbl_value_->setCaption(value);
    lbl_value_->setAccessibleName(value);
    QString one_line = value;
    lbl_check_->setCaption(one_line.replace(QStringLiteral("\r\n"), QStringLiteral("  ")));
    ArrangeValue();
}

void KyInfoItem::setIndentation(float twips)
{
    indentation_ = twips;
    lbl_attribute_->setWidth(indentation_ + attribute_width);
    lbl_value_->setLeft(indentation_ + value_left);
}

void KyInfoItem::Refresh() { ArrangeValue(); }

float KyInfoItem::MinAvailableWidth() const
{
    return static_cast<float>(lbl_value_->Left() + lbl_full_info_->Width() + 3 * Screen::TwipsPerPixelX());
}

void KyInfoItem::setBackColor(OLE_COLOR color)
{
    back_color_ = color;
    update();
}

void KyInfoItem::Move(double left, double top, double width, double height)
{
    const bool resized = width != twips_.width() || height != twips_.height();
    twips_ = QRectF(left, top, std::max(0.0, width), std::max(0.0, height));
    const int x = Screen::to_pixels_x(twips_.left());
    const int y = Screen::to_pixels_y(twips_.top());
    setGeometry(x, y, Screen::to_pixels_x(twips_.right()) - x, Screen::to_pixels_y(twips_.bottom()) - y);
    if (resized)
        ArrangeValue();
}

namespace {

// The value label is one line high: whatever follows a line break is out of sight.
bool several_lines(const QString& value)
{
    return value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'));
}

} // namespace

void KyInfoItem::ArrangeValue()
{
    const info_layout::ValueArrangement a = info_layout::arrange_value(
        static_cast<float>(Width()), static_cast<float>(lbl_value_->Left()),
        static_cast<float>(lbl_full_info_->Width()), static_cast<float>(lbl_check_->Width()), Screen::TwipsPerPixelX(),
        several_lines(lbl_value_->Caption()));
    if (a.value_width)
        lbl_value_->setWidth(*a.value_width);
    if (a.link_left)
        lbl_full_info_->setLeft(*a.link_left);
    if (a.link_visible)
        lbl_full_info_->setVisible(*a.link_visible);
}

void KyInfoItem::show_full_info()
{
    // The detail window is modal over the line's window: while it is open the host's events
    // run, and a host that unloads its form meanwhile takes that window (and this line) along.
    const QPointer<frmInfo> window = new frmInfo();
    // The line going (its form unloaded) closes its detail window, as its owner went.
    connect(this, &QObject::destroyed, window, &QDialog::reject);
    ignoring_errors([&] { window->ShowInfo(lbl_attribute_->Caption(), lbl_value_->Caption(), this); });
    delete window.data();
}

void KyInfoItem::ReadProperties(forms::PropertyBag& bag)
{
    setTitleColor(bag.ReadProperty(QStringLiteral("TitleColor"), lbl_attribute_->ForeColor()).toUInt());
    ignoring_errors([&] { setBackColor(Ambient().BackColor()); });
}

void KyInfoItem::WriteProperties(forms::PropertyBag& bag)
{
    bag.WriteProperty(QStringLiteral("TitleColor"), lbl_attribute_->ForeColor(), forms::syscolor::WindowText);
}

void KyInfoItem::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), forms::resolve_color(back_color_, palette()));
}
