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
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

bool python_reads_the_bus()
{
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import pyatspi")});
    return probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

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

    // Opens `form` in the design tool and types each of `steps` ("row.property=value") into
    // its property list, reading the tool's answers through the accessibility bus; saves with
    // Alt+S when `save`. The drive's output; pictures are `pictures`_box.png and _window.png.
    QString drive_list(const QString& form, const QString& steps, bool save, const QString& pictures)
    {
        QProcessEnvironment env = env_;
        env.insert(QStringLiteral("DESIGN"), QStringLiteral(OSTREL_DESIGN));
        env.insert(QStringLiteral("FORM"), form);
        env.insert(QStringLiteral("STEPS"), steps);
        env.insert(QStringLiteral("SAVE"), save ? QStringLiteral("1") : QStringLiteral("0"));
        env.insert(QStringLiteral("SCREEN_GRAB"), QStringLiteral(OSTREL_SCREEN_GRAB));
        env.insert(QStringLiteral("READER_DIR"), QStringLiteral(OSTREL_ACCESSIBILITY_READER_DIR));
        env.insert(QStringLiteral("PICTURES"), QString::fromStdString(forms::artefacts_dir().string()));
        env.insert(QStringLiteral("SHOTS"), pictures);
        QProcess drive;
        drive.setProcessEnvironment(env);
        drive.setProcessChannelMode(QProcess::MergedChannels);
        drive.start(xvfb_, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1280x1024x24"),
                            QStringLiteral("dbus-run-session"), QStringLiteral("/usr/bin/python3"),
                            QStringLiteral(OSTREL_DESIGN_LIST_DRIVE)});
        const bool finished = drive.waitForFinished(150000);
        if (!finished)
            drive.kill();
        const QString out = QString::fromUtf8(drive.readAll());
        std::fprintf(stderr, "%s", out.toUtf8().constData());
        std::fprintf(stderr, "pictures: %s/%s_*.png\n", forms::artefacts_dir().c_str(), pictures.toUtf8().constData());
        EXPECT_TRUE(finished);
        EXPECT_TRUE(out.contains(QStringLiteral("\ndone"))) << out.toStdString();
        EXPECT_FALSE(out.contains(QStringLiteral("fault:"))) << out.toStdString();
        return out;
    }

    // The lines of `after` that `before` lacks, and those it lost, as "+line" and "-line".
    static QStringList changed_lines(const QByteArray& before, const QByteArray& after)
    {
        const QStringList old_lines = QString::fromUtf8(before).split(QLatin1Char('\n'));
        const QStringList new_lines = QString::fromUtf8(after).split(QLatin1Char('\n'));
        QStringList changed;
        for (const QString& line : new_lines)
            if (!old_lines.contains(line))
                changed << QLatin1Char('+') + line;
        for (const QString& line : old_lines)
            if (!new_lines.contains(line))
                changed << QLatin1Char('-') + line;
        return changed;
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

// What the property list takes is what the form file's reader takes: a number outside a
// control's stored enumeration (the bar's caption Align, a page's PageMode) or a size no form
// holds is refused where it is typed, naming the property and the values taken, and the
// control keeps its value; the value taken instead is saved on its own line, and the saved
// form opens again.
TEST_F(DesignToolOnTheScreen, AValueTheFormFileCouldNotHoldIsRefusedWhereItIsTyped)
{
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty(),
                        "dbus-run-session (dbus-x11)");
    OSTREL_REQUIRE_TOOL(python_reads_the_bus(), "python3-pyatspi");
    const QString form = copy_of(QStringLiteral(OSTREL_PROGRAM_FORM));
    const QByteArray original = read_all(form);
    const QString out = drive_list(form,
                                   QStringLiteral("prbProcessProgress.Align=7;wtFinish.PageMode=9;"
                                                  "frmMain (form).Width=999999;prbProcessProgress.Align=2"),
                                   true, QStringLiteral("design_list_refused"));
    struct Refused {
        const char* step;
        const char* words; // of the box
        const char* listed; // the row after the box, the old value
    };
    const Refused refused[] = {
        {"prbProcessProgress.Align=7", "Align of prbProcessProgress: 7 is no value from 0 to 2", "Align: 0"},
        {"wtFinish.PageMode=9", "PageMode of wtFinish: 9 is no value from 0 to 2", "PageMode: 2"},
        {"frmMain (form).Width=999999", "Width of frmMain: 999999 twips is no length from 0 to 245760",
         "Width: 7512"},
    };
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.step);
        const QString step = QStringLiteral("step ") + QString::fromLatin1(r.step);
        EXPECT_TRUE(out.contains(QRegularExpression(QRegularExpression::escape(step + QStringLiteral(": box ")) +
                                                    QStringLiteral(".*") +
                                                    QRegularExpression::escape(QString::fromLatin1(r.words)))))
            << out.toStdString();
        EXPECT_TRUE(out.contains(step + QStringLiteral(": listed ") + QString::fromLatin1(r.listed) +
                                 QLatin1Char('\n')))
            << out.toStdString();
    }
    EXPECT_FALSE(out.contains(QStringLiteral("Align=2: box"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("step prbProcessProgress.Align=2: listed Align: 2\n"))) << out.toStdString();
    ASSERT_TRUE(out.contains(QStringLiteral("\nsaved\n"))) << out.toStdString();
    EXPECT_EQ(changed_lines(original, read_all(form)), QStringList{QStringLiteral("+         Align = Long 2")});

    const QString reopened = drive_list(form, {}, false, QStringLiteral("design_list_reopened"));
    EXPECT_FALSE(reopened.contains(QStringLiteral("box at open"))) << reopened.toStdString();
}

// A change of the form's width rewrites what the width changed and nothing more (no page's
// colour or place that the new layout only shows). Released from the navigator's hold, the
// form takes the width, and the navigator records it as the size it holds.
TEST_F(DesignToolOnTheScreen, ChangingTheFormsWidthRewritesOnlyWhatTheWidthChanged)
{
    OSTREL_REQUIRE_TOOL(!QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty(),
                        "dbus-run-session (dbus-x11)");
    OSTREL_REQUIRE_TOOL(python_reads_the_bus(), "python3-pyatspi");
    const QString form = copy_of(QStringLiteral(OSTREL_PROGRAM_FORM));
    const QByteArray original = read_all(form);
    const QString out = drive_list(form, QStringLiteral("KyWizardNavigator1.HoldParentSize=False;frmMain (form).Width=9000"),
                                   true, QStringLiteral("design_list_width"));
    EXPECT_TRUE(out.contains(QStringLiteral("step frmMain (form).Width=9000: listed Width: 9000\n"))) << out.toStdString();
    ASSERT_TRUE(out.contains(QStringLiteral("\nsaved\n"))) << out.toStdString();
    const QStringList expected = {QStringLiteral("+   Width = Double 9000"), QStringLiteral("+      ParentWidth = Long 9000"),
                                  QStringLiteral("+      HoldParentSize = Boolean False"),
                                  QStringLiteral("-   Width = Double 7512"), QStringLiteral("-      ParentWidth = Long 7512")};
    EXPECT_EQ(changed_lines(original, read_all(form)), expected);
}

} // namespace
