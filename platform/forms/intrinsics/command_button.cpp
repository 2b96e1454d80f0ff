#include "platform/forms/intrinsics/command_button.h"

#include "platform/forms/hosting/input_events.h"

#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

namespace forms {

CommandButton::CommandButton(QWidget* container, const QString& name, const QString& caption)
    : CaptionedControl(container, name, QAccessible::Button, caption)
{
}

void CommandButton::access_key_pressed()
{
    setFocus(Qt::ShortcutFocusReason);
    emit Click();
}

QStringList CommandButton::accessible_actions() const { return {QAccessibleActionInterface::pressAction()}; }

void CommandButton::add_accessible_state(QAccessible::State& state) const { state.defaultButton = default_; }

void CommandButton::do_accessible_action(const QString& action)
{
    if (action == QAccessibleActionInterface::pressAction())
        emit Click();
}

void CommandButton::clear_flag_on_others(bool CommandButton::*flag)
{
    for (auto* other : window()->findChildren<CommandButton*>())
        if (other != this && other->*flag) {
            other->*flag = false;
            other->update();
        }
}

void CommandButton::setDefault(bool on)
{
    if (on)
        clear_flag_on_others(&CommandButton::default_);
    const bool changed = default_ != on;
    default_ = on;
    update();
    if (changed && QAccessible::isActive()) {
        QAccessible::State state;
        state.defaultButton = true;
        QAccessibleStateChangeEvent event(this, state);
        QAccessible::updateAccessibility(&event);
    }
}

void CommandButton::setCancel(bool on)
{
    if (on)
        clear_flag_on_others(&CommandButton::cancel_);
    cancel_ = on;
}

void CommandButton::setValue(bool press)
{
    if (press)
        emit Click();
}

bool CommandButton::press_access_key(QWidget* scope, int key_ascii)
{
    if (scope == nullptr || (key_ascii != keycode::Return && key_ascii != keycode::Escape))
        return false;
    for (auto* button : scope->findChildren<CommandButton*>()) {
        const bool chosen = key_ascii == keycode::Return ? button->Default() : button->Cancel();
        if (chosen && button->isVisible() && button->isEnabled()) {
            emit button->Click();
            return true;
        }
    }
    return false;
}

QSize CommandButton::sizeHint() const { return QSize(75, 23); }

void CommandButton::paintEvent(QPaintEvent* event)
{
    (void)event;
    QStyleOptionButton option;
    option.initFrom(this);
    option.text = Caption();
    if (pressed_)
        option.state |= QStyle::State_Sunken;
    else
        option.state |= QStyle::State_Raised;
    if (default_ || hasFocus())
        option.features |= QStyleOptionButton::DefaultButton;
    option.palette.setColor(QPalette::Button, back_qcolor());
    option.palette.setColor(QPalette::ButtonText, fore_qcolor());
    QPainter painter(this);
    style()->drawControl(QStyle::CE_PushButton, &option, &painter, this);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    short typed = 0;
    if (!raise_key_down(*event) || !raise_key_press(*event, typed))
        return;
    if (typed == keycode::Space && !event->isAutoRepeat()) {
        pressed_ = true;
        update();
    } else if (typed == keycode::Return) {
        emit Click();
    } else if (typed == keycode::Escape) {
        // Esc belongs to the form, which presses its Cancel control.
        event->ignore();
    }
}

void CommandButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!raise_key_up(*event))
        return;
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && pressed_) {
        pressed_ = false;
        update();
        emit Click();
    }
}

void CommandButton::mousePressEvent(QMouseEvent* event)
{
    IntrinsicControl::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        setFocus(Qt::MouseFocusReason);
        update();
    }
}

void CommandButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool was_pressed = pressed_ && event->button() == Qt::LeftButton;
    if (event->button() == Qt::LeftButton) {
        pressed_ = false;
        update();
    }
    emit MouseUp(mouse_button(*event), shift_state(*event), twips_x(event->position().toPoint()),
                 twips_y(event->position().toPoint()));
    if (was_pressed && rect().contains(event->position().toPoint()))
        emit Click();
}

// A button has no double click: the second press of a quick pair is a press like the first, so
// its release clicks again (Next clicked twice goes two pages on).
void CommandButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CommandButton::focusInEvent(QFocusEvent* event)
{
    IntrinsicControl::focusInEvent(event);
    update();
}

void CommandButton::focusOutEvent(QFocusEvent* event)
{
    IntrinsicControl::focusOutEvent(event);
    pressed_ = false;
    update();
}

} // namespace forms
