// The display controls as real windows of Qt's xcb platform on an X display of their own, in
// a small host of ours (display_form_host) that loads form files into the runtime, driven by
// the window system: a window manager's minimise (openbox, xdotool) for the minimise
// coupling of a modal dialog, and a screen reader's view read from outside (AT-SPI).

#include "tests/program/xvfb_run.h"
#include "tests/support/forms/test_artefacts.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

bool found(const char* tool) { return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(); }

struct Run {
    bool finished = false;
    int exit_code = -1;
    QString out;
};

// `command` under xvfb-run with a screen of 1280 x 1024, the host and the forms named in the
// environment, and a registry of its own.
Run under_xvfb(const QString& xvfb, const QStringList& command, const QTemporaryDir& dir, int timeout_ms)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OSTREL_REGISTRY"), dir.filePath(QStringLiteral("registry.txt")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOST"), QStringLiteral(OSTREL_DISPLAY_FORM_HOST));
    env.insert(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
    env.insert(QStringLiteral("FORMS"), QStringLiteral(OSTREL_DISPLAY_FORMS));
    env.insert(QStringLiteral("PICTURES"), QString::fromStdString(forms::artefacts_dir().string()));
    env.insert(QStringLiteral("READER_DIR"), QStringLiteral(OSTREL_ACCESSIBILITY_READER_DIR));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(xvfb,
                  QStringList{QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24")} +
                      command);
    Run run;
    run.finished = process.waitForFinished(timeout_ms);
    if (!run.finished)
        process.kill();
    process.waitForFinished();
    run.exit_code = process.exitCode();
    run.out = QString::fromUtf8(process.readAll());
    return run;
}

void expect_no_fault(const Run& run)
{
    ASSERT_TRUE(run.finished) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("\ndone"))) << run.out.toStdString();
    EXPECT_FALSE(run.out.contains(QStringLiteral("fault:"))) << run.out.toStdString();
    std::fprintf(stderr, "%s", run.out.toStdString().c_str());
}

// Minimising a coupled modal dialog through the window manager minimises its owner and keeps
// the modal run; restoring the owner brings the dialog back; closing the dialog ends the run.
TEST(DisplayControlsOnTheScreen, AModalDialogMinimisedByTheWindowManagerTakesItsOwnerAlong)
{
    OSTREL_REQUIRE_XVFB_RUN(xvfb);
    OSTREL_REQUIRE_TOOL(found("openbox"), "openbox");
    OSTREL_REQUIRE_TOOL(found("xdotool"), "xdotool");
    OSTREL_REQUIRE_TOOL(found("xprop"), "xprop (x11-utils)");
    QTemporaryDir dir;
    const QString forms = QStringLiteral(OSTREL_DISPLAY_FORMS);
    qputenv("OWNER_FORM", (forms + QStringLiteral("/coupled_owner.frm")).toLocal8Bit());
    qputenv("DIALOG_FORM", (forms + QStringLiteral("/coupled_dialog.frm")).toLocal8Bit());
    qputenv("PICTURE",
            QString::fromStdString((forms::artefacts_dir() / "minimise_coupling_restored.png").string()).toLocal8Bit());
    expect_no_fault(
        under_xvfb(xvfb, {QStringLiteral("/bin/sh"), forms + QStringLiteral("/minimise_coupling.sh")}, dir, 120000));
}

// What a screen reader gets from every display control, read from outside through AT-SPI while
// real keys drive them: names a person says, no focus stop that shows none, the step states,
// the up-down box's value, and the information line's link opened from the keyboard.
TEST(DisplayControlsOnTheScreen, EveryDisplayControlReadsAsAPersonSeesIt)
{
    OSTREL_REQUIRE_XVFB_RUN(xvfb);
    OSTREL_REQUIRE_TOOL(found("xdotool"), "xdotool");
    OSTREL_REQUIRE_TOOL(found("dbus-run-session"), "dbus-run-session (dbus-x11)");
    OSTREL_REQUIRE_TOOL(python_reads_the_bus(), "python3-pyatspi");
    QTemporaryDir dir;
    expect_no_fault(under_xvfb(xvfb,
                               {QStringLiteral("dbus-run-session"), QStringLiteral("/usr/bin/python3"),
                                QStringLiteral(OSTREL_DISPLAY_FORMS) + QStringLiteral("/display_controls_atspi.py")},
                               dir, 180000));
}

} // namespace
