#include "controls/wizard/navigator_buton_set_page.h"

#include "controls/display/page_fields.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"

namespace {

constexpr int kButtons = ButtonSetEditor::kButtons;

const char* const kRules[] = {"None", "Back", "Next", "Cancel", "Help", "Exit", "Finish"};

// The navigator's property of one button: "LeftButton" + "Caption".
QString member(const forms::CommandButton& preview, const char* part) { return preview.Name() + QLatin1String(part); }

int check_of(const QVariant& value) { return page_fields::check_value(value); }

// Checks the column the navigator names by position (1 to 4); any other value checks none.
void check_position(forms::PropertyPage& page, const QString& property, forms::CheckBox& (ButtonSetEditor::*box)(int) const,
                    const ButtonSetEditor& editor)
{
    const int position = forms::CLng(page.get(property));
    if (position >= 1 && position <= kButtons)
        (editor.*box)(position - 1).setValue(forms::CheckBox::Checked);
}

} // namespace

NavigatorButonSet::NavigatorButonSet(QWidget* parent) : forms::PropertyPage(parent)
{
    page_fields::prepare(*this, QStringLiteral("Default Button Set"), 5925, 3495);
    auto* frame = new forms::Frame(this, QStringLiteral("fraButtonSet"));
    // Tall enough that the Cancel row stands inside the frame, clear of its bottom border.
    frame->Move(120, 60, 5685, 2475);
    editor_ = new ButtonSetEditor(*this, *frame,
                                  {QStringLiteral("LeftButton"), QStringLiteral("LeftMiddleButton"),
                                   QStringLiteral("RightMiddleButton"), QStringLiteral("RightButton")},
                                  {660, 1005, 1380, {1635, 1635, 1635, 1635}, 1890, {2145, 2145, 2145, 2145}});
    build_finish_section();
}

void NavigatorButonSet::build_finish_section()
{
    auto* frame = new forms::Frame(this, QStringLiteral("Frame1"));
    frame->Move(120, 2565, 5685, 915);
    auto labelled = [frame](forms::IntrinsicControl& field, const QString& text, double left, double width) {
        field.Move(left, 435, width, 315);
        auto* label = new forms::Label(frame, QStringLiteral("lbl") + field.Name().mid(3), text);
        label->Move(left, 165, width, 255);
        field.set_label_name(text);
    };
    finish_caption_ = new forms::TextBox(frame, QStringLiteral("txtFinishCaption"));
    labelled(*finish_caption_, QStringLiteral("Finish Caption"), 120, 1140);
    finish_rule_ = new forms::ComboBox(frame, QStringLiteral("cboFinishRule"), forms::ComboBox::DropdownList);
    labelled(*finish_rule_, QStringLiteral("Finish Rule"), 1350, 900);
    for (const char* rule : kRules)
        finish_rule_->AddItem(QString::fromLatin1(rule));
    finish_position_ = new forms::ComboBox(frame, QStringLiteral("cboFinishPosition"), forms::ComboBox::DropdownList);
    labelled(*finish_position_, QStringLiteral("Finish Position"), 2340, 2160);
    for (const char* position : {"Left Button", "Left Middle Button", "Right Middle Button", "Right Button"})
        finish_position_->AddItem(QString::fromLatin1(position));
    finish_visible_ = new forms::CheckBox(frame, QStringLiteral("chkFinishVisible"), QStringLiteral("Visible"));
    finish_visible_->Move(4590, 180, 1050, 255);
    finish_enabled_ = new forms::CheckBox(frame, QStringLiteral("chkFinishEnabled"), QStringLiteral("Enabled"));
    finish_enabled_->Move(4590, 495, 1050, 255);
    page_fields::mark_changed_by(*this,
                                 {finish_caption_, finish_rule_, finish_position_, finish_visible_, finish_enabled_});
}

void NavigatorButonSet::SelectionChanged()
{
    editor_->commit_rule();
    ButtonSetEditor& e = *editor_;
    for (int b = 0; b < kButtons; ++b)
        e.caption(b).setText(forms::CStr(get(member(e.preview(b), "Caption"))));
    for (int b = 0; b < kButtons; ++b)
        e.rule(b).setListIndex(forms::CInt(get(member(e.preview(b), "Rule"))));
    for (int b = 0; b < kButtons; ++b) {
        e.show_enabled(b, check_of(get(member(e.preview(b), "Enabled"))) == 1);
        e.show_visible(b, check_of(get(member(e.preview(b), "Visible"))) == 1);
    }
    check_position(*this, QStringLiteral("DefaultButton"), &ButtonSetEditor::isDefault, e);
    check_position(*this, QStringLiteral("CancelButton"), &ButtonSetEditor::cancel, e);
    finish_caption_->setText(forms::CStr(get(QStringLiteral("FinishCaption"))));
    finish_rule_->setListIndex(forms::CInt(get(QStringLiteral("FinishRule"))));
    // FinishPosition 0 (no button) leaves the list without a selection.
    finish_position_->setListIndex(forms::CInt(get(QStringLiteral("FinishPosition"))) - 1);
    finish_enabled_->setValue(check_of(get(QStringLiteral("FinishEnabled"))));
    finish_visible_->setValue(check_of(get(QStringLiteral("FinishVisible"))));
}

void NavigatorButonSet::ApplyChanges()
{
    editor_->commit_rule();
    const ButtonSetEditor& e = *editor_;
    for (int b = 0; b < kButtons; ++b) {
        let(member(e.preview(b), "Caption"), e.caption(b).Text());
        let(member(e.preview(b), "Rule"), static_cast<qint16>(e.rule(b).ListIndex()));
        let(member(e.preview(b), "Visible"), page_fields::checked(e.visible(b)));
        let(member(e.preview(b), "Enabled"), page_fields::checked(e.enabled(b)));
    }
    let(QStringLiteral("FinishCaption"), finish_caption_->Text());
    let(QStringLiteral("FinishPosition"), static_cast<qint16>(finish_position_->ListIndex() + 1));
    let(QStringLiteral("FinishRule"), finish_rule_->ListIndex());
    let(QStringLiteral("FinishEnabled"), page_fields::checked(*finish_enabled_));
    let(QStringLiteral("FinishVisible"), page_fields::checked(*finish_visible_));
    // The columns keep one Default and one Cancel box at most, so one position is written.
    let(QStringLiteral("CancelButton"), static_cast<std::int32_t>(e.cancel_column() + 1));
    let(QStringLiteral("DefaultButton"), static_cast<std::int32_t>(e.default_column() + 1));
}

void NavigatorButonSet::Paint() { editor_->place_frame_lines(); }
