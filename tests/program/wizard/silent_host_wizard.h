#pragma once
// The wizard in-process with the real collector (the network's enumeration left out) and a
// host on a loopback address that accepts connections and answers nothing, so that a run over
// it waits until the directory operation times out (LDAPTIMEOUT, read once per process). The
// fixture registers the control library and the collector in a registry of its own and records
// the message boxes.

#include "program/client/wizard_collector.h"
#include "program/wizard/frm_main.h"

#include "tests/program/wizard/loopback_collector.h"
#include "tests/program/wizard/register_collector.h"
#include "tests/support/forms/recording_message_box.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/server_env.h"
#include "tests/support/silent_listener.h"
#include "tests/support/temp_registry.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace program_test {

class SilentHostWizardTest : public ::testing::Test {
protected:
    SilentHostWizardTest(const char* host, const char* operation_timeout_seconds)
        : kSilentHost(host), m_timeout(operation_timeout_seconds)
    {
    }

    void SetUp() override
    {
        setenv("LDAPTIMEOUT", m_timeout, 1);
        listener = std::make_unique<ostrel::test::silent_listener>(kSilentHost, 389);
        if (!listener->listening()) {
            if (ostrel::test::servers_required())
                FAIL() << listener->failure();
            GTEST_SKIP() << listener->failure();
        }
        forms::TestHost::ensure_application();
        registry = std::make_unique<ostrel::test::temp_registry>();
        register_controls_and_collector();
        if (HasFatalFailure())
            return;
        boxes = std::make_unique<forms::ScopedMessageBoxRecorder>();
    }

    // Turns the event loop until `done` or `bound_ms` have passed; the time it took.
    static qint64 turn_until(const std::function<bool()>& done, qint64 bound_ms)
    {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < bound_ms)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return waited.elapsed();
    }

    // A wizard over the real collector, shown.
    static std::unique_ptr<program::FrmMain> show_wizard()
    {
        auto form = std::make_unique<program::FrmMain>(
            std::make_shared<LoopbackCollector>(program::CreateWizardCollector()));
        form->Show(forms::vbModeless);
        return form;
    }

    const char* const kSilentHost;
    std::unique_ptr<ostrel::test::silent_listener> listener;
    std::unique_ptr<ostrel::test::temp_registry> registry;
    std::unique_ptr<forms::ScopedMessageBoxRecorder> boxes;
    std::unique_ptr<program::FrmMain> form;

private:
    const char* m_timeout;
};

} // namespace program_test
