// The processing page's run with the real progress panel and bar: the one-second tick's
// arithmetic, the session log of a run with a failure and of a cancelled run, the counters,
// and the clicks that arrive while the progress display lets events run.
#include "program/wizard/processing_run.h"

#include "collector/oxc_ostrel_counter.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/services/interval_timer.h"
#include "platform/forms/hosting/late_binding.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

using program::next_progress;

// Successive ticks from `progress` with the target and the bar's value fixed.
std::vector<int> ticks(int progress, int target, int count)
{
    std::vector<int> seen;
    for (int i = 0; i < count; ++i)
        seen.push_back(progress = next_progress(progress, target, 0));
    return seen;
}

TEST(ProgressTick, CreepsToTheCapThenHalvesTowardsTheTarget)
{
    std::vector<int> creeping;
    for (int i = 1; i <= 59; ++i)
        creeping.push_back(i);
    creeping.push_back(59); // (0 + 60) x 0.99 = 59.4 holds it at 59
    EXPECT_EQ(ticks(0, 0, 60), creeping);
    EXPECT_EQ(ticks(59, 60, 3), (std::vector<int>{60, 60, 60}));                   // 60.5 rounds to 60
    EXPECT_EQ(ticks(60, 120, 6), (std::vector<int>{90, 106, 114, 118, 120, 120})); // halves to even
    // A target the bar's value has reached creeps again, under the cap.
    EXPECT_EQ(next_progress(60, 60, 60), 61);
    EXPECT_EQ(next_progress(118, 60, 60), 119);
    EXPECT_EQ(next_progress(119, 60, 60), 119); // 118.8 rounds to 119
}

TEST(ProcessingTexts, EachModeHasItsTextsAndPicture)
{
    forms::TestHost::ensure_application();
    const struct {
        bool exchange5;
        const char* step;
        const char* description_start;
    } modes[] = {
        {false, "Inspecting domains", "The wizard is now inspecting the selected domains"},
        {true, "Inspecting Exchange 5.5 organizations", "The wizard is now inspecting the selected Exchange 5.5"},
    };
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.exchange5 ? "Exchange 5.5" : "domains");
        const program::ProcessingTexts texts = program::SetProcessingTexts(mode.exchange5);
        EXPECT_EQ(texts.BannerTitle, QStringLiteral("Collecting statistics"));
        EXPECT_TRUE(texts.BannerDescription.startsWith(QString::fromUtf8(mode.description_start)));
        EXPECT_EQ(texts.StepDescription0.toStdString(), mode.step);
        EXPECT_FALSE(texts.Image.isNull()) << mode.exchange5;
    }
    EXPECT_NE(program::SetProcessingTexts(false).Image.cacheKey(), program::SetProcessingTexts(true).Image.cacheKey());
}

// The log's dates as "<now>", so that a run's log compares whole.
QString with_dates_hidden(QString log)
{
    static const QRegularExpression date(QStringLiteral(R"(\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2}:\d{2} [AP]M)"));
    return log.replace(date, QStringLiteral("<now>"));
}

class ProcessingRunTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        qputenv("LC_ALL", "C");
        KyComCtlTest::SetUp();
        info = &host().add(QStringLiteral("KyComCtl.KyProgressInfo"), QStringLiteral("piProgressInfo"));
        bar = &host().add(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbProcessProgress"));
        run = std::make_unique<program::ProcessingRun>(
            log, info, bar, timer,
            program::CollectorCalls{[this](const QStringList& names, std::int32_t mask) {
                                        collected.push_back(names);
                                        masks.push_back(mask);
                                        if (on_collect)
                                            on_collect();
                                    },
                                    [this] { ++cancels; }});
    }

    program::CompletionSteps completion(std::int32_t count)
    {
        return {[this] { steps.push_back("results"); }, [this] { steps.push_back("go"); },
                [this](const QString& caption) { errors_caption = caption; }, [count] { return count; }};
    }

    int progress() { return forms::get(info, QStringLiteral("Progress")).toInt(); }

    program::SessionLog log;
    QObject* info = nullptr;
    QObject* bar = nullptr;
    forms::IntervalTimer timer;
    std::unique_ptr<program::ProcessingRun> run;
    std::vector<QStringList> collected;
    std::vector<std::int32_t> masks;
    std::function<void()> on_collect;
    int cancels = 0;
    std::vector<std::string> steps;
    QString errors_caption;
};

TEST_F(ProcessingRunTest, TwoDomainsOneFailing)
{
    EXPECT_FALSE(timer.Enabled()); // made enabled with no interval: off until a run
    run->StartCollection(QStringList{QStringLiteral("ad.test"), QStringLiteral("gone.test")}, false);
    ASSERT_EQ(collected.size(), 1u);
    EXPECT_EQ(collected[0], (QStringList{QStringLiteral("ad.test"), QStringLiteral("gone.test")}));
    EXPECT_EQ(masks[0], oxcNetwork);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_EQ(forms::get(info, QStringLiteral("ProgressMax")).toInt(), 120);
    EXPECT_EQ(forms::get(bar, QStringLiteral("Max")).toInt(), 120);
    EXPECT_EQ(progress(), 1); // one tick at once

    run->DomainCollected(QStringLiteral("ad.test"), QString());
    EXPECT_EQ(progress(), 31); // 1 + (60 - 1 + 1) / 2
    run->DomainCollected(QStringLiteral("gone.test"),
                         QStringLiteral("error while connecting to LDAP server 'gone.test'\r\n"));
    EXPECT_EQ(run->Processed(), 2);
    EXPECT_EQ(run->Errors(), 1);
    EXPECT_EQ(run->Target(), 120);

    run->CollectionCompleted(completion(2));
    EXPECT_EQ(steps, (std::vector<std::string>{"results", "go"}));
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(errors_caption, QStringLiteral("1 error(s) detected."));
    EXPECT_EQ(with_dates_hidden(log.text()).toStdString(),
              "<now>, Start inspecting domains.\r\n\r\n"
              "<now>, Success:\tDomain ad.test inspected successfully.\r\n"
              "<now>, Error:\tDomain gone.test. \r\nerror while connecting to LDAP server 'gone.test'\r\n\r\n"
              "\r\n<now>, End inspecting domains.\r\n"
              "\r\nProcessed:\t2\r\n"
              "With errors:\t1\r\n\r\n");
}

TEST_F(ProcessingRunTest, CancelledRunLogsTheCancelThenTheEndOfTheRun)
{
    run->StartCollection(QStringList{QStringLiteral("ad.test"), QStringLiteral("nt.test")}, true);
    EXPECT_EQ(masks.at(0), oxcExchange5);
    run->DomainCollected(QStringLiteral("Org"), QString());
    run->CancelCollection();
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(progress(), 0);
    EXPECT_FALSE(timer.Enabled());
    // The collector reports the end of a cancelled run like any other; its collection may
    // hold more entries than were reported.
    run->CollectionCompleted(completion(2));
    EXPECT_EQ(errors_caption, QStringLiteral("0 error(s) detected."));
    EXPECT_EQ(with_dates_hidden(log.text()).toStdString(),
              "<now>, Start inspecting domains.\r\n\r\n"
              "<now>, Success:\tOrganization Org inspected successfully.\r\n"
              "\r\n<now>, Cancel inspecting domains.\r\n\r\n"
              "\r\n<now>, End inspecting domains.\r\n"
              "\r\nProcessed:\t2\r\n"
              "With errors:\t0\r\n\r\n");
}

TEST_F(ProcessingRunTest, NoNameLogsTheStartAndStartsNothing)
{
    run->StartCollection(std::nullopt, false);
    EXPECT_TRUE(collected.empty());
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(with_dates_hidden(log.text()).toStdString(), "<now>, Start inspecting domains.\r\n\r\n");
}

TEST_F(ProcessingRunTest, AReportThatArrivesWhileCollectStartsIsCounted)
{
    // A second run after a first: its counters restart, and an entry reported while Collect
    // is still starting the run stays counted.
    run->StartCollection(QStringList{QStringLiteral("a")}, false);
    run->DomainCollected(QStringLiteral("a"), QString());
    on_collect = [this] { run->DomainCollected(QStringLiteral("b"), QString()); };
    run->StartCollection(QStringList{QStringLiteral("b")}, false);
    EXPECT_EQ(run->Processed(), 1);
    EXPECT_EQ(run->Target(), 60);
}

TEST_F(ProcessingRunTest, BackClickedWhileTheStartLetsEventsRunStartsNoRun)
{
    // The progress bar lets pending events run when its value is set: the Back click waiting
    // there runs inside StartCollection.
    QTimer::singleShot(0, info, [this] { run->CancelCollection(); });
    run->StartCollection(QStringList{QStringLiteral("a")}, false);
    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(collected.empty());
    EXPECT_FALSE(timer.Enabled());
}

TEST_F(ProcessingRunTest, AFailingTickChangesNothing)
{
    program::ProcessingRun broken(log, info, new QObject(info), timer, {});
    forms::let(info, QStringLiteral("ProgressMax"), 120);
    forms::let(info, QStringLiteral("Progress"), 7);
    broken.tmrProcessProgress_Timer(); // the bar has no Value
    EXPECT_EQ(progress(), 7);
}

} // namespace
