#include "platform/forms/option_button.h"

#include "platform/forms/toggle_painting.h"

namespace forms {

OptionButton::OptionButton(QWidget* container, const QString& name, const QString& caption)
    : ToggleControl(container, name, QAccessible::RadioButton, caption)
{
}

void OptionButton::setValue(bool on)
{
    if (on == value_)
        return;
    value_ = on;
    update();
    checked_state_changed();
    if (!on)
        return;
    if (parentWidget() != nullptr)
        for (auto* other : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly))
            if (other != this)
                other->setValue(false);
    emit Click();
}

void OptionButton::add_accessible_state(QAccessible::State& state) const
{
    state.checkable = true;
    state.checked = value_;
}

void OptionButton::paintEvent(QPaintEvent* event)
{
    (void)event;
    paint_toggle(*this, QStyle::CE_RadioButton, value_ ? QStyle::State_On : QStyle::State_Off, Caption(), back_qcolor(),
                 fore_qcolor());
}

} // namespace forms
