#include "controls/wizard/buttons_set_page.h"

#include "controls/display/page_fields.h"
#include "controls/wizard/ky_wizard_tab.h"
#include "controls/wizard/page_buttons.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

ButtonsSet::ButtonsSet(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("Buttons Set"), 5925, 3495);
    frame_ = new forms::Frame(this, QStringLiteral("fraButtonSet"));
    frame_->Move(120, 180, 5685, 2895);
    editor_ = new ButtonSetEditor(*this, *frame_,
                                  {QStringLiteral("LeftButton"), QStringLiteral("LeftMiddleButton"),
                                   QStringLiteral("RightMiddleButton"), QStringLiteral("RightButton")},
                                  {720, 1170, 1590, {1905, 1905, 1890, 1890}, 2220, {2535, 2550, 2535, 2535}});
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

namespace {

constexpr int kButtons = ButtonSetEditor::kButtons;

PageButtons record_of(forms::PropertyPage& page, const QString& button)
{
    return page.get(button).value<PageButtons>();
}

int check_of(bool on) { return on ? forms::CheckBox::Checked : forms::CheckBox::Unchecked; }


} // namespace

void ButtonsSet::SelectionChanged()
{
    editor_->commit_rule();
    ButtonSetEditor& e = *editor_;
    for (int b = 0; b < kButtons; ++b)
        e.rule(b).setListIndex(record_of(*this, e.preview(b).Name()).Rule);
    for (int b = 0; b < kButtons; ++b)
        e.caption(b).setText(record_of(*this, e.preview(b).Name()).Caption);
    for (int b = 0; b < kButtons; ++b)
        e.show_visible(b, record_of(*this, e.preview(b).Name()).Visible);
    for (int b = 0; b < kButtons; ++b)
        e.show_enabled(b, record_of(*this, e.preview(b).Name()).Enabled);
    for (int b = 0; b < kButtons; ++b)
        e.isDefault(b).setValue(check_of(record_of(*this, e.preview(b).Name()).Default));
    for (int b = 0; b < kButtons; ++b)
        e.cancel(b).setValue(check_of(record_of(*this, e.preview(b).Name()).Cancel));
    use_default_->setValue(forms::CBool(get(QStringLiteral("UseDefaultButtonSet")))
                               ? forms::CheckBox::Checked
                               : forms::CheckBox::Unchecked);
}

void ButtonsSet::ApplyChanges()
{
    editor_->commit_rule();
    let(QStringLiteral("UseDefaultButtonSet"), page_fields::checked(*use_default_));
    const ButtonSetEditor& e = *editor_;
    for (int b = 0; b < kButtons; ++b) {
        PageButtons record;
        record.Caption = e.caption(b).Text();
        record.Visible = page_fields::checked(e.visible(b));
        record.Enabled = page_fields::checked(e.enabled(b));
        record.Rule = e.rule(b).ListIndex();
        record.Default = page_fields::checked(e.isDefault(b));
        record.Cancel = page_fields::checked(e.cancel(b));
        let(e.preview(b).Name(), QVariant::fromValue(record));
    }
    // A checked column gives the position its rule gives, now that every record holds its
    // new rule; no checked column is no button.
    const int checked_cancel = e.cancel_column(), checked_default = e.default_column();
    if (checked_cancel >= 0)
        call(QStringLiteral("SetCancelButton"), {e.rule(checked_cancel).ListIndex()});
    if (checked_default >= 0)
        call(QStringLiteral("SetDefaultButton"), {e.rule(checked_default).ListIndex()});
    if (checked_cancel < 0 || checked_default < 0)
        if (auto* control = qobject_cast<KyWizardTab*>(first_selected()))
            control->clear_default_and_cancel(checked_default < 0, checked_cancel < 0);
}

void ButtonsSet::Paint() { editor_->place_frame_lines(); }
