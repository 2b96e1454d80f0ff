// A handler of the run's events that fails, in a real run: the wizard in-process with the real
// collector, counting a host that accepts the connection and answers nothing, so that its entry
// is reported only when the directory operation times out. The failure is one of the form's own
// controls gone meanwhile: the progress display (each handler's first step on it fails) or the
// results grid (the end handler's first step fails). The log holds the handler-failure line or
// "An error occured: " with the reason, and the wizard stays on the processing page; after a
// failure that early the timer still runs.

#include "program/wizard/domain_list_page.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/hosting/user_control.h"
#include "tests/program/wizard/navigator_click.h"
#include "tests/program/wizard/silent_host_wizard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The operation timeout that ends the wait on the silent host: the entry's report.
constexpr const char* kOperationTimeoutSeconds = "2";

// Each test has a silent host of its own: the tests may run at the same time.
class WizardHandlerFailure : public program_test::SilentHostWizardTest {
protected:
    explicit WizardHandlerFailure(const char* host) : SilentHostWizardTest(host, kOperationTimeoutSeconds) {}

    // A run over the silent host; `lose` takes a control away once the run waits on the host.
    void run_losing(const std::function<void(program::FrmMain&)>& lose)
    {
        form = show_wizard();
        program_test::click_navigator(*form, "&Next >");
        program_test::click_navigator(*form, "&Next >");
        forms::ListView& list = form->domains()->lstDomainsList();
        list.setChecked(list.Add(QString::fromLatin1(kSilentHost), QStringLiteral("1")), true);
        form->domains()->UpdateDomainsNextButton();
        const int accepted_before = listener->accepted();
        program_test::click_navigator(*form, "&Next >");
        ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtProcessing"));
        ASSERT_TRUE(until([&] { return listener->accepted() > accepted_before; }))
            << "the run never connected to the silent host";
        lose(*form);
        ASSERT_TRUE(until([&] { return form->Log().contains(QStringLiteral("An error occured: ")); }))
            << form->Log().toStdString();
    }

    static bool until(const std::function<bool()>& done)
    {
        turn_until(done, 30000);
        return done();
    }
};

class ProgressDisplayGone : public WizardHandlerFailure {
protected:
    ProgressDisplayGone() : WizardHandlerFailure("127.0.0.83") {}
};

class ResultsGridGone : public WizardHandlerFailure {
protected:
    ResultsGridGone() : WizardHandlerFailure("127.0.0.84") {}
};

TEST_F(ProgressDisplayGone, BothHandlersFailWithTheirLines)
{
    run_losing([](program::FrmMain& f) { delete f.page(QStringLiteral("piProgressInfo"))->control(); });
    const QString log = form->Log();
    // The entry's handler: its line with the error's number and description, no failure line.
    // The program reaches the display through its dispatch interface, so a display gone from
    // under it is an object disconnected from its client.
    static const QRegularExpression handler_failure(
        QStringLiteral(", Error:\tDomain 127\\.0\\.0\\.83\\. \r\nerror number:-2147417848 - "
                       "The object invoked has disconnected from its clients\\.\r\n"));
    EXPECT_TRUE(handler_failure.match(log).hasMatch()) << log.toStdString();
    // The end handler: the results are filled and the timer switched off before the display
    // fails; the rest is skipped, so the wizard stays on the processing page.
    static const QRegularExpression end_failure(QStringLiteral("An error occured: [^\r\n]+"));
    EXPECT_TRUE(end_failure.match(log).hasMatch()) << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("End inspecting domains"))) << log.toStdString();
    EXPECT_EQ(form->CurrentPageName(), QStringLiteral("wtProcessing"));
    EXPECT_FALSE(form->ProcessTimerOn());
    EXPECT_TRUE((*boxes)->boxes.empty());
}

TEST_F(ResultsGridGone, TheEndHandlerFailsEarlyAndTheTimerRunsOn)
{
    run_losing([](program::FrmMain& f) { delete f.intrinsic(QStringLiteral("fxgOutResults")); });
    const QString log = form->Log();
    // The entry itself was handled: its failure line (the host never answered).
    EXPECT_TRUE(log.contains(QStringLiteral(", Error:\tDomain 127.0.0.84. \r\n"))) << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("error number:"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("An error occured: The form has no IntrinsicControl named fxgOutResults")))
        << log.toStdString();
    EXPECT_EQ(form->CurrentPageName(), QStringLiteral("wtProcessing"));
    EXPECT_TRUE(form->ProcessTimerOn());
    // The person can still leave: Back cancels and returns to the list.
    program_test::click_navigator(*form, "< &Back");
    EXPECT_EQ(form->CurrentPageName(), QStringLiteral("wtSelectDomains"));
    EXPECT_FALSE(form->ProcessTimerOn());
}

} // namespace
