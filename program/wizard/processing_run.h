#pragma once
// ProcessingRun: the wizard's side of one collection run on the processing page. Entering the
// page starts the run, the collector's events advance a progress display that moves once a
// second towards a target of 60 units per reported entry, and each report, the cancel and the
// end add the session log's lines (the same lines as the headless run). The wizard form owns
// one ProcessingRun for its life, with the session log, the progress panel and bar (reached
// late-bound by their properties), the page's one-second timer and the collector's calls.
//
// Everything runs on the UI thread. Setting a progress value lets pending events run, so a
// Back click can arrive inside StartCollection or inside a DomainCollected handler: a start
// the user has left meanwhile does not start the collector, and the collector's Cancel asked
// from inside its own event returns at once (its completion still arrives).

#include "program/client/collector_calls.h"
#include "program/report/session_log.h"
#include "program/wizard/control_dispatch.h"

#include <QIcon>
#include <QObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace forms {
class IntervalTimer;
}

namespace program {

// The progress after one tick: from `progress` halfway (rounded half to even) towards
// `target` when the target is ahead of `barValue`, otherwise one unit further; never beyond
// (target + 60) × 0.99, rounded the same way.
std::int32_t next_progress(std::int32_t progress, std::int32_t target, std::int32_t barValue);

// The processing page's texts and picture for a run's mode (the texts read uncached):
// wtProcessing's BannerTitle and BannerDescription, piProgressInfo's StepDescription0 and
// Image.
struct ProcessingTexts {
    QString BannerTitle;
    QString BannerDescription;
    QString StepDescription0;
    QIcon Image;
};
ProcessingTexts SetProcessingTexts(bool bExchange);

// What the end of a run does besides the run's own steps, in the order the end runs them.
struct CompletionSteps {
    std::function<void()> show_results;                      // convert the results, fill the grid
    std::function<void()> go_to_results;                     // enable Next, move to the results page
    std::function<void(const QString& caption)> show_errors; // the errors label
    std::function<std::int32_t()> result_count;              // entries in the result collection
};

class ProcessingRun {
public:
    inline static constexpr std::int32_t kUnitsPerEntry = 60;
    inline static constexpr std::int32_t kTickMilliseconds = 1000;

    ProcessingRun(SessionLog& log, QObject* piProgressInfo, QObject* prbProcessProgress,
                  forms::IntervalTimer& tmrProcessProgress, CollectorCalls collector);

    // Starts a run over `names` (nothing when no name qualifies: the start line is logged
    // and no run starts). A failing Collect stops the timer and is raised to the caller.
    void StartCollection(const std::optional<QStringList>& names, bool bExchange);
    // Back from the processing page, or Cancel: logs the cancel, stops the collector (also
    // when no run is active), sets the progress to 0 and stops the timer.
    void CancelCollection();
    // The timer's tick (also called directly); a failing tick changes nothing.
    void tmrProcessProgress_Timer();

    void DomainCollected(const QString& sDomainName, const QString& ErrorString);
    void CollectionCompleted(const CompletionSteps& steps);

    std::int32_t Processed() const { return m_nProcessed; }
    std::int32_t Errors() const { return m_nErrors; }
    std::int32_t Target() const { return m_nTarget; }

private:
    void AppendLog(const QString& text) { m_log.AddLogLine(text); }
    void SetTimer(bool on);

    SessionLog& m_log;
    // The progress panel and bar, called by DISPID.
    ControlDispatch m_progressInfo;
    ControlDispatch m_progressBar;
    forms::IntervalTimer& m_timer;
    CollectorCalls m_collector;

    std::int32_t m_nProcessed = 0;
    std::int32_t m_nErrors = 0;
    std::int32_t m_nTarget = 0;
    bool m_bExchange = false;
    // Counts starts and cancels: a start that finds it moved after its pumping was left.
    std::uint64_t m_generation = 0;
};

} // namespace program
