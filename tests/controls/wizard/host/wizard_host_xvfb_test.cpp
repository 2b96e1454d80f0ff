// A host's own wizard driven from outside on an X display of its own: a screen reader's Press
// and a person's clicks while the host's handlers show a box or pump, a Cancel click during
// the host's own job, a window made smaller than the bar, and what the accessibility bus
// tells of the window. The driving and reading are wizard_host_drive.py's.

#include "tests/program/xvfb_run.h"
#include "tests/support/forms/test_artefacts.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

bool python_reads_the_bus()
{
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import pyatspi")});
    return probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

TEST(WizardHostOnTheScreen, InputFromOutsideTakesTheRoadOfTheUsersInput)
{
    OSTREL_REQUIRE_XVFB_RUN(xvfb);
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool");
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty(),
                        "dbus-run-session (dbus-x11)");
    OSTREL_REQUIRE_TOOL(python_reads_the_bus(), "python3-pyatspi");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOST"), QStringLiteral(OSTREL_WIZARD_HOST));
    env.insert(QStringLiteral("FORM"), QStringLiteral(OSTREL_WIZARD_HOST_FORM));
    env.insert(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
    env.insert(QStringLiteral("PICTURES"), QString::fromStdString(forms::artefacts_dir().string()));
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(xvfb, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                     QStringLiteral("dbus-run-session"), QStringLiteral("/usr/bin/python3"),
                     QStringLiteral(OSTREL_WIZARD_HOST_DRIVE)});
    const bool finished = run.waitForFinished(240000);
    if (!finished)
        run.kill();
    const QString out = QString::fromUtf8(run.readAll());
    ASSERT_TRUE(finished) << out.toStdString();
    std::fprintf(stderr, "%s", out.toStdString().c_str());
    EXPECT_EQ(run.exitCode(), 0) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("\ndone"))) << out.toStdString();
    EXPECT_FALSE(out.contains(QStringLiteral("fault:"))) << out.toStdString();
}

} // namespace
