#include "platform/forms/option_button.h"

#include "platform/forms/input_events.h"
#include "platform/forms/toggle_painting.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace forms {

OptionButton::OptionButton(QWidget* container, const QString& name, const QString& caption)
    : IntrinsicControl(container, name, QAccessible::RadioButton)
{
    setFocusPolicy(Qt::StrongFocus);
    setCaption(caption);
}

void OptionButton::setCaption(const QString& caption)
{
    caption_ = caption;
    setAccessibleName(caption.isEmpty() ? Name() : strip_mnemonic(caption));
    set_access_key(caption);
    update();
}

void OptionButton::access_key_pressed()
{
    setFocus(Qt::ShortcutFocusReason);
    setValue(true);
}

void OptionButton::setValue(bool on)
{
    if (on == value_)
        return;
    value_ = on;
    update();
    if (!on)
        return;
    if (parentWidget() != nullptr)
        for (auto* other : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly))
            if (other != this)
                other->setValue(false);
    emit Click();
}

void OptionButton::paintEvent(QPaintEvent* event)
{
    (void)event;
    paint_toggle(*this, QStyle::CE_RadioButton, value_ ? QStyle::State_On : QStyle::State_Off, caption_, back_qcolor(),
                 fore_qcolor());
}

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    short typed = 0;
    if (raise_key_down(*event) && raise_key_press(*event, typed) && typed == keycode::Space)
        setValue(true);
}

void OptionButton::mouseReleaseEvent(QMouseEvent* event)
{
    emit MouseUp(mouse_button(*event), shift_state(*event), twips_x(event->position().toPoint()),
                 twips_y(event->position().toPoint()));
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        setValue(true);
}

} // namespace forms
