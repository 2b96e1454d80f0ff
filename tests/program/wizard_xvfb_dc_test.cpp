// The wizard as a user runs it on a screen: Ostrel without arguments on an X display of its
// own (Xvfb), a real window of Qt's xcb platform, driven by keys (xdotool) against
// the test run's Samba DC with the user's Kerberos ticket: Next through the domain list the
// network fills, the run, the results; Save through the real save dialog; Next and Finish,
// after which the program ends with status 0. Every page it passes is grabbed from the screen.

#include "tests/program/headless_process.h"
#include "tests/program/xvfb_controls.h"
#include "tests/program/xvfb_run.h"
#include "tests/support/dc_ticket.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/server_env.h"

#include <QFile>
#include <QImage>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

using program_test::headless_process;

TEST(WizardOnTheScreenAgainstTheDc, AUserAtTheKeyboardCountsTheDomainSavesTheReportAndFinishes)
{
    OSTREL_REQUIRE_SAMBA_DC();
    OSTREL_REQUIRE_XVFB_RUN(xvfb);
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool");
    std::string why;
    ASSERT_TRUE(ostrel::test::take_dc_ticket(why)) << why;
    // Made after the ticket: the program inherits the ticket cache.
    headless_process ostrel(true);
    program_test::register_controls(ostrel);
    if (HasFatalFailure())
        return;
    const QString pictures = QString::fromStdString(forms::artefacts_dir().string());
    const QString report = ostrel.path(QStringLiteral("statistics.txt"));
    ostrel.set_env(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    ostrel.set_env(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
    ostrel.set_env(QStringLiteral("PICTURES"), pictures);
    ostrel.set_env(QStringLiteral("REPORT"), report);
    ostrel.set_env(QStringLiteral("DRIVE"), QStringLiteral(OSTREL_XVFB_DRIVE));

    const auto result = ostrel.run_shell(
        QStringLiteral("exec \"%1\" -a -s '-screen 0 1024x768x24' sh \"$DRIVE\"").arg(xvfb), 240000);
    QFile err(pictures + QStringLiteral("/wizard_xvfb_dc.err"));
    const QString wizardErr = err.open(QIODevice::ReadOnly) ? QString::fromUtf8(err.readAll()) : QString();
    const std::string seen = result.out.toStdString() + result.err.toStdString() + wizardErr.toStdString();
    ASSERT_TRUE(result.finished) << seen;
    for (const char* page : {"1_welcome", "2_option", "3_domains", "4_processing", "5_results", "6_finish"}) {
        EXPECT_TRUE(result.out.contains(QStringLiteral("page ") + QLatin1String(page))) << page << "\n" << seen;
        EXPECT_FALSE(
            QImage(pictures + QStringLiteral("/wizard_xvfb_dc_") + QLatin1String(page) + QStringLiteral(".png"))
                .isNull())
            << page;
    }
    EXPECT_TRUE(result.out.contains(QStringLiteral("saved\n"))) << seen;
    EXPECT_TRUE(result.out.contains(QStringLiteral("status=0"))) << seen;

    const QString saved = ostrel.read(QStringLiteral("statistics.txt"));
    EXPECT_TRUE(saved.contains(QStringLiteral("Users=") + QString::number(ostrel::test::dc_count("COUNT_USER"))))
        << saved.toStdString();
}

} // namespace
