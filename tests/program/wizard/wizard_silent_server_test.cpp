// A run stopped while it waits on a host that accepts the connection and never answers (a
// listener on a loopback address that reads and sends nothing): Back, Cancel and the close box
// each end the run at once, since the stop reaches the directory connection in flight, instead
// of after the operation timeout. The wizard in-process with the real collector; the name typed
// into the input dialog; the network's enumeration left out.

#include "program/wizard/domain_list_page.h"
#include "program/wizard/frm_add_domain.h"
#include "program/wizard/frm_main.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/program/headless_process.h"
#include "tests/program/wizard/navigator_click.h"
#include "tests/program/wizard/silent_host_wizard.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The operation timeout the run would otherwise wait out; far above the bound of the test.
constexpr const char* kOperationTimeoutSeconds = "40";
constexpr qint64 kStoppedWithinMs = 10000;

class WizardSilentServer : public program_test::SilentHostWizardTest {
protected:
    WizardSilentServer() : SilentHostWizardTest("127.0.0.79", kOperationTimeoutSeconds) {}
    void SetUp() override
    {
        SilentHostWizardTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        form = show_wizard();
    }

    // Welcome, option page, domain list; the silent host typed into the input dialog and
    // confirmed with Enter; Next; back once the run's connection is waiting on the host.
    void start_run_on_the_silent_host()
    {
        const int accepted_before = listener->accepted();
        const int closed_before = listener->closed_by_client();
        program_test::click_navigator(*form, "&Next >");
        program_test::click_navigator(*form, "&Next >");
        ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtSelectDomains"));
        program::FrmAddDomain& dialog = form->addDialog();
        QTimer::singleShot(0, &dialog, [this, &dialog] {
            QLineEdit& field = *dialog.txtDomainName().findChild<QLineEdit*>();
            QTest::keyClicks(&field, QString::fromLatin1(kSilentHost));
            QTest::keyClick(&field, Qt::Key_Return);
        });
        emit form->domains()->cmdAddDomain().Click();
        ASSERT_GE(form->domains()->lstDomainsList().FindItem(QString::fromLatin1(kSilentHost)), 1);
        program_test::click_navigator(*form, "&Next >");
        ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtProcessing"));
        QElapsedTimer waited;
        waited.start();
        while (listener->accepted() == accepted_before && waited.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_GT(listener->accepted(), accepted_before) << "the run never connected to the silent host";
        // The directory operation is now sent and waiting for its answer.
        QTest::qWait(300);
        ASSERT_EQ(listener->closed_by_client(), closed_before);
    }

    // Turns the event loop until `done`, at most the test's bound; the time it took.
    static qint64 until(const std::function<bool()>& done) { return turn_until(done, kStoppedWithinMs); }
};

struct StopCase {
    const char* how;
    std::function<void(program::FrmMain&)> stop;
    // The page shown afterwards; empty when the wizard is gone.
    const char* page;
};

TEST_F(WizardSilentServer, BackCancelOrTheCloseBoxEndTheWaitOnTheHostAtOnce)
{
    const StopCase cases[] = {
        {"Back", [](program::FrmMain& f) { program_test::click_navigator(f, "< &Back"); }, "wtSelectDomains"},
        {"Cancel", [](program::FrmMain& f) { program_test::click_navigator(f, "Cancel"); }, ""},
        {"the close box",
         [](program::FrmMain& f) { window_input::close_box(*f.window()); },
         ""},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.how);
        if (!form) {
            form = show_wizard();
        }
        const int closed_before = listener->closed_by_client();
        start_run_on_the_silent_host();
        if (HasFatalFailure())
            return;
        QElapsedTimer stopped;
        stopped.start();
        c.stop(*form);
        const qint64 took = stopped.elapsed() + until([&] { return listener->closed_by_client() > closed_before; });
        EXPECT_GT(listener->closed_by_client(), closed_before) << "the connection to the silent host is still open";
        EXPECT_LT(took, kStoppedWithinMs);
        if (*c.page != 0) {
            EXPECT_EQ(form->CurrentPageName(), QString::fromLatin1(c.page));
            forms::save_picture(*form, "wizard_silent_back");
            form->unload_form(forms::vbFormCode);
        } else {
            until([&] { return !form->loaded(); });
            EXPECT_FALSE(form->loaded());
        }
        form.reset();
        EXPECT_TRUE((*boxes)->boxes.empty());
    }
}

} // namespace
