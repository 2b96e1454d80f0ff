// Back clicked while a DomainCollected handler lets events run (the progress display pumps
// messages): the processing run's Cancel reaches the collector, which is waiting for that very
// handler, and must return at once; the run then ends with its completion like any other.
// The real collector module (its test build over a scripted back end) and the real progress
// controls, on the UI thread's apartment.
#include "program/client/collector_calls.h"
#include "program/client/collector_events.h"
#include "program/wizard/processing_run.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/connection_points.h"
#include "platform/com/runtime.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/services/interval_timer.h"
#include "tests/collector/fake_backend.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTimer>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

using install_fn = void (*)(directory_backend*, network_backend*);
using entry_fn = HRESULT (*)();

class WizardRunCancel : public KyComCtlTest {
protected:
    void SetUp() override
    {
        qputenv("LC_ALL", "C");
        KyComCtlTest::SetUp();
        module = ::dlopen(OSTREL_COLLECTOR_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << ::dlerror();
        ASSERT_EQ(reinterpret_cast<entry_fn>(::dlsym(module, "DllRegisterServer"))(), S_OK);
        install = reinterpret_cast<install_fn>(::dlsym(module, "OstrelCollectorTesting_InstallBackends"));
        ASSERT_NE(install, nullptr);
        collector_test::install_standard_tables(backend);
        install(&backend, &backend);
    }
    void TearDown() override
    {
        if (install)
            install(nullptr, nullptr);
        KyComCtlTest::TearDown();
    }

    void* module = nullptr;
    install_fn install = nullptr;
    collector_test::fake_backend backend;
};

// The caller's hang ends the process with a clear failure instead of a test that never ends.
class Watchdog {
public:
    explicit Watchdog(const char* what)
        : m_thread([this, what] {
              for (int i = 0; i < 1500 && !m_done; ++i)
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              if (!m_done) {
                  std::fprintf(stderr, "FAILED: %s\n", what);
                  std::_Exit(1);
              }
          })
    {
    }
    ~Watchdog()
    {
        m_done = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

TEST_F(WizardRunCancel, BackInsideADomainCollectedHandlerReturnsAndTheRunEnds)
{
    QObject* info = &host().add(QStringLiteral("KyComCtl.KyProgressInfo"), QStringLiteral("piProgressInfo"));
    QObject* bar = &host().add(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbProcessProgress"));
    forms::IntervalTimer timer;
    program::SessionLog log;

    CComPtr<IOstrelCollector> collector;
    ASSERT_EQ(CoCreateInstance(CLSID_OstrelCollector, nullptr, CLSCTX_INPROC_SERVER, com::uuidof<IOstrelCollector>(),
                               reinterpret_cast<void**>(&collector)),
              S_OK);
    program::ProcessingRun run(log, info, bar, timer, program::collector_calls(collector));

    bool clicked = false;
    bool completed = false;
    std::int32_t reported = 0;
    auto events = program::make_collector_events(
        [&](const QString& name, const QString& error) {
            if (!clicked) {
                // The user's Back click waits among the pending events.
                QTimer::singleShot(0, info, [&] {
                    clicked = true;
                    run.CancelCollection();
                });
            }
            run.DomainCollected(name, error);
        },
        [&](IOstrelInfoCollection* infos, const QString&) {
            run.CollectionCompleted({[] {}, [] {}, [](const QString&) {},
                                     [&] {
                                         LONG count = 0;
                                         infos->get_Count(&count);
                                         return static_cast<std::int32_t>(count);
                                     }});
            reported = run.Processed();
            completed = true;
        });
    CComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(collector.QueryInterface(&container), S_OK);
    CComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(com::uuidof<_IOstrelCollectorEvents>(), &point), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(events->GetUnknown(), &cookie), S_OK);

    {
        const Watchdog watchdog("Cancel inside a DomainCollected handler did not return");
        run.StartCollection(
            QStringList{QStringLiteral("nt1.test"), QStringLiteral("nt2.test"), QStringLiteral("nt3.test")}, false);
        QElapsedTimer waited;
        waited.start();
        while (!completed && waited.elapsed() < 20000)
            forms::DoEvents();
    }
    point->Unadvise(cookie);
    events->Forward(nullptr, nullptr);

    EXPECT_TRUE(clicked);
    ASSERT_TRUE(completed);
    EXPECT_EQ(reported, 1); // the run stopped after the entry whose handler saw the click
    EXPECT_FALSE(timer.Enabled());
    QString text = log.text();
    text.replace(QRegularExpression(QStringLiteral(R"(\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{2}:\d{2} [AP]M)")),
                 QStringLiteral("<now>"));
    EXPECT_EQ(text.toStdString(), "<now>, Start inspecting domains.\r\n\r\n"
                                  "\r\n<now>, Cancel inspecting domains.\r\n\r\n"
                                  "<now>, Success:\tDomain nt1.test inspected successfully.\r\n"
                                  "\r\n<now>, End inspecting domains.\r\n"
                                  "\r\nProcessed:\t3\r\n"
                                  "With errors:\t0\r\n\r\n");
}

} // namespace
