// ostrel-design started as a person starts it, on an X display of its own (Xvfb) as a real
// window of Qt's xcb platform, and driven from the keyboard and mouse (xdotool): each control
// of a form chosen in the list, its sheet opened with Alt+P and closed with OK, the form saved
// with Alt+S, leaves the file byte for byte as it was. The window shows all of its content.
// Skipped where xvfb-run or xdotool is missing, unless OSTREL_REQUIRE_SERVERS=1 makes that a
// failure.

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

class DesignToolOnTheScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_XVFB_RUN(xvfb);
        xvfb_ = xvfb;
        OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty(), "xdotool");
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert(QStringLiteral("OSTREL_REGISTRY"), dir_.filePath(QStringLiteral("registry.txt")));
        env_.insert(QStringLiteral("OSTREL_CAPTIONS_DIR"), dir_.path());
        QProcess regsvr;
        regsvr.setProcessEnvironment(env_);
        regsvr.start(QStringLiteral(OSTREL_REGSVR), {QStringLiteral(OSTREL_CONTROLS_MODULE)});
        ASSERT_TRUE(regsvr.waitForFinished(60000));
        ASSERT_EQ(regsvr.exitCode(), 0) << regsvr.readAllStandardError().toStdString();
    }

    // A writable copy of `source` in the test's folder, dated a day back so that a save shows.
    QString copy_of(const QString& source)
    {
        const QString form = dir_.filePath(QFileInfo(source).fileName());
        EXPECT_TRUE(QFile::copy(source, form));
        EXPECT_TRUE(QFile::setPermissions(form, QFile::ReadOwner | QFile::WriteOwner));
        QFile file(form);
        EXPECT_TRUE(file.open(QIODevice::ReadWrite));
        EXPECT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
        return form;
    }

    // Opens `form` in the design tool, OK on the sheets of the first `count` controls, saves;
    // the drive's output. Pictures are saved as `pictures`_sheet.png and `pictures`_window.png.
    QString drive(const QString& form, int count, const QString& pictures)
    {
        QProcessEnvironment env = env_;
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DESIGN"), QStringLiteral(OSTREL_DESIGN));
        env.insert(QStringLiteral("FORM"), form);
        env.insert(QStringLiteral("COUNT"), QString::number(count));
        env.insert(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
        env.insert(QStringLiteral("PICTURES"), QString::fromStdString(forms::artefacts_dir().string()));
        env.insert(QStringLiteral("SHOTS"), pictures);
        QProcess drive;
        drive.setProcessEnvironment(env);
        drive.start(xvfb_, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                            QStringLiteral("/bin/sh"), QStringLiteral(OSTREL_DESIGN_DRIVE)});
        EXPECT_TRUE(drive.waitForFinished(150000));
        const QString out = QString::fromUtf8(drive.readAllStandardOutput());
        std::fprintf(stderr, "%s", out.toUtf8().constData());
        std::fprintf(stderr, "pictures: %s/%s_*.png\n", forms::artefacts_dir().c_str(), pictures.toUtf8().constData());
        return out;
    }

    static void expect_saved_byte_for_byte(const QString& out, const QString& form, const QByteArray& original,
                                           const QDateTime& before)
    {
        EXPECT_TRUE(out.contains(QStringLiteral("open after OK: \n"))) << "a sheet stayed open";
        EXPECT_TRUE(out.contains(QStringLiteral("status="))) << out.toStdString();
        EXPECT_GT(QFileInfo(form).lastModified(), before) << "not saved";
        EXPECT_EQ(read_all(form).toStdString(), original.toStdString());
    }

    QString xvfb_;
    QTemporaryDir dir_;
    QProcessEnvironment env_;
};

TEST_F(DesignToolOnTheScreen, OkOnEverySheetAndSaveByKeysLeaveTheProgramsFormByteForByte)
{
    const QString form = copy_of(QStringLiteral(OSTREL_PROGRAM_FORM));
    const QByteArray original = read_all(form);
    const QDateTime before = QFileInfo(form).lastModified();
    const QStringList controls = {"wtWelcome",      "wtSelectOption",     "wtSelectDomains", "wtProcessing",
                                  "piProgressInfo", "prbProcessProgress", "wtChooseOutput",  "wtFinish",
                                  "wtSelectOrganizations", "KyWizardNavigator1"};
    const QString out = drive(form, controls.size(), QStringLiteral("design_xvfb"));

    // The window as large as what it holds (7980 by 5600 twips), Save included.
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("window=(\\d+)x(\\d+)")).match(out);
    ASSERT_TRUE(size.hasMatch()) << out.toStdString();
    EXPECT_GE(size.captured(1).toInt(), 7980 / 15);
    EXPECT_GE(size.captured(2).toInt(), 5600 / 15);
    for (int i = 0; i < controls.size(); ++i)
        EXPECT_TRUE(out.contains(QStringLiteral("sheet %1 %2 Property Pages|\n").arg(i + 1).arg(controls[i])))
            << controls[i].toStdString();
    expect_saved_byte_for_byte(out, form, original, before);
}

// A tree host stored at a size other than its form's: showing the form on the screen is no
// change a person made, so the save keeps the stored place and size.
TEST_F(DesignToolOnTheScreen, ATreeHostStoredSmallerThanItsFormIsSavedAsStored)
{
    const QString form = copy_of(QStringLiteral(OSTREL_TREE_FORM));
    const QByteArray original = read_all(form);
    const QDateTime before = QFileInfo(form).lastModified();
    const QString out = drive(form, 1, QStringLiteral("design_xvfb_tree"));
    EXPECT_TRUE(out.contains(QStringLiteral("sheet 1 ktbOptions Property Pages|\n"))) << out.toStdString();
    expect_saved_byte_for_byte(out, form, original, before);
}

} // namespace
