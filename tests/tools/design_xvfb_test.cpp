// ostrel-design started as a person starts it, on an X display of its own (Xvfb) as a real
// window of Qt's xcb platform, and driven from the keyboard and mouse (xdotool): each control
// of the program's own form chosen in the list, its sheet opened with Alt+P and closed with OK,
// the form saved with Alt+S, leaves the file byte for byte as it was. The window shows all of
// its content. Skipped where xvfb-run or xdotool is missing, unless OSTREL_REQUIRE_SERVERS=1
// makes that a failure.

#include "tests/program/xvfb_run.h"
#include "tests/support/forms/test_artefacts.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DesignToolOnTheScreen, OkOnEverySheetAndSaveByKeysLeaveTheProgramsFormByteForByte)
{
    OSTREL_REQUIRE_XVFB_RUN(xvfb);
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        const char* require = std::getenv("OSTREL_REQUIRE_SERVERS");
        if (require && std::strcmp(require, "1") == 0)
            FAIL() << "xdotool is missing (scripts/install_packages.sh installs it)";
        GTEST_SKIP() << "xdotool is missing";
    }
    QTemporaryDir dir;
    const QString form = dir.filePath(QStringLiteral("frmMain.frm"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(OSTREL_PROGRAM_FORM), form));
    ASSERT_TRUE(QFile::setPermissions(form, QFile::ReadOwner | QFile::WriteOwner));
    const QByteArray original = read_all(form);
    {
        QFile file(form);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    }
    const QDateTime before = QFileInfo(form).lastModified();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OSTREL_REGISTRY"), dir.filePath(QStringLiteral("registry.txt")));
    env.insert(QStringLiteral("OSTREL_CAPTIONS_DIR"), dir.path());
    QProcess regsvr;
    regsvr.setProcessEnvironment(env);
    regsvr.start(QStringLiteral(OSTREL_REGSVR), {QStringLiteral(OSTREL_CONTROLS_MODULE)});
    ASSERT_TRUE(regsvr.waitForFinished(60000));
    ASSERT_EQ(regsvr.exitCode(), 0) << regsvr.readAllStandardError().toStdString();

    const QStringList controls = {"wtWelcome",      "wtSelectOption",     "wtSelectDomains", "wtProcessing",
                                  "piProgressInfo", "prbProcessProgress", "wtChooseOutput",  "wtFinish",
                                  "wtSelectOrganizations", "KyWizardNavigator1"};
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DESIGN"), QStringLiteral(OSTREL_DESIGN));
    env.insert(QStringLiteral("FORM"), form);
    env.insert(QStringLiteral("COUNT"), QString::number(controls.size()));
    env.insert(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
    env.insert(QStringLiteral("PICTURES"), QString::fromStdString(forms::artefacts_dir().string()));
    QProcess drive;
    drive.setProcessEnvironment(env);
    drive.start(xvfb, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                       QStringLiteral("/bin/sh"), QStringLiteral(OSTREL_DESIGN_DRIVE)});
    ASSERT_TRUE(drive.waitForFinished(150000));
    const QString out = QString::fromUtf8(drive.readAllStandardOutput());
    std::fprintf(stderr, "%s", out.toUtf8().constData());

    // The window as large as what it holds (7980 by 5600 twips), Save included.
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("window=(\\d+)x(\\d+)")).match(out);
    ASSERT_TRUE(size.hasMatch()) << out.toStdString();
    EXPECT_GE(size.captured(1).toInt(), 7980 / 15);
    EXPECT_GE(size.captured(2).toInt(), 5600 / 15);
    for (int i = 0; i < controls.size(); ++i)
        EXPECT_TRUE(out.contains(QStringLiteral("sheet %1 %2 Property Pages|\n").arg(i + 1).arg(controls[i])))
            << controls[i].toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("open after OK: \n"))) << "a sheet stayed open";
    EXPECT_TRUE(out.contains(QStringLiteral("status="))) << out.toStdString();
    EXPECT_GT(QFileInfo(form).lastModified(), before) << "not saved";
    EXPECT_EQ(read_all(form), original);
    std::fprintf(stderr, "pictures: %s/design_xvfb_*.png\n", forms::artefacts_dir().c_str());
}

} // namespace
