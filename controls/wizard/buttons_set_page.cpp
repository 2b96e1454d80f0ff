#include "controls/wizard/buttons_set_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/check_box.h"
#include "platform/forms/frame.h"
#include "platform/forms/conversions.h"
#include "platform/forms/late_binding.h"

ButtonsSet::ButtonsSet(QWidget* parent)
    : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("Buttons Set"), 5925, 3495);
    frame_ = new forms::Frame(this, QStringLiteral("fraButtonSet"));
    frame_->Move(120, 180, 5685, 2895);
    editor_ = new ButtonSetEditor(*this, *frame_,
                                  {QStringLiteral("LeftButton"), QStringLiteral("LeftMiddleButton"),
                                   QStringLiteral("RightMiddleButton"), QStringLiteral("RightButton")});
    use_default_ = new forms::CheckBox(this, QStringLiteral("chkUseDefaultButtonSet"),
                                       QStringLiteral("&Use default button set"));
    use_default_->Move(120, 3150, 5685, 285);
    use_default_->setValue(forms::CheckBox::Checked);
    // The editor takes input exactly while the switch is unchecked.
    frame_->setEnabled(false);
    connect(use_default_, &forms::IntrinsicControl::Click, this, [this] {
        frame_->setEnabled(use_default_->Value() == forms::CheckBox::Unchecked);
        setChanged(true);
    });
}

void ButtonsSet::SelectionChanged()
{
    editor_->load(first_selected());
    use_default_->setValue(
        forms::CBool(forms::get(first_selected(), QStringLiteral("UseDefaultButtonSet"))) ? forms::CheckBox::Checked
                                                                                          : forms::CheckBox::Unchecked);
}

void ButtonsSet::ApplyChanges()
{
    forms::let(first_selected(), QStringLiteral("UseDefaultButtonSet"), page_fields::checked(*use_default_));
    editor_->apply(first_selected());
}

void ButtonsSet::Paint() { editor_->place_frame_lines(); }
