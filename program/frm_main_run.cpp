// frmMain's side of a collection run, as far as the page flow needs it. The processing page
// (progress display, timer, session-log lines) and the results page (result model, grid,
// errors label) join at the places marked "Joins here".

#include "program/frm_main.h"

#include "program/domain_list_page.h"
#include "program/program_strings.h"
#include "program/resources.h"
#include "program/server_list_page.h"

#include "platform/forms/control_site.h"
#include "platform/forms/late_binding.h"
#include "platform/forms/list_view.h"
#include "platform/forms/std_picture.h"

namespace {

struct ProcessingTexts {
    std::int32_t title, description, step, icon;
};
constexpr ProcessingTexts kNetworkTexts{105, 106, 132, 102};
constexpr ProcessingTexts kExchangeTexts{137, 138, 136, 103};
constexpr int kResultsPage = 5; // the registry's 5th page: wtChooseOutput

} // namespace

void FrmMain::SetProcessingTexts(bool bExchange)
{
    const ProcessingTexts& t = bExchange ? kExchangeTexts : kNetworkTexts;
    forms::ControlSite* page = site(QStringLiteral("wtProcessing"));
    forms::let(page, QStringLiteral("BannerTitle"), program::load_res_string(static_cast<UINT>(t.title)));
    forms::let(page, QStringLiteral("BannerDescription"), program::load_res_string(static_cast<UINT>(t.description)));
    forms::ControlSite* panel = site(QStringLiteral("piProgressInfo"));
    forms::let(panel, QStringLiteral("StepDescription0"), program::load_res_string(static_cast<UINT>(t.step)));
    const QIcon icon = Resources::Shared().LoadIcon(t.icon);
    forms::set(panel, QStringLiteral("Image"),
               QVariant::fromValue(forms::StdPicture::create(icon.pixmap(32, 32).toImage(), forms::StdPicture::Icon)));
}

QStringList FrmMain::BuildNameList(bool bExchange) const
{
    QStringList names;
    if (bExchange) {
        const forms::ListView& lst = m_servers->lstOrgs();
        for (int i = 1; i <= lst.Count(); ++i)
            names << lst.Text(i);
    } else {
        const forms::ListView& lst = m_domains->lstDomainsList();
        for (int i = 1; i <= lst.Count(); ++i)
            if (lst.Checked(i))
                names << lst.Text(i);
    }
    return names;
}

void FrmMain::StartCollection(bool bExchange)
{
    // Joins here: the start line of the session log, the progress display and its timer.
    const QStringList names = BuildNameList(bExchange);
    if (names.isEmpty())
        return;
    m_nTarget = 0;
    m_nErrors = 0;
    m_collector->Collect(names, bExchange ? oxcExchange5 : oxcNetwork);
    m_nProcessed = 0;
}

void FrmMain::CancelCollection()
{
    // Joins here: the cancel line of the session log, the progress display reset, the timer.
    m_collector->Cancel();
}

void FrmMain::m_collector_DomainCollected(const QString& sDomainName, const QString& ErrorString)
{
    // Joins here: the progress target, the entry's session-log line and the error count.
    (void)sDomainName;
    ++m_nProcessed;
    if (!ErrorString.isEmpty())
        ++m_nErrors;
}

void FrmMain::m_collector_CollectionCompleted(IOstrelInfoCollection* pInfos, const QString& ErrorString)
{
    // Joins here: the result model and grid, the step passed, the errors label, the end lines.
    (void)pInfos;
    (void)ErrorString;
    setNextEnabled(true);
    GoToPage(kResultsPage);
}

void FrmMain::AppendLog(const QString& s) { m_sLog += s + QStringLiteral("\r\n"); }
