#include "controls/wizard/c_page.h"

#include "controls/library_info.h"
#include "controls/message_box.h"
#include "controls/wizard/mod_base.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/core/vb_error.h"

namespace {

void report(const forms::VbError& error, const char* label)
{
    if (!modBase::SharedShowErrorMsg())
        return;
    try {
        kycomctl::show_message(kycomctl::error_text(error.number(), error.description()),
                               kycomctl::vbOKOnly | kycomctl::vbCritical,
                               kycomctl::application_title() + QString::fromLatin1(label));
    } catch (...) {
        // a failing box must not turn the proxy's quiet failure into the caller's
    }
}

bool holds_object(const QVariant& value)
{
    return value.typeId() == qMetaTypeId<forms::FontRef>() || value.typeId() == qMetaTypeId<forms::PictureRef>() ||
           value.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

// The result of a Get that failed: 0, "" or Empty by the member's type.
template <typename T>
T converted(const QVariant& value);

template <>
std::int32_t converted<std::int32_t>(const QVariant& value)
{
    return forms::CLng(value);
}

template <>
QString converted<QString>(const QVariant& value)
{
    return forms::CStr(value);
}

} // namespace

CPage::CPage() = default;

CPage::~CPage() = default;

QVariant CPage::forwarded_get(const char* name, const char* label)
{
    try {
        return forms::get(wizard_page_.data(), QString::fromLatin1(name));
    } catch (const forms::VbError& error) {
        report(error, label);
        return {};
    }
}

void CPage::forwarded_let(const char* name, const QVariant& value, const char* label)
{
    try {
        forms::let(wizard_page_.data(), QString::fromLatin1(name), value);
    } catch (const forms::VbError& error) {
        report(error, label);
    }
}

#define KY_CPAGE_GET(Member, T, label)                                                                                 \
    T CPage::Member()                                                                                                  \
    {                                                                                                                  \
        try {                                                                                                          \
            return converted<T>(forms::get(wizard_page_.data(), QStringLiteral(#Member)));                             \
        } catch (const forms::VbError& error) {                                                                        \
            report(error, label);                                                                                      \
            return T{};                                                                                                \
        }                                                                                                              \
    }
#define KY_CPAGE_LET(Member, T, label)                                                                                 \
    void CPage::set##Member(T value) { forwarded_let(#Member, QVariant(value), label); }

KY_CPAGE_GET(PageIndex, std::int32_t, " - CPage:PageIndex Get")
KY_CPAGE_GET(PageNext, std::int32_t, " - CPage:PageNext Get")
KY_CPAGE_LET(PageNext, std::int32_t, " - CPage:PageNext Let")
KY_CPAGE_GET(PageBack, std::int32_t, " - CPage:PageBack Get")
KY_CPAGE_LET(PageBack, std::int32_t, " - CPage:PageBack Let")
KY_CPAGE_GET(PageMode, std::int32_t, " - CPage:PageMode Get")
KY_CPAGE_GET(ClientTop, std::int32_t, " - CPage:ClientTop Get")
KY_CPAGE_GET(ClientHeight, std::int32_t, " - CPage:ClientHeight Get")
KY_CPAGE_GET(ClientWidth, std::int32_t, " - CPage:ClientWidth Get")
KY_CPAGE_GET(ClientLeft, std::int32_t, " - CPage:ClientLeft Get")
KY_CPAGE_GET(BannerTitle, QString, " - CPage:BannerTitle Get")
KY_CPAGE_LET(BannerTitle, const QString&, " - CPage:Bannertitle Let")
KY_CPAGE_GET(BannerDescription, QString, " - CPage:BannerDescription Get")
KY_CPAGE_LET(BannerDescription, const QString&, " - CPage:BannerDescription Let")
KY_CPAGE_GET(WatermarkTitle, QString, " - CPage:WatermarkTitle Get")
KY_CPAGE_LET(WatermarkTitle, const QString&, " - CPage:WatermarkTitle Let")
KY_CPAGE_GET(WatermarkDescription, QString, " - CPage:WatermarkDescription Get")
KY_CPAGE_LET(WatermarkDescription, const QString&, " - CPage:WatermarkDescription Let")
KY_CPAGE_GET(WatermarkRule, QString, " - CPage:WatermarkRule Get")
KY_CPAGE_LET(WatermarkRule, const QString&, " - CPage:WatermarkRule Let")

#undef KY_CPAGE_GET
#undef KY_CPAGE_LET

void CPage::setPageIndex(std::int32_t)
{
    if (modBase::SharedShowErrorMsg())
        kycomctl::show_message(QStringLiteral("You can't set read-only PageIndex property."), kycomctl::vbOKOnly,
                               QString());
}

QVariant CPage::Tag() { return forwarded_get("Tag", " - CPage:Tag Get"); }

void CPage::setTag(const QVariant& value) { forwarded_let("Tag", value, " - CPage:Tag Let"); }

QVariant CPage::TagVariant() { return forwarded_get("TagVariant", " - CPage:TagVariant Get"); }

void CPage::setTagVariant(const QVariant& value)
{
    // An object is written by reference (Set), anything else by value (Let); either way it
    // lands in the page's Variant as it is.
    forwarded_let("TagVariant", value, holds_object(value) ? " - CPage:TagVariant Set" : " - CPage:TagVariant Let");
}

QString CPage::Name() { return name_; }

void CPage::setName(const QString& value) { name_ = value; }

std::int32_t CPage::HelpContextID()
{
    return forms::CLng(forms::get(wizard_page_.data(), QStringLiteral("HelpContextID")));
}

void CPage::setHelpContextID(std::int32_t value)
{
    forms::let(wizard_page_.data(), QStringLiteral("HelpContextID"), value);
}

QVariant CPage::WizardPage()
{
    if (!wizard_page_)
        return {};
    return QVariant::fromValue(wizard_page_.data());
}

void CPage::setWizardPage(const QVariant& page)
{
    try {
        if (!page.isValid() || page.isNull()) {
            wizard_page_.clear();
            return;
        }
        if (!page.metaType().flags().testFlag(QMetaType::PointerToQObject))
            forms::raise(424);
        wizard_page_ = page.value<QObject*>();
    } catch (const forms::VbError& error) {
        wizard_page_.clear();
        report(error, " - CPage:WizardPage Set");
    }
}
