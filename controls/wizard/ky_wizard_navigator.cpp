// KyWizardNavigator: the properties of the bar and its persistence.

#include "controls/wizard/ky_wizard_navigator.h"

#include "controls/display/accessible_role.h"
#include "controls/message_box.h"
#include "controls/wizard/c_page.h"
#include "controls/wizard/c_pages.h"
#include "controls/wizard/mod_base.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/core/vb_error.h"

#include <cmath>

namespace {

// The property names of each position, as the interface spells them and the bag stores them.
const char* const kButtonName[] = {"LeftButton", "LeftMiddleButton", "RightMiddleButton", "RightButton"};

// The navigator's stored enumerations: its reader reads them through this table, and a design
// host keeps a designer's values to it, so a saved navigator always opens again.
constexpr forms::StoredChoice kStoredChoices[] = {
    {"FinishRule", kyBRNone, kyBRFinish},
    {"LeftButtonRule", kyBRNone, kyBRFinish},
    {"LeftMiddleButtonRule", kyBRNone, kyBRFinish},
    {"RightMiddleButtonRule", kyBRNone, kyBRFinish},
    {"RightButtonRule", kyBRNone, kyBRFinish},
    {"BannerHeaderStyle", kyOSWindows2k, kyKyrell},
    {"WizardSizeMode", kyStandard, kyUser},
};

// The initial values of the four buttons (Left, LeftMiddle, RightMiddle, Right).
struct InitialButton {
    bool Enabled;
    bool Visible;
    const char* Caption;
    std::int32_t Rule;
};
constexpr InitialButton kInitial[] = {
    {true, false, "&Help", kyBRHelp},
    {true, true, "< &Back", kyBRBack},
    {true, true, "&Next >", kyBRNext},
    {true, true, "Cancel", kyBRCancel},
};

// The order in which the bag holds the buttons.
constexpr std::int32_t kStoredOrder[] = {kyBPRightMiddle, kyBPRight, kyBPLeft, kyBPLeftMiddle};

QString key(std::int32_t position, const char* member)
{
    return QString::fromLatin1(kButtonName[position - 1]) + QString::fromLatin1(member);
}

// The bar's lengths in twips: a gap from 0, a button from 15, none beyond what a form can
// show (a larger one would have the layout build a bar no screen holds).
constexpr int kLeastGap = 0;
constexpr int kLeastButton = 15;

bool shows_on_a_form(int twips, int least) { return twips >= least && twips <= forms::Screen::kLargestLength; }

QString length_rule(int twips, int least)
{
    return QStringLiteral("%1 twips is no length from %2 to %3")
        .arg(twips)
        .arg(least)
        .arg(forms::Screen::kLargestLength);
}

void require_length(int twips, int least)
{
    if (!shows_on_a_form(twips, least))
        forms::raise(forms::vberr::InvalidPropertyValue, {}, length_rule(twips, least));
}

int stored_length(const forms::PropertyBag& bag, const char* key, int fallback, int least)
{
    const QString name = QString::fromLatin1(key);
    const int twips = bag.ReadProperty(name, fallback).toInt();
    if (!shows_on_a_form(twips, least))
        bag.refuse(name, forms::vberr::InvalidPropertyValue, length_rule(twips, least));
    return twips;
}

} // namespace

KyWizardNavigator::KyWizardNavigator()
{
    setObjectName(QStringLiteral("KyWizardNavigator"));
    give_accessible_role(*this, QAccessible::ToolBar);
    // Named for what a person sees, a row of the wizard's buttons, never after its identifier.
    setAccessibleName(QStringLiteral("Wizard buttons"));
    // The bar's designed size, so that docking places it at its height before the first
    // Resize lays it out.
    resize(forms::Screen::to_pixels_x(7500), forms::Screen::to_pixels_y(705));
    build_constituents();
}

KyWizardNavigator::~KyWizardNavigator() { detach_navigator(); }

void KyWizardNavigator::handled(const QString& label, const std::function<void()>& body)
{
    try {
        body();
    } catch (const forms::StoredValueError&) {
        throw; // a refused stored value fails the load
    } catch (const forms::VbError& error) {
        report(error.number(), error.description(), label);
    }
}

void KyWizardNavigator::report(std::int32_t number, const QString& description, const QString& label)
{
    wizard_errors::ReportNavigatorError(
        number, description, last_error_, display_name(), label, show_error_msg_,
        [this](std::int32_t n, const QString& d, const QString& s) { emit OnError(n, d, s); });
}

void KyWizardNavigator::ignoring(const std::function<void()>& body)
{
    try {
        body();
    } catch (const forms::VbError&) {
    }
}

bool KyWizardNavigator::user_mode() const { return Ambient().UserMode(); }

QString KyWizardNavigator::display_name() const
{
    try {
        return Ambient().DisplayName();
    } catch (const forms::VbError&) {
        return QStringLiteral("KyWizardNavigator");
    }
}

CWizardNavigator& KyWizardNavigator::nav() const
{
    if (!KyNav_)
        forms::raise(forms::vberr::ObjectVariableNotSet);
    return *KyNav_;
}

KyWizardNavigator::ButtonField& KyWizardNavigator::field(std::int32_t position)
{
    if (position < kyBPLeft || position > kyBPRight)
        forms::raise(forms::vberr::SubscriptOutOfRange);
    return fields_[static_cast<std::size_t>(position - 1)];
}

forms::CommandButton* KyWizardNavigator::button(std::int32_t position) const
{
    return position >= kyBPLeft && position <= kyBPRight ? buttons_[static_cast<std::size_t>(position - 1)] : nullptr;
}

forms::CommandButton& KyWizardNavigator::require_button(std::int32_t position) const
{
    forms::CommandButton* b = button(position);
    if (!b)
        forms::raise(forms::vberr::SubscriptOutOfRange);
    return *b;
}

void KyWizardNavigator::mark(const char* name) { PropertyChanged(QString::fromLatin1(name)); }

// --- pages and surface ---------------------------------------------------------------------

QObject* KyWizardNavigator::WizardPages() const { return pages_.get(); }

QObject* KyWizardNavigator::CurrentPage() const
{
    if (!pages_)
        return nullptr;
    return pages_->Item(QVariant(static_cast<std::int32_t>(nav().CurrentPageIndex())));
}

void KyWizardNavigator::setBackColor(OLE_COLOR color)
{
    handled(QStringLiteral("BackColor (Let)"), [&] {
        back_color_ = color;
        update();
        mark("BackColor");
    });
}

void KyWizardNavigator::setEnabled(bool value)
{
    handled(QStringLiteral("Enabled (Let)"), [&] {
        QWidget::setEnabled(value);
        mark("Enabled");
        if (value) {
            if (user_mode())
                SetButtonsEnabledOnEnabledControl();
            ApplyDefaultButton(default_button_);
            ApplyCancelButton(cancel_button_);
            return;
        }
        for (forms::CommandButton* b : buttons_)
            b->setEnabled(false);
        if (forms::CommandButton* b = button(default_button_))
            b->setDefault(false);
        if (forms::CommandButton* b = button(cancel_button_))
            b->setCancel(false);
    });
}

void KyWizardNavigator::Refresh()
{
    handled(QStringLiteral("Refresh"), [&] { repaint(); });
}

void KyWizardNavigator::setStartPage(int value)
{
    handled(QStringLiteral("StartPage (Let)"), [&] {
        start_page_ = value;
        mark("StartPage");
    });
}

// --- Finish dressing -------------------------------------------------------------------------

void KyWizardNavigator::setFinishVisible(bool value)
{
    handled(QStringLiteral("FinishVisible (Let)"), [&] {
        finish_.Visible = value;
        mark("FinishVisible");
        forms::CommandButton* b = button(finish_position_);
        if (!b)
            return;
        if (value) {
            b->setVisible(true);
            b->setCaption(finish_.Caption);
            b->setEnabled(finish_.Enabled);
            b->setTag(QString::number(finish_.Rule));
        } else {
            b->setVisible(ButtonVisible(finish_position_));
        }
    });
}

void KyWizardNavigator::setFinishCaption(const QString& value)
{
    handled(QStringLiteral("FinishCaption (Let)"), [&] {
        finish_.Caption = value;
        mark("FinishCaption");
        if (forms::CommandButton* b = button(finish_position_); b && finish_.Visible)
            b->setCaption(value);
    });
}

void KyWizardNavigator::setFinishEnabled(bool value)
{
    handled(QStringLiteral("FinishEnabled (Let)"), [&] {
        finish_.Enabled = value;
        mark("FinishEnabled");
        if (forms::CommandButton* b = button(finish_position_); b && finish_.Visible)
            b->setEnabled(value);
    });
}

void KyWizardNavigator::setFinishPosition(int value)
{
    handled(QStringLiteral("FinishPosition (Let)"), [&] {
        finish_position_ = value;
        mark("FinishPosition");
    });
}

void KyWizardNavigator::setFinishRule(int value)
{
    handled(QStringLiteral("FinishRule (Let)"), [&] {
        finish_.Rule = value;
        mark("FinishRule");
    });
}

// --- the button family -----------------------------------------------------------------------

// What a Get puts back on the bar's button: the outer buttons take all four values, the
// left-middle one all but its caption (and nothing from its Caption Get), the right-middle
// one only its visibility and rule, and those only from its Visible and Rule Gets.
const KyWizardNavigator::ButtonField& KyWizardNavigator::refreshed(std::int32_t position, Member member)
{
    const ButtonField& f = field(position);
    forms::CommandButton& b = require_button(position);
    const bool right_middle = position == kyBPRightMiddle;
    const bool left_middle = position == kyBPLeftMiddle;
    if (right_middle && member != Member::Visible && member != Member::Rule)
        return f;
    if (left_middle && member == Member::Caption)
        return f;
    if (!right_middle)
        b.setEnabled(f.Enabled);
    b.setVisible(f.Visible);
    b.setTag(QString::number(f.Rule));
    if (!right_middle && !left_middle)
        b.setCaption(f.Caption);
    return f;
}

bool KyWizardNavigator::ButtonEnabled(std::int32_t position) { return refreshed(position, Member::Enabled).Enabled; }
bool KyWizardNavigator::ButtonVisible(std::int32_t position) { return refreshed(position, Member::Visible).Visible; }
std::int32_t KyWizardNavigator::ButtonRule(std::int32_t position) { return refreshed(position, Member::Rule).Rule; }
QString KyWizardNavigator::ButtonCaption(std::int32_t position) { return refreshed(position, Member::Caption).Caption; }

// Each Let of the button family: `store` puts the value into the field, `show` puts it on
// the bar's button; the property is marked changed under its own name, and at design time
// the value also goes into the shared default set, so that pages using that set show the
// designer's choice.
void KyWizardNavigator::button_let(std::int32_t position, const char* member,
                                   const std::function<void(ButtonField&)>& store,
                                   const std::function<void(forms::CommandButton&)>& show)
{
    const QString name = key(position, member);
    handled(name + QStringLiteral(" (Let)"), [&] {
        store(field(position));
        show(require_button(position));
        PropertyChanged(name);
        if (KyNav_ && !user_mode()) {
            ButtonField b = KyNav_->DefaultSetButton(position);
            store(b);
            KyNav_->setDefaultSetButton(position, b);
        }
    });
}

void KyWizardNavigator::setButtonEnabled(std::int32_t position, bool value)
{
    button_let(
        position, "Enabled", [&](ButtonField& f) { f.Enabled = value; },
        [&](forms::CommandButton& b) {
            b.setEnabled(value);
            // A button switched off stops being the default or cancel button and gets
            // the role back when it is switched on again.
            if (default_button_ == position)
                ApplyDefaultButton(value ? position : kyBPNone);
            if (cancel_button_ == position)
                ApplyCancelButton(value ? position : kyBPNone);
        });
}

void KyWizardNavigator::setButtonVisible(std::int32_t position, bool value)
{
    button_let(
        position, "Visible", [&](ButtonField& f) { f.Visible = value; },
        [&](forms::CommandButton& b) { b.setVisible(value); });
}

void KyWizardNavigator::setButtonRule(std::int32_t position, std::int32_t value)
{
    button_let(
        position, "Rule", [&](ButtonField& f) { f.Rule = value; },
        [&](forms::CommandButton& b) { b.setTag(QString::number(value)); });
}

void KyWizardNavigator::setButtonCaption(std::int32_t position, const QString& value)
{
    button_let(
        position, "Caption", [&](ButtonField& f) { f.Caption = value; },
        [&](forms::CommandButton& b) { b.setCaption(value); });
}

// --- pictures and font -----------------------------------------------------------------------

forms::PictureRef KyWizardNavigator::ImageBanner() const { return imgBanner_->Picture(); }
forms::PictureRef KyWizardNavigator::ImageBannerBig() const { return imgBannerBig_->Picture(); }
forms::PictureRef KyWizardNavigator::ImageWaterMark() const { return imgWatermark_->Picture(); }
forms::PictureRef KyWizardNavigator::ImageWaterMarkBig() const { return imgWatermarkBig_->Picture(); }

void KyWizardNavigator::setImageBanner(const forms::PictureRef& picture)
{
    handled(QStringLiteral("ImageBanner (Set)"), [&] {
        imgBanner_->setPicture(picture);
        mark("ImageBanner");
        if (plain_pictures_screen() && KyNav_)
            KyNav_->setBannerPicture(picture);
    });
}

void KyWizardNavigator::setImageBannerBig(const forms::PictureRef& picture)
{
    handled(QStringLiteral("ImageBannerBig (Set)"), [&] {
        imgBannerBig_->setPicture(picture);
        mark("ImageBannerBig");
        if (!plain_pictures_screen() && KyNav_)
            KyNav_->setBannerPicture(picture);
    });
}

void KyWizardNavigator::setImageWaterMark(const forms::PictureRef& picture)
{
    handled(QStringLiteral("ImageWaterMark (Set)"), [&] {
        imgWatermark_->setPicture(picture);
        mark("ImageWatermark");
        if (plain_pictures_screen() && KyNav_)
            KyNav_->setWaterMarkPicture(picture);
    });
}

void KyWizardNavigator::setImageWaterMarkBig(const forms::PictureRef& picture)
{
    handled(QStringLiteral("ImageWaterMarkBig (Set)"), [&] {
        imgWatermarkBig_->setPicture(picture);
        mark("ImageWatermarkBig");
        if (!plain_pictures_screen() && KyNav_)
            KyNav_->setWaterMarkPicture(picture);
    });
}

void KyWizardNavigator::setButtonFont(const forms::FontRef& font)
{
    handled(QStringLiteral("ButtonFont (Set)"), [&] {
        if (!font)
            forms::raise(forms::vberr::ObjectVariableNotSet);
        button_font_ = font;
        mark("ButtonFont");
        handled(QStringLiteral("SetButtonsFont"), [&] {
            for (std::int32_t position = kyBPRight; position >= kyBPLeft; --position)
                require_button(position).setFont(font);
        });
    });
}

// --- geometry and host-form size -------------------------------------------------------------

void KyWizardNavigator::setButtonGapTop(int value)
{
    handled(QStringLiteral("ButtonGapTop (Let)"), [&] {
        require_length(value, kLeastGap);
        gap_top_ = value;
        mark("ButtonGapTop");
        SetButtonsPosition(ButtonLayout::Tops);
    });
}

void KyWizardNavigator::setButtonGapRight(int value)
{
    handled(QStringLiteral("ButtonGapRight (Let)"), [&] {
        require_length(value, kLeastGap);
        gap_right_ = value;
        mark("ButtonGapRight");
        SetButtonsPosition(ButtonLayout::GapRight);
    });
}

void KyWizardNavigator::setButtonGapMiddle(int value)
{
    handled(QStringLiteral("ButtonGapMiddle (Let)"), [&] {
        require_length(value, kLeastGap);
        gap_middle_ = value;
        mark("ButtonGapMiddle");
        SetButtonsPosition(ButtonLayout::GapMiddle);
    });
}

void KyWizardNavigator::setButtonHeight(int value)
{
    handled(QStringLiteral("ButtonHeight (Let)"), [&] {
        if (value < kLeastButton)
            return;
        require_length(value, kLeastButton);
        button_height_ = value;
        mark("ButtonHeight");
        SetButtonsPosition(ButtonLayout::Heights);
    });
}

void KyWizardNavigator::setButtonWidth(int value)
{
    handled(QStringLiteral("ButtonWidth (Let)"), [&] {
        if (value < kLeastButton)
            return;
        require_length(value, kLeastButton);
        button_width_ = value;
        mark("ButtonWidth");
        SetButtonsPosition(ButtonLayout::Widths);
    });
}

void KyWizardNavigator::setWizardSizeMode(int value)
{
    handled(QStringLiteral("WizardSizeMode (Let)"), [&] {
        if (user_mode())
            forms::raise(forms::vberr::SetNotSupportedAtRuntime);
        size_mode_ = value;
        mark("WizardSizeMode");
        if (value == kyStandard) {
            setParentWidth(7540);
            setParentHeight(5775);
            // Between the two Lets the form stood 7540 wide at its old height, which made the
            // mode user-defined; once at the standard size, the mode is the standard one.
            if (parent_width_ == 7540 && parent_height_ == 5775)
                size_mode_ = kyStandard;
        }
    });
}

void KyWizardNavigator::setParentWidth(int value)
{
    handled(QStringLiteral("ParentWidth (Let)"), [&] {
        if (hold_parent_size_ || value <= 0)
            return;
        require_length(value, 1);
        parent_width_ = value;
        mark("ParentWidth");
        ParentForm().setWidth(value);
        if (!user_mode() && value != 7540)
            setWizardSizeMode(kyUser);
    });
}

void KyWizardNavigator::setParentHeight(int value)
{
    handled(QStringLiteral("ParentHeight (Let)"), [&] {
        if (hold_parent_size_ || value <= 0)
            return;
        require_length(value, 1);
        parent_height_ = value;
        mark("ParentHeight");
        ParentForm().setHeight(value);
        nav().setPageHeight(static_cast<std::int32_t>(Extender().Top()) - 15);
        if (!user_mode() && value != 5775)
            setWizardSizeMode(kyUser);
    });
}

int KyWizardNavigator::ParentWidth()
{
    if (refused_)
        return parent_width_;
    parent_width_ = static_cast<std::int32_t>(std::lround(ParentForm().Width()));
    if (!user_mode() && parent_width_ != 7540)
        setWizardSizeMode(kyUser);
    return parent_width_;
}

int KyWizardNavigator::ParentHeight()
{
    if (refused_)
        return parent_height_;
    const auto form_height = static_cast<std::int32_t>(std::lround(ParentForm().Height()));
    if (form_height > parent_height_ && hold_parent_size_) {
        Resize();
        return parent_height_;
    }
    parent_height_ = form_height;
    if (!user_mode() && parent_height_ != 5775)
        setWizardSizeMode(kyUser);
    return parent_height_;
}

void KyWizardNavigator::setHoldParentSize(bool value)
{
    handled(QStringLiteral("HoldParentSize (Let)"), [&] {
        if (user_mode())
            forms::raise(forms::vberr::SetNotSupportedAtRuntime);
        hold_parent_size_ = value;
        mark("HoldParentSize");
        if (value) {
            ParentForm().setWidth(ParentWidth());
            ParentForm().setHeight(ParentHeight());
        }
    });
}

// --- persistence -----------------------------------------------------------------------------

bool KyWizardNavigator::another_navigator_on_form() const
{
    for (forms::ControlSite* site : ParentForm().sites())
        if (site->control() != this && qobject_cast<KyWizardNavigator*>(site->control()) != nullptr)
            return true;
    return false;
}

void KyWizardNavigator::refuse()
{
    refused_ = true;
    detach_navigator();
    kycomctl::show_message(
        QStringLiteral("Sorry. You can have only one KyWizardNavigator on Form. Please remove the new "
                       "item KyWizardNavigator."),
        kycomctl::vbExclamation, QStringLiteral("KyWizardNavigator"));
}

void KyWizardNavigator::set_initial_values()
{
    finish_ = ButtonField{false, true, QStringLiteral("&Finish"), kyBRFinish};
    finish_position_ = kyBPRightMiddle;
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        const InitialButton& i = kInitial[position - 1];
        field(position) = ButtonField{i.Visible, i.Enabled, QString::fromLatin1(i.Caption), i.Rule};
    }
    default_button_ = kyBPRightMiddle;
    cancel_button_ = kyBPRight;
    start_page_ = 1;
    gap_top_ = 210;
    gap_right_ = 150;
    gap_middle_ = 165;
    button_height_ = 345;
    button_width_ = 1120;
    size_mode_ = kyStandard;
    parent_width_ = 7540;
    parent_height_ = 5775;
    hold_parent_size_ = true;
    show_error_msg_ = true;
}

void KyWizardNavigator::push_default_set()
{
    CWizardNavigator& n = nav();
    n.setDefaultSetDefaultButton(default_button_);
    n.setDefaultSetCancelButton(cancel_button_);
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        ButtonField b;
        b.Caption = ButtonCaption(position);
        b.Enabled = ButtonEnabled(position);
        b.Visible = ButtonVisible(position);
        b.Rule = ButtonRule(position);
        n.setDefaultSetButton(position, b);
    }
}

void KyWizardNavigator::read_button_keys(const forms::PropertyBag& bag)
{
    for (std::int32_t position : kStoredOrder) {
        const InitialButton& i = kInitial[position - 1];
        ButtonField& f = field(position);
        f.Enabled = bag.ReadProperty(key(position, "Enabled"), i.Enabled).toBool();
        f.Visible = bag.ReadProperty(key(position, "Visible"), i.Visible).toBool();
        f.Caption = bag.ReadProperty(key(position, "Caption"), QString::fromLatin1(i.Caption)).toString();
        f.Rule = forms::stored_choice(bag, kStoredChoices, key(position, "Rule"), i.Rule);
        forms::CommandButton& b = require_button(position);
        b.setEnabled(ButtonEnabled(position));
        b.setVisible(ButtonVisible(position));
        b.setCaption(ButtonCaption(position));
        b.setTag(QString::number(ButtonRule(position)));
    }
}

std::span<const forms::StoredChoice> KyWizardNavigator::stored_choices() const { return kStoredChoices; }

void KyWizardNavigator::ReadProperties(forms::PropertyBag& bag)
{
    if (another_navigator_on_form()) {
        refuse();
        return;
    }
    auto read = [&](const char* name, const QVariant& fallback) {
        return bag.ReadProperty(QString::fromLatin1(name), fallback);
    };
    auto picture = [&](const char* name) {
        return read(name, QVariant::fromValue(forms::PictureRef())).value<forms::PictureRef>();
    };
    back_color_ = read("BackColor", forms::syscolor::ButtonFace).toUInt();
    QWidget::setEnabled(read("Enabled", true).toBool());
    finish_.Enabled = read("FinishEnabled", true).toBool();
    finish_.Visible = read("FinishVisible", false).toBool();
    finish_.Caption = read("FinishCaption", QStringLiteral("&Finish")).toString();
    finish_position_ = read("FinishPosition", kyBPRightMiddle).toInt();
    finish_.Rule = forms::stored_choice(bag, kStoredChoices, QStringLiteral("FinishRule"), kyBRFinish);
    read_button_keys(bag);
    default_button_ = read("DefaultButton", kyBPRightMiddle).toInt();
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
        if (default_button_ < kyBPLeft || default_button_ > kyBPRight || position == default_button_)
            require_button(position).setDefault(position == default_button_);
    cancel_button_ = read("CancelButton", kyBPRight).toInt();
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
        if (cancel_button_ < kyBPLeft || cancel_button_ > kyBPRight || position == cancel_button_)
            require_button(position).setCancel(position == cancel_button_);
    start_page_ = read("StartPage", 1).toInt();
    setImageBanner(picture("ImageBanner"));
    setImageBannerBig(picture("ImageBannerBig"));
    setImageWaterMark(picture("ImageWatermark"));
    setImageWaterMarkBig(picture("ImageWatermarkBig"));
    setButtonFont(read("ButtonFont", QVariant::fromValue(Ambient().Font())).value<forms::FontRef>());
    gap_top_ = stored_length(bag, "ButtonGapTop", 210, kLeastGap);
    gap_right_ = stored_length(bag, "ButtonGapRight", 150, kLeastGap);
    gap_middle_ = stored_length(bag, "ButtonGapMiddle", 165, kLeastGap);
    button_height_ = stored_length(bag, "ButtonHeight", 345, kLeastButton);
    button_width_ = stored_length(bag, "ButtonWidth", 1120, kLeastButton);
    setBannerHeaderStyle(
        forms::stored_choice(bag, kStoredChoices, QStringLiteral("BannerHeaderStyle"), kyKyrell));
    hold_parent_size_ = read("HoldParentSize", true).toBool();
    parent_width_ = stored_length(bag, "ParentWidth", 7540, 1);
    parent_height_ = stored_length(bag, "ParentHeight", 5775, 1);
    size_mode_ = forms::stored_choice(bag, kStoredChoices, QStringLiteral("WizardSizeMode"), kyStandard);
    show_error_msg_ = read("ShowErrorMsg", true).toBool();
    modBase::setSharedShowErrorMsg(show_error_msg_);
    push_default_set();
    nav().setShowErrorMsg(show_error_msg_);
    nav().setStartPage(start_page_);
    QWidget::setEnabled(pages_ && pages_->Count() > 0);
    Resize();
}

void KyWizardNavigator::WriteProperties(forms::PropertyBag& bag)
{
    auto write = [&](const char* name, const QVariant& value, const QVariant& fallback) {
        bag.WriteProperty(QString::fromLatin1(name), value, fallback);
    };
    auto picture = [](const forms::PictureRef& p) { return QVariant::fromValue(p); };
    write("BackColor", back_color_, forms::syscolor::ButtonFace);
    write("Enabled", isEnabled(), true);
    write("FinishEnabled", finish_.Enabled, true);
    write("FinishVisible", finish_.Visible, false);
    write("FinishCaption", finish_.Caption, QStringLiteral("&Finish"));
    write("FinishRule", finish_.Rule, kyBRFinish);
    write("FinishPosition", finish_position_, kyBPRightMiddle);
    for (std::int32_t position : kStoredOrder) {
        const InitialButton& i = kInitial[position - 1];
        const ButtonField& f = field(position);
        bag.WriteProperty(key(position, "Enabled"), f.Enabled, i.Enabled);
        bag.WriteProperty(key(position, "Visible"), f.Visible, i.Visible);
        bag.WriteProperty(key(position, "Caption"), f.Caption, QString::fromLatin1(i.Caption));
        bag.WriteProperty(key(position, "Rule"), f.Rule, i.Rule);
    }
    write("DefaultButton", default_button_, kyBPRightMiddle);
    write("CancelButton", cancel_button_, kyBPRight);
    write("StartPage", start_page_, 1);
    // A picture has no default: an empty holder writes nothing.
    const QVariant none = picture(forms::PictureRef());
    write("ImageBanner", picture(ImageBanner()), none);
    write("ImageBannerBig", picture(ImageBannerBig()), none);
    write("ImageWatermark", picture(ImageWaterMark()), none);
    write("ImageWatermarkBig", picture(ImageWaterMarkBig()), none);
    write("ButtonFont", QVariant::fromValue(button_font_), QVariant::fromValue(Ambient().Font()));
    write("ButtonGapTop", gap_top_, 210);
    write("ButtonGapRight", gap_right_, 150);
    write("ButtonGapMiddle", gap_middle_, 165);
    write("ButtonHeight", button_height_, 345);
    write("ButtonWidth", button_width_, 1120);
    write("BannerHeaderStyle", banner_style_, kyKyrell);
    write("WizardSizeMode", size_mode_, kyStandard);
    write("ParentWidth", parent_width_, 7540);
    write("ParentHeight", parent_height_, 5775);
    write("HoldParentSize", hold_parent_size_, true);
    write("ShowErrorMsg", show_error_msg_, true);
}
