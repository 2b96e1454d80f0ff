#include "program/wizard/processing_run.h"

#include "program/report/program_strings.h"
#include "program/report/resources.h"

#include "collector/oxc_ostrel_counter.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/services/interval_timer.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/vb_error.h"

#include <cmath>

namespace program {

namespace {

constexpr int ST_RUNNING = 1;
constexpr int ST_PASSED = 3;

std::int32_t round_half_even(double value)
{
    return static_cast<std::int32_t>(std::nearbyint(value)); // the default rounding: to even
}

} // namespace

ProcessingTexts SetProcessingTexts(bool bExchange)
{
    struct Numbers {
        UINT title, description, step;
        std::int32_t icon;
    };
    static constexpr Numbers kNetwork{IDS_PROCESSING_TITLE, IDS_PROCESSING_DESCRIPTION, IDS_PROGRESS_STEP_DOMAINS,
                                      IDI_NETWORK};
    static constexpr Numbers kExchange5{IDS_PROCESSING_TITLE_EXCHANGE5, IDS_PROCESSING_DESCRIPTION_EXCHANGE5,
                                        IDS_PROGRESS_STEP_EXCHANGE5, IDI_EXCHANGE5};
    const Numbers& n = bExchange ? kExchange5 : kNetwork;
    return {load_res_string(n.title), load_res_string(n.description), load_res_string(n.step),
            Resources::Shared().LoadIcon(n.icon)};
}

std::int32_t next_progress(std::int32_t progress, std::int32_t target, std::int32_t barValue)
{
    std::int32_t next = progress + 1;
    if (target > barValue)
        next = round_half_even(progress + (static_cast<double>(target) - progress + 1) / 2);
    const double cap = (static_cast<double>(target) + 60) * 0.99;
    if (cap < next)
        next = round_half_even(cap);
    return next;
}

ProcessingRun::ProcessingRun(SessionLog& log, QObject* piProgressInfo, QObject* prbProcessProgress,
                             forms::IntervalTimer& tmrProcessProgress, CollectorCalls collector)
    : m_log(log), m_progressInfo(piProgressInfo), m_progressBar(prbProcessProgress), m_timer(tmrProcessProgress),
      m_collector(std::move(collector))
{
    // The runtime's timer starts enabled with no interval: it must not tick before a run.
    m_timer.setEnabled(false);
    m_timer.setInterval(kTickMilliseconds);
}

void ProcessingRun::SetTimer(bool on) { m_timer.setEnabled(on); }

void ProcessingRun::StartCollection(const std::optional<QStringList>& names, bool bExchange)
{
    AppendLog(SessionLog::StartLine(SessionLog::Now()));
    if (!names)
        return;
    const std::uint64_t start = ++m_generation;
    const std::int32_t n = static_cast<std::int32_t>(names->size());
    m_bExchange = bExchange;
    m_nTarget = 0;
    m_nErrors = 0;
    // Reset before the collector starts, never after: an entry reported before Collect has
    // returned (its wait serves this thread's events) stays counted.
    m_nProcessed = 0;

    m_progressInfo.let("Errors", 0);
    m_progressInfo.let("Total", n);
    m_progressInfo.let("Progress", 0);
    m_progressInfo.let("ProgressMax", n * kUnitsPerEntry);
    m_progressInfo.let("StepState", ST_RUNNING, {0});
    m_progressBar.let("Value", 0);
    m_progressInfo.let("Processed", 0);
    m_progressBar.let("Max", n * kUnitsPerEntry);

    tmrProcessProgress_Timer();
    // A Back click handled while the display let events run has left the page: no run.
    if (start != m_generation)
        return;
    SetTimer(true);
    try {
        m_collector.collect(*names, bExchange ? oxcExchange5 : oxcNetwork);
    } catch (...) {
        SetTimer(false);
        throw;
    }
}

void ProcessingRun::CancelCollection()
{
    ++m_generation;
    AppendLog(SessionLog::CancelLine(SessionLog::Now()));
    if (m_collector.cancel)
        m_collector.cancel();
    m_progressInfo.let("Progress", 0);
    SetTimer(false);
}

void ProcessingRun::tmrProcessProgress_Timer()
{
    try {
        const std::int32_t progress = forms::CLng(m_progressInfo.get("Progress"));
        const std::int32_t barValue = forms::CLng(m_progressBar.get("Value"));
        m_progressInfo.let("Progress", next_progress(progress, m_nTarget, barValue));
    } catch (const forms::VbError&) {
        // A tick that fails changes nothing; the next one tries again.
    }
}

void ProcessingRun::DomainCollected(const QString& sDomainName, const QString& ErrorString)
{
    const QString now = SessionLog::Now();
    try {
        ++m_nProcessed;
        m_progressInfo.let("Processed", m_nProcessed);
        m_nTarget += kUnitsPerEntry;
        tmrProcessProgress_Timer();
        if (ErrorString.isEmpty()) {
            AppendLog(SessionLog::SuccessLine(now, m_bExchange, sDomainName));
        } else {
            AppendLog(SessionLog::FailureLine(now, m_bExchange, sDomainName, ErrorString));
            ++m_nErrors;
            m_progressInfo.let("Errors", m_nErrors);
        }
    } catch (const forms::VbError& error) {
        AppendLog(SessionLog::HandlerFailureLine(now, m_bExchange, sDomainName, error.number(), error.description()));
    }
}

void ProcessingRun::CollectionCompleted(const CompletionSteps& steps)
{
    try {
        steps.show_results();
        SetTimer(false);
        m_progressInfo.let("StepState", ST_PASSED, {0});
        steps.go_to_results();
        QString caption = Resources::Shared().LoadString(IDS_ERRORS_DETECTED);
        caption.replace(QStringLiteral("%n"), QString::number(m_nErrors));
        steps.show_errors(caption);
        AppendLog(SessionLog::EndLine(SessionLog::Now()));
        AppendLog(SessionLog::ProcessedLine(steps.result_count()));
        AppendLog(SessionLog::ErrorsLine(m_nErrors));
    } catch (const forms::VbError& error) {
        try {
            AppendLog(SessionLog::EndFailureLine(error.description()));
        } catch (...) {
        }
    }
}

} // namespace program
