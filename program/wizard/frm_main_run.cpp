// frmMain's side of a collection run: the processing page's run (progress display, timer,
// session log) and, at its end, the results page's grid, errors label and output buttons.

#include "program/wizard/control_dispatch.h"
#include "program/wizard/frm_main.h"

#include "program/client/collector.h"
#include "program/wizard/domain_list_page.h"
#include "program/wizard/output_actions.h"
#include "program/wizard/processing_run.h"
#include "program/wizard/results_grid.h"
#include "program/wizard/server_list_page.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/flex_grid.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/core/vb_error.h"

namespace program {

namespace {
constexpr int kResultsPage = 5; // the registry's 5th page: wtChooseOutput
constexpr int kIconSize = 32;
} // namespace

void FrmMain::BindRun()
{
    m_tmrProcessProgress.setInterval(program::ProcessingRun::kTickMilliseconds);
    m_tmrProcessProgress.setEnabled(false);
    program::CollectorCalls calls{
        [collector = m_collector](const QStringList& names, std::int32_t mask) { collector->Collect(names, mask); },
        [collector = m_collector] { collector->Cancel(); }};
    m_run = std::make_unique<program::ProcessingRun>(m_log, site(QStringLiteral("piProgressInfo")),
                                                     site(QStringLiteral("prbProcessProgress")), m_tmrProcessProgress,
                                                     std::move(calls));
    connect(&m_tmrProcessProgress, &forms::IntervalTimer::Timer, this, [this] { m_run->tmrProcessProgress_Timer(); });

    m_output = std::make_unique<program::OutputActions>(this, m_results, m_log);
    for (int index = 0; index < 3; ++index)
        connect(&control("cmdChooseOutput", index), &forms::IntrinsicControl::Click, this,
                [this, index] { m_output->cmdChooseOutput_Click(index); });
    connect(&control("cmdViewLog"), &forms::IntrinsicControl::Click, this, [this] { m_output->cmdViewLog_Click(); });
}

void FrmMain::SetProcessingTexts(bool bExchange)
{
    const program::ProcessingTexts texts = program::SetProcessingTexts(bExchange);
    const program::ControlDispatch page(site(QStringLiteral("wtProcessing")));
    page.let("BannerTitle", texts.BannerTitle);
    page.let("BannerDescription", texts.BannerDescription);
    const program::ControlDispatch panel(site(QStringLiteral("piProgressInfo")));
    panel.let("StepDescription0", texts.StepDescription0);
    panel.set("Image", QVariant::fromValue(forms::StdPicture::create(texts.Image.pixmap(kIconSize, kIconSize).toImage(),
                                                                     forms::StdPicture::Icon)));
}

std::optional<QStringList> FrmMain::BuildNameList(bool bExchange) const
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
    if (names.isEmpty())
        return std::nullopt;
    return names;
}

void FrmMain::StartCollection(bool bExchange) { m_run->StartCollection(BuildNameList(bExchange), bExchange); }

void FrmMain::CancelCollection() { m_run->CancelCollection(); }

void FrmMain::m_collector_DomainCollected(const QString& sDomainName, const QString& ErrorString)
{
    m_run->DomainCollected(sDomainName, ErrorString);
}

void FrmMain::m_collector_CollectionCompleted(IOstrelInfoCollection* pInfos, const QString& ErrorString)
{
    (void)ErrorString; // the entries carry their own error texts
    program::CompletionSteps steps;
    steps.show_results = [this, pInfos] {
        if (pInfos == nullptr)
            forms::raise(forms::vberr::ObjectVariableNotSet);
        CCollector converter;
        const auto domains = converter.Infos2domains(pInfos, m_bExchange);
        m_results = program::FillResultsGrid(
            *domains, static_cast<forms::FlexGrid&>(control("fxgOutResults")),
            {&control("cmdChooseOutput", 0), &control("cmdChooseOutput", 1), &control("cmdChooseOutput", 2)},
            [](const QString& description) { forms::MsgBox(description, forms::vbExclamation); });
        m_output->NewResults();
    };
    steps.go_to_results = [this] {
        setNextEnabled(true);
        GoToPage(kResultsPage);
    };
    steps.show_errors = [this](const QString& caption) { control("lblErrors").setProperty("Caption", caption); };
    steps.result_count = [pInfos] {
        LONG count = 0;
        if (pInfos == nullptr || pInfos->get_Count(&count) < 0)
            forms::raise(forms::vberr::ObjectVariableNotSet);
        return static_cast<std::int32_t>(count);
    };
    m_run->CollectionCompleted(steps);
}

} // namespace program
