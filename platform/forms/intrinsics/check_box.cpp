#include "platform/forms/intrinsics/check_box.h"

#include "platform/forms/intrinsics/toggle_painting.h"
#include "platform/forms/core/vb_error.h"

namespace forms {

CheckBox::CheckBox(QWidget* container, const QString& name, const QString& caption)
    : ToggleControl(container, name, QAccessible::CheckBox, caption)
{
}

void CheckBox::setValue(int value)
{
    if (value < Unchecked || value > Grayed)
        forms::raise(vberr::InvalidPropertyValue, QStringLiteral("CheckBox"));
    if (value == value_)
        return;
    value_ = value;
    update();
    checked_state_changed();
    emit Click();
}

void CheckBox::add_accessible_state(QAccessible::State& state) const
{
    state.checkable = true;
    state.checked = value_ == Checked;
    state.checkStateMixed = value_ == Grayed;
}

void CheckBox::paintEvent(QPaintEvent* event)
{
    (void)event;
    const QStyle::State state = value_ == Checked  ? QStyle::State_On
                                : value_ == Grayed ? QStyle::State_NoChange
                                                   : QStyle::State_Off;
    paint_toggle(*this, QStyle::CE_CheckBox, state, Caption(), back_qcolor(), fore_qcolor());
}

} // namespace forms
