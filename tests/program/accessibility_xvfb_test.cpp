// What a screen reader gets: the wizard and every property page of the control library, read
// from outside through the accessibility bus (AT-SPI) while real clicks and keys drive them,
// as real windows of Qt's xcb platform on an X display of their own. The reading and the
// input are tests/program/accessibility_tree.py's; a run waits on a host that accepts and
// never answers, so the processing page stays while its progress bar is read.

#include "tests/program/focus_ring.h"
#include "tests/program/headless_process.h"
#include "tests/program/xvfb_controls.h"
#include "tests/program/xvfb_run.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/server_env.h"
#include "tests/support/silent_listener.h"

#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using program_test::headless_process;

const char* const kSilentHost = "127.0.0.121";
// Nothing listens there: the connection is refused at once.
const char* const kRefusingHost = "127.0.0.122";

bool python_reads_the_bus()
{
    const auto probe = program_test::run_program(QStringLiteral("/usr/bin/python3"),
                                                 {QStringLiteral("-c"), QStringLiteral("import pyatspi")},
                                                 QProcessEnvironment::systemEnvironment(), 30000);
    return probe.exit_code == 0;
}

TEST(AccessibilityOnTheScreen, EveryWizardPageAndPropertyPageReadsAsAPersonSeesIt)
{
    OSTREL_REQUIRE_XVFB_RUN(xvfb);
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool");
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty(),
                        "dbus-run-session (dbus-x11)");
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("at-spi-bus-launcher"),
                                                        {QStringLiteral("/usr/libexec")})
                             .isEmpty(),
                        "at-spi-bus-launcher (at-spi2-core)");
    OSTREL_REQUIRE_TOOL(python_reads_the_bus(), "python3-pyatspi");
    ostrel::test::silent_listener listener(kSilentHost, 389);
    OSTREL_REQUIRE_TOOL(listener.listening(), "a listener on 127.0.0.121:389: " + listener.failure());

    headless_process ostrel(true);
    program_test::register_controls(ostrel);
    if (HasFatalFailure())
        return;
    ostrel.set_env(QStringLiteral("OSTREL_DESIGN"), QStringLiteral(OSTREL_DESIGN_TOOL));
    ostrel.set_env(QStringLiteral("CONTROLS_FORM"), QStringLiteral(OSTREL_CONTROLS_FORM));
    ostrel.set_env(QStringLiteral("CONTROLS"),
                   QStringLiteral("kwnNavigator wtPage kylTitle kudCount prbProgress piInfo ktbOptions"));
    ostrel.set_env(QStringLiteral("SILENT_HOST"), QString::fromLatin1(kSilentHost));
    ostrel.set_env(QStringLiteral("REFUSING_HOST"), QString::fromLatin1(kRefusingHost));
    ostrel.set_env(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
    ostrel.set_env(QStringLiteral("PICTURES"), QString::fromStdString(forms::artefacts_dir().string()));
    const auto result = ostrel.run_shell(
        QStringLiteral("exec \"%1\" -a -s '-screen 0 1280x1024x24' dbus-run-session /usr/bin/python3 \"%2\" 2>&1")
            .arg(xvfb, QStringLiteral(OSTREL_ACCESSIBILITY_TREE)),
        300000);
    ASSERT_TRUE(result.finished) << result.out.toStdString();
    EXPECT_EQ(result.exit_code, 0) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains(QStringLiteral("\ndone"))) << result.out.toStdString();
    EXPECT_FALSE(result.out.contains(QStringLiteral("fault:"))) << result.out.toStdString();
    std::fprintf(stderr, "%s", result.out.toStdString().c_str());

    // The control that has the focus on the processing page shows it: a ring of another colour
    // just inside its edge, on the screen's picture at the place the reader read.
    const QRegularExpressionMatch place =
        QRegularExpression(QStringLiteral("processing: focus on (.*) at (\\d+),(\\d+) (\\d+)x(\\d+)")).match(result.out);
    ASSERT_TRUE(place.hasMatch()) << result.out.toStdString();
    const QRect focused(place.captured(2).toInt(), place.captured(3).toInt(), place.captured(4).toInt(),
                        place.captured(5).toInt());
    const QImage screen(QString::fromStdString((forms::artefacts_dir() / "accessibility_processing_focus.png").string()));
    ASSERT_FALSE(screen.isNull());
    const double ring = program_test::focus_ring_share(screen, focused);
    EXPECT_GE(ring, 0.3) << "no focus shows on " << place.captured(1).toStdString() << ": " << ring
                         << " of its edge differs";
}

} // namespace
