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

#include <memory>

namespace {

using program_test::headless_process;

// Ostrel with the control library registered and the DC administrator's ticket, ready to be
// driven on a display of its own by one of the drive scripts.
class WizardOnTheScreenAgainstTheDc : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        OSTREL_REQUIRE_XVFB_RUN(found);
        xvfb = found;
        OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool");
        OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty(), "xprop (x11-utils)");
        std::string why;
        ASSERT_TRUE(ostrel::test::take_dc_ticket(why)) << why;
        // Made after the ticket: the program inherits the ticket cache.
        ostrel = std::make_unique<headless_process>(true);
        program_test::register_controls(*ostrel);
        if (HasFatalFailure())
            return;
        ostrel->set_env(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        ostrel->set_env(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
        ostrel->set_env(QStringLiteral("PICTURES"), pictures);
    }

    // Runs `drive` on a display of its own; what it printed, with the wizard's standard error.
    program_test::run_result drive(const char* script, const QString& errFile)
    {
        ostrel->set_env(QStringLiteral("DRIVE"), QString::fromLatin1(script));
        auto result = ostrel->run_shell(
            QStringLiteral("exec \"%1\" -a -s '-screen 0 1024x768x24' sh \"$DRIVE\"").arg(xvfb), 240000);
        QFile err(pictures + u'/' + errFile);
        if (err.open(QIODevice::ReadOnly))
            result.err += QString::fromUtf8(err.readAll());
        return result;
    }

    QString xvfb;
    const QString pictures = QString::fromStdString(forms::artefacts_dir().string());
    std::unique_ptr<headless_process> ostrel;
};

TEST_F(WizardOnTheScreenAgainstTheDc, AUserAtTheKeyboardCountsTheDomainSavesTheReportAndFinishes)
{
    const QString report = ostrel->path(QStringLiteral("statistics.txt"));
    ostrel->set_env(QStringLiteral("REPORT"), report);
    const auto result = drive(OSTREL_XVFB_DRIVE, QStringLiteral("wizard_xvfb_dc.err"));
    const std::string seen = result.out.toStdString() + result.err.toStdString();
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

    const QString saved = ostrel->read(QStringLiteral("statistics.txt"));
    EXPECT_TRUE(saved.contains(QStringLiteral("Users=") + QString::number(ostrel::test::dc_count("COUNT_USER"))))
        << saved.toStdString();
}

// Walks by the keyboard alone (tests/program/wizard_xvfb_walks.sh), with no window manager
// and with one.
struct Walk {
    const char* walk;
    const char* window_manager; // "" for none
};

class KeyboardWalks : public WizardOnTheScreenAgainstTheDc, public ::testing::WithParamInterface<Walk> {};

// Return on every page, welcome to Finish: the program ends with status 0 (the finish page's
// Return finishes, it never goes back to the results). Esc on the results page asks before the
// unsaved results go; the box belongs to the wizard, No (its default) keeps the results and
// gives the keys back to the wizard; Yes ends it. View Log without a program that opens a
// text file shows the log in the program's own window, and the keys come back after it and
// after the Save dialog.
TEST_P(KeyboardWalks, ReachTheirEndByKeysAlone)
{
    const Walk& walk = GetParam();
    if (*walk.window_manager != '\0')
        OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QString::fromLatin1(walk.window_manager)).isEmpty(),
                            walk.window_manager);
    ostrel->set_env(QStringLiteral("WALK"), QString::fromLatin1(walk.walk));
    ostrel->set_env(QStringLiteral("WM"), QString::fromLatin1(walk.window_manager));
    const auto result = drive(OSTREL_XVFB_WALKS, QStringLiteral("walk_") + QLatin1String(walk.walk) + ".err");
    const std::string seen = result.out.toStdString() + result.err.toStdString();
    ASSERT_TRUE(result.finished) << seen;
    EXPECT_FALSE(result.out.contains(QStringLiteral("failed:"))) << seen;
    EXPECT_TRUE(result.out.contains(QStringLiteral("status=0"))) << seen;
    if (std::string_view(walk.walk) == "esc") {
        const qsizetype at = result.out.indexOf(QStringLiteral("wizard=0x"));
        ASSERT_GE(at, 0) << seen;
        const QString wizard = result.out.mid(at + 7).section(u'\n', 0, 0);
        EXPECT_TRUE(result.out.contains(QStringLiteral("transient=") + wizard + u'\n')) << seen;
        EXPECT_TRUE(result.out.contains(QStringLiteral("question_title=Ostrel\n"))) << seen;
        EXPECT_TRUE(result.out.contains(QStringLiteral("focus=ok"))) << seen;
        EXPECT_FALSE(QImage(pictures + QStringLiteral("/walk_esc_5_kept.png")).isNull());
    }
    if (std::string_view(walk.walk) == "viewlog") {
        const qsizetype at = result.out.indexOf(QStringLiteral("wizard=0x"));
        ASSERT_GE(at, 0) << seen;
        const QString wizard = result.out.mid(at + 7).section(u'\n', 0, 0);
        EXPECT_EQ(result.out.count(QStringLiteral("transient=") + wizard + u'\n'), 2) << "the log and Save" << seen;
        EXPECT_TRUE(result.out.contains(QStringLiteral("view_title=Session Log\n"))) << seen;
        EXPECT_TRUE(result.out.contains(QStringLiteral("save_title=Save As\n"))) << seen;
        EXPECT_EQ(result.out.count(QStringLiteral("focus=ok")), 2) << seen;
        EXPECT_FALSE(QImage(pictures + QStringLiteral("/walk_viewlog_5_view.png")).isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(NoWindowManagerAndOpenbox, KeyboardWalks,
                         ::testing::Values(Walk{"finish", ""}, Walk{"esc", ""}, Walk{"viewlog", ""},
                                           Walk{"finish", "openbox"}, Walk{"esc", "openbox"},
                                           Walk{"viewlog", "openbox"}),
                         [](const ::testing::TestParamInfo<Walk>& info) {
                             return std::string(info.param.walk) +
                                    (*info.param.window_manager ? "_openbox" : "_no_window_manager");
                         });

} // namespace
