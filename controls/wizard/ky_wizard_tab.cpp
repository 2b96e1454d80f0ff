// KyWizardTab: the properties of the page and its persistence.

#include "controls/wizard/ky_wizard_tab.h"

#include "controls/display/accessible_role.h"
#include "controls/wizard/c_page.h"
#include "controls/wizard/wizard_navigator.h"
#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/picture_box.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/core/vb_error.h"

#include <QPointer>

#include <cmath>

namespace {

const QVariant kNothing = QVariant::fromValue<QObject*>(nullptr);

// Set while one PageIndex (Let) walks the siblings at design time: the siblings' own Lets
// nested in it exchange nothing further, so two pages that share an index never call each
// other without end.
thread_local bool g_exchanging_indexes = false;

// The page's stored enumerations: its reader reads them through this table, and a design host
// keeps a designer's values to it, so a saved page always opens again.
constexpr forms::StoredChoice kStoredChoices[] = {
    {"BorderStyle", 0, 1},
    {"PageMode", WelcomePage, CompletePage},
    {"PageState", Maximized, Minimized},
    {"LBRule", kyBRNone, kyBRFinish},
    {"LMBRule", kyBRNone, kyBRFinish},
    {"RMBRule", kyBRNone, kyBRFinish},
    {"RBRule", kyBRNone, kyBRFinish},
};

} // namespace

std::span<const forms::StoredChoice> KyWizardTab::stored_choices() const { return kStoredChoices; }

KyWizardTab::KyWizardTab()
{
    setObjectName(QStringLiteral("KyWizardTab"));
    // A screen reader announces a page as a panel named by the title the person reads.
    give_accessible_role(*this, QAccessible::Pane);
    build_elements();
    name_page();
}

KyWizardTab::~KyWizardTab() { detach_navigator(); }

void KyWizardTab::handled(const QString& label, const std::function<void()>& body)
{
    try {
        body();
    } catch (const forms::StoredValueError&) {
        throw; // a refused stored value fails the load
    } catch (const forms::VbError& error) {
        QString display_name;
        try {
            display_name = DisplayName();
        } catch (const forms::VbError&) {
        }
        wizard_errors::ReportPageError(error.number(), error.description(), last_error_, display_name, label,
                                       kyPage_.get());
    }
}

bool KyWizardTab::user_mode() const { return Ambient().UserMode(); }

CWizardNavigator& KyWizardTab::navigator() const
{
    if (!kyPage_)
        forms::raise(forms::vberr::ObjectVariableNotSet);
    return *kyPage_;
}

std::vector<KyWizardTab*> KyWizardTab::sibling_pages() const
{
    std::vector<KyWizardTab*> pages;
    const QString own = Extender().Name();
    for (forms::ControlSite* site : ParentForm().sites()) {
        auto* page = qobject_cast<KyWizardTab*>(site->control());
        if (page != nullptr && site->Name() != own)
            pages.push_back(page);
    }
    return pages;
}

// --- standard members ---------------------------------------------------------------

QVariant KyWizardTab::Tag() const { return Extender().Tag(); }
void KyWizardTab::setTag(const QVariant& value) { Extender().setTag(value.toString()); }
int KyWizardTab::HelpContextID() const { return Extender().HelpContextID(); }
void KyWizardTab::setHelpContextID(int value) { Extender().setHelpContextID(value); }

void KyWizardTab::setTagVariant(const QVariant& value)
{
    handled(QStringLiteral("TagVariant (Let)"), [&] {
        tag_variant_ = value;
        PropertyChanged(QStringLiteral("TagVariant"));
    });
}

int KyWizardTab::ClientLeft() const
{
    switch (page_mode_) {
    case WelcomePage:
    case CompletePage: return 2600;
    case InteriorPage: return 600;
    default: return 0;
    }
}

int KyWizardTab::ClientTop() const
{
    switch (page_mode_) {
    case InteriorPage: return 1260;
    case WelcomePage:
    case CompletePage: {
        const float below = static_cast<float>(lblWatermarkDescription_->Top() + lblWatermarkDescription_->Height() +
                                               100);
        return below > 1830.0f ? static_cast<int>(std::lround(below)) : 1830;
    }
    default: return 0;
    }
}

int KyWizardTab::ClientWidth() const { return static_cast<int>(std::lround(ScaleWidth())) - 615 - ClientLeft(); }

int KyWizardTab::ClientHeight() const
{
    const int scale_height = static_cast<int>(std::lround(ScaleHeight()));
    int height = 0;
    switch (page_mode_) {
    case InteriorPage: height = scale_height - 285 - ClientTop(); break;
    case WelcomePage:
    case CompletePage: height = scale_height - 1095 - ClientTop(); break;
    default: return 0;
    }
    return height < 0 ? 1 : height;
}

void KyWizardTab::setBackColor(OLE_COLOR color)
{
    handled(QStringLiteral("BackColor (Let)"), [&] {
        back_color_ = color;
        update();
        PropertyChanged(QStringLiteral("BackColor"));
    });
}

void KyWizardTab::setEnabled(bool value)
{
    handled(QStringLiteral("Enabled (Let)"), [&] {
        QWidget::setEnabled(value);
        PropertyChanged(QStringLiteral("Enabled"));
    });
}

void KyWizardTab::setBorderStyle(short style)
{
    handled(QStringLiteral("BorderStyle (Let)"), [&] {
        border_style_ = style;
        update();
        PropertyChanged(QStringLiteral("BorderStyle"));
    });
}

void KyWizardTab::Refresh()
{
    handled(QStringLiteral("Refresh"), [&] { repaint(); });
}

// --- banner and watermark members ---------------------------------------------------

void KyWizardTab::set_label_text(forms::Label* label, const QString& text, const char* key)
{
    handled(QString::fromLatin1(key) + QStringLiteral(" (Let)"), [&] {
        label->setCaption(text);
        PropertyChanged(QString::fromLatin1(key));
        name_page();
    });
}

void KyWizardTab::name_page()
{
    const forms::Label* title = lblWatermarkTitle_->Visible() ? lblWatermarkTitle_ : lblHeaderTitle_;
    setAccessibleName(title->accessibleName());
}

void KyWizardTab::set_label_font(forms::Label* label, const forms::FontRef& font, const char* key)
{
    handled(QString::fromLatin1(key) + QStringLiteral(" (Set)"), [&] {
        if (!font)
            forms::raise(forms::vberr::ObjectVariableNotSet);
        label->setFont(font);
        PropertyChanged(QString::fromLatin1(key));
    });
}

void KyWizardTab::set_label_color(forms::Label* label, OLE_COLOR color, const char* key)
{
    handled(QString::fromLatin1(key) + QStringLiteral(" (Let)"), [&] {
        label->setForeColor(color);
        PropertyChanged(QString::fromLatin1(key));
    });
}

OLE_COLOR KyWizardTab::BannerBackColor() const { return picBanner_->BackColor(); }
void KyWizardTab::setBannerBackColor(OLE_COLOR color)
{
    handled(QStringLiteral("BannerBackColor (Let)"), [&] {
        picBanner_->setBackColor(color);
        PropertyChanged(QStringLiteral("BannerBackColor"));
    });
}

QString KyWizardTab::BannerDescription() const { return lblHeaderDescription_->Caption(); }
void KyWizardTab::setBannerDescription(const QString& text)
{
    set_label_text(lblHeaderDescription_, text, "BannerDescription");
}
forms::FontRef KyWizardTab::BannerDescriptionFont() const { return lblHeaderDescription_->Font(); }
void KyWizardTab::setBannerDescriptionFont(const forms::FontRef& font)
{
    set_label_font(lblHeaderDescription_, font, "BannerDescriptionFont");
}
OLE_COLOR KyWizardTab::BannerDescriptionColor() const { return lblHeaderDescription_->ForeColor(); }
void KyWizardTab::setBannerDescriptionColor(OLE_COLOR color)
{
    set_label_color(lblHeaderDescription_, color, "BannerDescriptionColor");
}
QString KyWizardTab::BannerTitle() const { return lblHeaderTitle_->Caption(); }
void KyWizardTab::setBannerTitle(const QString& text) { set_label_text(lblHeaderTitle_, text, "BannerTitle"); }
forms::FontRef KyWizardTab::BannerTitleFont() const { return lblHeaderTitle_->Font(); }
void KyWizardTab::setBannerTitleFont(const forms::FontRef& font)
{
    set_label_font(lblHeaderTitle_, font, "BannerTitleFont");
}
OLE_COLOR KyWizardTab::BannerTitleColor() const { return lblHeaderTitle_->ForeColor(); }
void KyWizardTab::setBannerTitleColor(OLE_COLOR color) { set_label_color(lblHeaderTitle_, color, "BannerTitleColor"); }
QString KyWizardTab::WatermarkDescription() const { return lblWatermarkDescription_->Caption(); }
void KyWizardTab::setWatermarkDescription(const QString& text)
{
    set_label_text(lblWatermarkDescription_, text, "WatermarkDescription");
}
forms::FontRef KyWizardTab::WaterMarkDescriptionFont() const { return lblWatermarkDescription_->Font(); }
void KyWizardTab::setWaterMarkDescriptionFont(const forms::FontRef& font)
{
    set_label_font(lblWatermarkDescription_, font, "WaterMarkDescriptionFont");
}
OLE_COLOR KyWizardTab::WaterMarkDescriptionColor() const { return lblWatermarkDescription_->ForeColor(); }
QString KyWizardTab::WatermarkRule() const { return lblRule_->Caption(); }
void KyWizardTab::setWatermarkRule(const QString& text) { set_label_text(lblRule_, text, "WatermarkRule"); }
forms::FontRef KyWizardTab::WatermarkRuleFont() const { return lblRule_->Font(); }
void KyWizardTab::setWatermarkRuleFont(const forms::FontRef& font)
{
    set_label_font(lblRule_, font, "WatermarkRuleFont");
}
OLE_COLOR KyWizardTab::WatermarkRuleColor() const { return lblRule_->ForeColor(); }
void KyWizardTab::setWatermarkRuleColor(OLE_COLOR color) { set_label_color(lblRule_, color, "WatermarkRuleColor"); }
QString KyWizardTab::WatermarkTitle() const { return lblWatermarkTitle_->Caption(); }
forms::FontRef KyWizardTab::WaterMarkTitleFont() const { return lblWatermarkTitle_->Font(); }
void KyWizardTab::setWaterMarkTitleFont(const forms::FontRef& font)
{
    set_label_font(lblWatermarkTitle_, font, "WaterMarkTitleFont");
}
OLE_COLOR KyWizardTab::WaterMarkTitleColor() const { return lblWatermarkTitle_->ForeColor(); }
void KyWizardTab::setWaterMarkTitleColor(OLE_COLOR color)
{
    set_label_color(lblWatermarkTitle_, color, "WaterMarkTitleColor");
}

void KyWizardTab::setWaterMarkDescriptionColor(OLE_COLOR color)
{
    handled(QStringLiteral("WaterMarkDescriptionColor (Let)"), [&] {
        lblWatermarkDescription_->setForeColor(color);
        PropertyChanged(QStringLiteral("WaterMarkDescriptionColor"));
        Resize();
    });
}

void KyWizardTab::setWatermarkTitle(const QString& text)
{
    handled(QStringLiteral("WatermarkTitle (Let)"), [&] {
        lblWatermarkTitle_->setCaption(text);
        PropertyChanged(QStringLiteral("WatermarkTitle"));
        name_page();
        if (page_state_ == Maximized) {
            apply_watermark_title_rule();
            Resize();
        }
    });
}

// --- sequencing -----------------------------------------------------------------------

void KyWizardTab::setPageIndex(int index)
{
    handled(QStringLiteral("PageIndex (Let)"), [&] {
        const int old_index = page_index_;
        page_index_ = index;
        if (!user_mode() && !g_exchanging_indexes) {
            g_exchanging_indexes = true;
            try {
                std::vector<QPointer<KyWizardTab>> siblings;
                for (KyWizardTab* page : sibling_pages())
                    siblings.emplace_back(page);
                for (const QPointer<KyWizardTab>& sibling : siblings) {
                    if (!sibling || sibling->PageIndex() != index)
                        continue;
                    const int their_mode = sibling->PageMode();
                    sibling->setPageMode(page_mode_);
                    setPageMode(their_mode);
                    sibling->setPageIndex(old_index);
                    const int their_back = sibling->PageBack();
                    sibling->setPageBack(page_back_);
                    const int their_next = sibling->PageNext();
                    sibling->setPageNext(page_next_);
                    setPageBack(their_back);
                    setPageNext(their_next);
                }
            } catch (...) {
                g_exchanging_indexes = false;
                throw;
            }
            g_exchanging_indexes = false;
        }
        PropertyChanged(QStringLiteral("PageIndex"));
        lblPageIndex_->setCaption(QString::number(index));
    });
}

void KyWizardTab::setPageBack(int index)
{
    handled(QStringLiteral("PageBack (Let)"), [&] {
        page_back_ = index;
        PropertyChanged(QStringLiteral("PageBack"));
    });
}

void KyWizardTab::setPageNext(int index)
{
    handled(QStringLiteral("PageNext (Let)"), [&] {
        page_next_ = index;
        PropertyChanged(QStringLiteral("PageNext"));
    });
}

void KyWizardTab::setPageMode(int mode)
{
    handled(QStringLiteral("PageMode (Let)"), [&] {
        if (user_mode())
            forms::raise(forms::vberr::SetNotSupportedAtRuntime);
        page_mode_ = mode;
        PropertyChanged(QStringLiteral("PageMode"));
        if (page_state_ == Maximized)
            show_pictures_for_mode();
    });
}

void KyWizardTab::setPageState(int state)
{
    handled(QStringLiteral("PageState (Let)"), [&] {
        page_state_ = state;
        PropertyChanged(QStringLiteral("PageState"));
        if (state == Minimized) {
            Resize();
        } else if (state == Maximized) {
            saved_left_ = Extender().Left();
            saved_top_ = Extender().Top();
            Extender().setHeight(3600);
            Extender().ZOrder(0);
        }
    });
}

// --- persistence ------------------------------------------------------------------------

void KyWizardTab::InitProperties()
{
    handled(QStringLiteral("InitProperties"), [&] {
        Extender().setAlign(forms::vbAlignTop);
        Extender().setTabStop(false);
        picBanner_->setTop(0);
        banner_style_ = kyOSWindows2k;
        SetBannerImagePlace();
        page_back_ = 0;
        page_next_ = 0;
        page_mode_ = InteriorPage;
        page_state_ = Maximized;
        tag_variant_ = kNothing;
        const forms::FontRef ambient_font = Ambient().Font();
        for (forms::Label* label :
             {lblHeaderTitle_, lblHeaderDescription_, lblWatermarkTitle_, lblWatermarkDescription_, lblRule_})
            label->setFont(ambient_font->Clone());
        imgHeaderBanner_->setPicture(navigator().BannerPicture());
        SetBannerImagePlace();
        buttons_ = navigator_defaults_;
        default_button_ = navigator_default_button_;
        cancel_button_ = navigator_cancel_button_;
        use_default_button_set_ = true;
        page_index_ = static_cast<std::int32_t>(sibling_pages().size()) + 1;
        const int index = page_index_;
        Extender().setHeight(navigator().PageHeight() > 0 ? navigator().PageHeight() : ParentForm().Height());
        if (index == 1) {
            setPageBack(0);
            setPageNext(0);
        } else {
            setPageBack(index - 1);
            setPageNext(0);
            setPageMode(CompletePage);
        }
        setPageIndex(page_index_);
        for (KyWizardTab* sibling : sibling_pages()) {
            if (sibling->PageIndex() != index - 1)
                continue;
            sibling->setPageNext(index);
            if (sibling->PageIndex() > 1)
                sibling->setPageMode(InteriorPage);
            break;
        }
        register_page();
        if (PageIndex() == 1)
            setPageMode(WelcomePage);
    });
}

void KyWizardTab::ReadProperties(forms::PropertyBag& bag)
{
    handled(QStringLiteral("ReadProperties"), [&] {
        auto read = [&](const char* key, const QVariant& fallback) {
            return bag.ReadProperty(QString::fromLatin1(key), fallback);
        };
        const QVariant ambient_font = QVariant::fromValue(Ambient().Font());
        // Each label gets a font of its own, never the form's shared ambient font object.
        auto read_font = [&](const char* key) { return read(key, ambient_font).value<forms::FontRef>()->Clone(); };
        back_color_ = read("BackColor", forms::syscolor::ButtonFace).toUInt();
        QWidget::setEnabled(read("Enabled", true).toBool());
        border_style_ = static_cast<short>(forms::stored_choice(bag, kStoredChoices, QStringLiteral("BorderStyle"), 0));
        picBanner_->setBackColor(read("BannerBackColor", 0xFFFFFFu).toUInt());
        lblHeaderDescription_->setCaption(read("BannerDescription", QStringLiteral("Step Description")).toString());
        lblHeaderDescription_->setFont(read_font("BannerDescriptionFont"));
        lblHeaderDescription_->setForeColor(read("BannerDescriptionColor", 0u).toUInt());
        lblHeaderTitle_->setCaption(read("BannerTitle", QStringLiteral("Step Title")).toString());
        lblHeaderTitle_->setFont(read_font("BannerTitleFont"));
        lblHeaderTitle_->setForeColor(read("BannerTitleColor", 0u).toUInt());
        lblWatermarkDescription_->setCaption(read("WaterMarkDescription", QStringLiteral("Description")).toString());
        lblWatermarkDescription_->setFont(read_font("WatermarkDescriptionFont"));
        lblWatermarkDescription_->setForeColor(read("WatermarkDescriptionColor", 0u).toUInt());
        lblRule_->setCaption(read("WaterMarkRule", QStringLiteral("To continue, click Next.")).toString());
        lblRule_->setFont(read_font("WatermarkRuleFont"));
        lblRule_->setForeColor(read("WatermarkRuleColor", 0u).toUInt());
        lblWatermarkTitle_->setCaption(read("WaterMarkTitle", QStringLiteral("Welcome to ...")).toString());
        lblWatermarkTitle_->setFont(read_font("WatermarkTitleFont"));
        lblWatermarkTitle_->setForeColor(read("WatermarkTitleColor", 0u).toUInt());
        // The stored index is taken as it is: the page has not read its own mode and links
        // yet, so it exchanges nothing with a sibling that holds the same index.
        page_index_ = read("PageIndex", 1).toInt();
        lblPageIndex_->setCaption(QString::number(page_index_));
        PropertyChanged(QStringLiteral("PageIndex"));
        page_back_ = read("PageBack", 0).toInt();
        page_next_ = read("PageNext", 0).toInt();
        page_mode_ = forms::stored_choice(bag, kStoredChoices, QStringLiteral("PageMode"), InteriorPage);
        page_state_ = forms::stored_choice(bag, kStoredChoices, QStringLiteral("PageState"), Maximized);
        // A Variant: whatever kind was stored, Nothing when none was.
        tag_variant_ = read("TagVariant", kNothing);
        if (page_mode_ != InteriorPage) {
            ImageWaterMark_->setPicture(navigator().WaterMarkPicture());
        } else {
            imgHeaderBanner_->setPicture(navigator().BannerPicture());
            SetBannerImagePlace();
        }
        setBannerStyle(navigator().BannerStyle());
        read_button_set(bag);
        register_page();
        if (user_mode())
            navigator().GoToPage(navigator().StartPage());
    });
}

void KyWizardTab::WriteProperties(forms::PropertyBag& bag)
{
    handled(QStringLiteral("WriteProperties"), [&] {
        auto write = [&](const char* key, const QVariant& value, const QVariant& fallback) {
            bag.WriteProperty(QString::fromLatin1(key), value, fallback);
        };
        const QVariant ambient_font = QVariant::fromValue(Ambient().Font());
        auto font = [](const forms::Label* label) { return QVariant::fromValue(label->Font()); };
        write("BackColor", back_color_, forms::syscolor::ButtonFace);
        write("Enabled", isEnabled(), true);
        write("BorderStyle", border_style_, 0);
        write("BannerBackColor", picBanner_->BackColor(), 0xFFFFFFu);
        write("BannerDescription", lblHeaderDescription_->Caption(), QStringLiteral("Step Description"));
        write("BannerDescriptionFont", font(lblHeaderDescription_), ambient_font);
        write("BannerDescriptionColor", lblHeaderDescription_->ForeColor(), 0u);
        write("BannerTitle", lblHeaderTitle_->Caption(), QStringLiteral("Step Title"));
        write("BannerTitleFont", font(lblHeaderTitle_), ambient_font);
        write("BannerTitleColor", lblHeaderTitle_->ForeColor(), 0u);
        write("WaterMarkDescription", lblWatermarkDescription_->Caption(), QStringLiteral("Description"));
        write("WatermarkDescriptionFont", font(lblWatermarkDescription_), ambient_font);
        write("WatermarkDescriptionColor", lblWatermarkDescription_->ForeColor(), 0u);
        write("WaterMarkRule", lblRule_->Caption(), QStringLiteral("To continue, click Next."));
        write("WatermarkRuleFont", font(lblRule_), ambient_font);
        write("WatermarkRuleColor", lblRule_->ForeColor(), 0u);
        write("WaterMarkTitle", lblWatermarkTitle_->Caption(), QStringLiteral("Welcome to ..."));
        write("WatermarkTitleFont", font(lblWatermarkTitle_), ambient_font);
        write("WatermarkTitleColor", lblWatermarkTitle_->ForeColor(), 0u);
        write("PageIndex", page_index_, 1);
        write("PageBack", page_back_, 0);
        write("PageNext", page_next_, 0);
        write("PageMode", page_mode_, InteriorPage);
        write("PageState", page_state_, Maximized);
        // A tag the form cannot store is reported and left out; the keys after it are
        // still written.
        handled(QStringLiteral("WriteProperties"), [&] { write("TagVariant", tag_variant_, kNothing); });
        write_button_set(bag);
        if (kyPage_)
            kyPage_->RemovePage(Extender().Name());
    });
}
