// KyWizardTab: the page's own set of the four wizard buttons, its About box and its
// design-time captions file.

#include "controls/wizard/captions_file.h"
#include "controls/wizard/frm_about.h"
#include "controls/wizard/ky_wizard_tab.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/core/vb_error.h"

#include <cstdlib>

namespace {

// The persisted key prefix of each position (kyBPLeft .. kyBPRight).
const char* const kPrefix[] = {"LB", "LMB", "RMB", "RB"};

QString field_key(std::int32_t position, const char* field)
{
    return QString::fromLatin1(kPrefix[position - 1]) + QString::fromLatin1(field);
}

} // namespace

const KyWizardTab::ButtonField& KyWizardTab::field(std::int32_t position) const
{
    if (position < kyBPLeft || position > kyBPRight)
        forms::raise(forms::vberr::SubscriptOutOfRange);
    return buttons_[static_cast<std::size_t>(position - 1)];
}

KyWizardTab::ButtonField& KyWizardTab::field(std::int32_t position)
{
    return const_cast<ButtonField&>(std::as_const(*this).field(position));
}

void KyWizardTab::setButtonVisible(std::int32_t position, bool value)
{
    handled(field_key(position, "Visible (Let)"), [&] {
        field(position).Visible = value;
        PropertyChanged(field_key(position, "Visible"));
    });
}

void KyWizardTab::setButtonEnabled(std::int32_t position, bool value)
{
    handled(field_key(position, "Enabled (Let)"), [&] {
        field(position).Enabled = value;
        PropertyChanged(field_key(position, "Enabled"));
    });
}

void KyWizardTab::setButtonCaption(std::int32_t position, const QString& value)
{
    handled(field_key(position, "Caption (Let)"), [&] {
        field(position).Caption = value;
        PropertyChanged(field_key(position, "Caption"));
    });
}

void KyWizardTab::setButtonRule(std::int32_t position, std::int32_t value)
{
    handled(field_key(position, "Rule (Let)"), [&] {
        field(position).Rule = value;
        PropertyChanged(field_key(position, "Rule"));
    });
}

PageButtons KyWizardTab::button_record(std::int32_t position) const
{
    const ButtonField& f = field(position);
    return PageButtons{
        f.Visible, f.Enabled, f.Caption, f.Rule, position, default_button_ == position, cancel_button_ == position};
}

void KyWizardTab::set_button_record(std::int32_t position, const PageButtons& record)
{
    static const char* const labels[] = {"LeftButton (Let)", "LeftMiddleButton (Let)", "RightMiddleButton (Let)",
                                         "RightButton (Let)"};
    const QString label = position >= kyBPLeft && position <= kyBPRight ? QString::fromLatin1(labels[position - 1])
                                                                        : QStringLiteral("Button (Let)");
    handled(label, [&] {
        (void)field(position);
        setButtonVisible(position, record.Visible);
        setButtonEnabled(position, record.Enabled);
        setButtonCaption(position, record.Caption);
        setButtonRule(position, record.Rule);
        if (record.Default)
            SetDefaultButton(record.Rule);
        if (record.Cancel)
            SetCancelButton(record.Rule);
    });
}

std::int32_t KyWizardTab::rightmost_position_with_rule(std::int32_t rule) const
{
    std::int32_t found = kyBPNone;
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
        if (field(position).Rule == rule)
            found = position;
    return found;
}

// A position without a rule (kyBRNone) is a button like any other: the welcome and finish
// pages put their Cancel there.
void KyWizardTab::SetDefaultButton(std::int32_t lRule)
{
    handled(QStringLiteral("SetDefaultButton"), [&] {
        default_button_ = rightmost_position_with_rule(lRule);
        PropertyChanged(QStringLiteral("DefaultButton"));
    });
}

void KyWizardTab::SetCancelButton(std::int32_t lRule)
{
    handled(QStringLiteral("SetCancelButton"), [&] {
        cancel_button_ = rightmost_position_with_rule(lRule);
        PropertyChanged(QStringLiteral("CancelButton"));
    });
}

void KyWizardTab::clear_default_and_cancel(bool clear_default, bool clear_cancel)
{
    if (clear_default) {
        default_button_ = kyBPNone;
        PropertyChanged(QStringLiteral("DefaultButton"));
    }
    if (clear_cancel) {
        cancel_button_ = kyBPNone;
        PropertyChanged(QStringLiteral("CancelButton"));
    }
}

PageButtons KyWizardTab::GetButton(std::int32_t Rule)
{
    PageButtons found;
    handled(QStringLiteral("GetButton"), [&] {
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
            if (field(position).Rule == Rule) {
                found = button_record(position);
                return;
            }
    });
    return found;
}

bool KyWizardTab::SetButton(std::int32_t Position, const PageButtons& Button)
{
    bool swapped = false;
    handled(QStringLiteral("SetButton"), [&] {
        if (Position < kyBPLeft || Position > kyBPRight)
            return;
        std::int32_t partner = kyBPNone;
        for (std::int32_t position = kyBPLeft; position <= kyBPRight && partner == kyBPNone; ++position)
            if (position != Position && field(position).Rule == Button.Rule)
                partner = position;
        if (partner == kyBPNone) {
            set_button_record(Position, Button);
            return;
        }
        const PageButtons kept = button_record(Position);
        set_button_record(Position, Button);
        set_button_record(partner, kept);
        swapped = true;
    });
    return swapped;
}

void KyWizardTab::setUseDefaultButtonSet(bool value)
{
    handled(QStringLiteral("UseDefaultButtonSet (Let)"), [&] {
        use_default_button_set_ = value;
        PropertyChanged(QStringLiteral("UseDefaultButtonSet"));
    });
}

void KyWizardTab::About()
{
    handled(QStringLiteral("About"), [&] { ShowAboutBox(this); });
}

void KyWizardTab::read_button_set(const forms::PropertyBag& bag)
{
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        const ButtonField& d = navigator_defaults_[static_cast<std::size_t>(position - 1)];
        ButtonField& f = field(position);
        f.Visible = bag.ReadProperty(field_key(position, "Visible"), d.Visible).toBool();
        f.Enabled = bag.ReadProperty(field_key(position, "Enabled"), d.Enabled).toBool();
        f.Caption = bag.ReadProperty(field_key(position, "Caption"), d.Caption).toString();
        f.Rule = forms::stored_choice(bag, stored_choices(), field_key(position, "Rule"), d.Rule);
    }
    default_button_ = bag.ReadProperty(QStringLiteral("DefaultButton"), navigator_default_button_).toInt();
    cancel_button_ = bag.ReadProperty(QStringLiteral("CancelButton"), navigator_cancel_button_).toInt();
    use_default_button_set_ = bag.ReadProperty(QStringLiteral("UseDefaultButtonSet"), true).toBool();
}

void KyWizardTab::write_button_set(forms::PropertyBag& bag) const
{
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        const ButtonField& d = navigator_defaults_[static_cast<std::size_t>(position - 1)];
        const ButtonField& f = field(position);
        bag.WriteProperty(field_key(position, "Visible"), f.Visible, d.Visible);
        bag.WriteProperty(field_key(position, "Enabled"), f.Enabled, d.Enabled);
        bag.WriteProperty(field_key(position, "Caption"), f.Caption, d.Caption);
        bag.WriteProperty(field_key(position, "Rule"), f.Rule, d.Rule);
    }
    bag.WriteProperty(QStringLiteral("DefaultButton"), default_button_, navigator_default_button_);
    bag.WriteProperty(QStringLiteral("CancelButton"), cancel_button_, navigator_cancel_button_);
    bag.WriteProperty(QStringLiteral("UseDefaultButtonSet"), use_default_button_set_, true);
}

void KyWizardTab::setSaveCaptionsToFile(bool value)
{
    (void)value;
    handled(QStringLiteral("SaveCaptionsToFile (Let)"), [&] {
        if (user_mode())
            return;
        PageCaptions captions;
        captions.display_name = Ambient().DisplayName();
        captions.page_mode = page_mode_;
        captions.texts = {BannerTitle(), BannerDescription(), WatermarkTitle(), WatermarkDescription(),
                          WatermarkRule()};
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
            captions.button_captions[static_cast<std::size_t>(position - 1)] = field(position).Caption;
        write_captions_file(captions_folder(), captions);
    });
}
