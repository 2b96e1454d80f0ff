// The output actions: Copy to the clipboard, Print to a PDF (read back with pdftotext and
// drawn with pdftoppm; also through the real print dialog under Xvfb), Save through the file
// dialog with its folder memory and the save table, and View Log through the program's private
// log file and Shell.
#include "program/report/results_report.h"
#include "program/wizard/frm_log_view.h"
#include "program/wizard/output_actions.h"

#include "platform/forms/services/clipboard.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/services/common_dialog.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/services/printer.h"
#include "platform/forms/services/shell.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/program/report/result_model_fixture.h"
#include "tests/program/xvfb_run.h"
#include "tests/support/forms/recording_message_box.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"
#include "tests/support/save_targets.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

namespace {

using program_test::model;
using program_test::network_values;

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class OutputActionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        forms::TestHost::ensure_application();
        program::ProcessedDomains domains = model(false,
                                                  {{"ad.test", network_values(1)}, {"nt.test", network_values(50)}});
        results = program::FillResultsMatrix(domains, {});
        ASSERT_TRUE(results);
        report = program::MakeINIString(*results);
        log.AddLogLine(QStringLiteral("12/10/2026 9:05:03 AM, Start inspecting domains.\r\n"));
    }
    void TearDown() override
    {
        forms::set_file_dialog_service({});
        forms::set_print_dialog_service({});
        forms::set_shell_service({});
    }

    forms::ScopedMessageBoxRecorder boxes;
    std::optional<QStringList> results;
    QString report;
    program::SessionLog log;
    QTemporaryDir dir;
};

TEST_F(OutputActionsTest, CopyPutsTheReportOnTheClipboard)
{
    program::OutputActions actions(nullptr, results, log);
    forms::Clipboard::SetText(QStringLiteral("before"));
    actions.cmdChooseOutput_Click(0);
    EXPECT_EQ(forms::Clipboard::GetText(), report);
    EXPECT_TRUE(report.startsWith(QStringLiteral("[Total]\r\nDCs=51\r\n")));
    // Names are compared exactly; other indexes and names do nothing.
    forms::Clipboard::SetText(QStringLiteral("kept"));
    actions.DoOutputOperation(QStringLiteral("copy"));
    actions.cmdChooseOutput_Click(3);
    EXPECT_EQ(forms::Clipboard::GetText(), QStringLiteral("kept"));
    EXPECT_TRUE(boxes->boxes.empty());
}

TEST_F(OutputActionsTest, SaveWritesTheReportAndRemembersTheFolderOfASuccessfulSave)
{
    std::vector<forms::FileDialogRequest> requests;
    std::optional<QString> answer;
    forms::set_file_dialog_service([&](const forms::FileDialogRequest& r) {
        requests.push_back(r);
        return answer;
    });
    program::OutputActions actions(nullptr, results, log);

    // Cancel: nothing written, nothing shown.
    actions.cmdChooseOutput_Click(2);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].flags, 0x80E); // bit 2: the dialog asks before overwriting
    EXPECT_EQ(requests[0].filter, QStringLiteral("Text files (*.txt)|*.txt|All files (*.*)|*.*"));
    EXPECT_TRUE(requests[0].title.isEmpty());
    EXPECT_TRUE(requests[0].default_ext.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    // A save over an existing file, then the next dialog opens in its folder with no name.
    const QString path = dir.filePath(QStringLiteral("stats"));
    QFile::copy(QStringLiteral("/etc/hostname"), path);
    answer = path;
    actions.cmdChooseOutput_Click(2);
    EXPECT_EQ(read_all(path), (report + QStringLiteral("\r\n")).toUtf8());
    actions.cmdChooseOutput_Click(2);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[2].init_dir, dir.path() + u'/');
    EXPECT_TRUE(requests[2].file_name.isEmpty());
    EXPECT_TRUE(boxes->boxes.empty());

    // A save that fails says why and leaves the memory where it was.
    answer = dir.filePath(QStringLiteral("missing/stats.txt"));
    actions.cmdChooseOutput_Click(2);
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->boxes[0].style, forms::vbExclamation);
    EXPECT_TRUE(boxes->boxes[0].prompt.contains(QStringLiteral("missing/stats.txt")));
    EXPECT_EQ(actions.cdA().InitDir(), dir.path() + u'/');
}

// Save leaves whatever is at the chosen path what it was, only its content changes; a save
// that fails says why, with the path.
TEST_F(OutputActionsTest, SaveLeavesThePathWhatItWas)
{
    std::optional<QString> answer;
    forms::set_file_dialog_service([&](const forms::FileDialogRequest&) { return answer; });
    program::OutputActions actions(nullptr, results, log);
    const auto save = [&](const std::string& path, std::string& error) {
        answer = QString::fromStdString(path);
        boxes->boxes.clear();
        actions.cmdChooseOutput_Click(2);
        if (boxes->boxes.empty())
            return true;
        const QString prompt = boxes->boxes.front().prompt;
        EXPECT_TRUE(prompt.contains(QString::fromStdString(path))) << prompt.toStdString();
        EXPECT_FALSE(prompt.endsWith(QStringLiteral(": "))) << prompt.toStdString();
        error = prompt.toStdString();
        return false;
    };
    save_targets::expect_saves_keep_each_path(
        save, {save_targets::always((report + QStringLiteral("\r\n")).toStdString()), true});
}

TEST_F(OutputActionsTest, SaveLeavesThePathWhatItWasForAUser)
{
    save_targets::expect_passes_as_a_user("OutputActionsTest.SaveLeavesThePathWhatItWas");
}

// A full disk is reported with its reason, never as a saved report. As root the device is one
// of the test's own with /dev/full's numbers: a save that replaced nodes would replace the
// system's.
TEST_F(OutputActionsTest, SaveOnAFullDiskSaysSo)
{
    QString full = QStringLiteral("/dev/full");
    if (::geteuid() == 0) {
        full = dir.filePath(QStringLiteral("full"));
        ASSERT_EQ(::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)), 0);
    }
    forms::set_file_dialog_service([&](const forms::FileDialogRequest&) { return full; });
    program::OutputActions actions(nullptr, results, log);
    actions.cmdChooseOutput_Click(2);
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->boxes[0].prompt, QStringLiteral("The file \"") + full +
                                          QStringLiteral("\" could not be written: No space left on device"));
}

// The printed title: "Brevash (" with the date and time.
const QRegularExpression& printed_title()
{
    static const QRegularExpression title(QStringLiteral(
        R"(Brevash \((Sun|Mon|Tue|Wed|Thu|Fri|Sat), [A-Z][a-z]{2} \d{2} \d{4} \d{2}:\d{2}:\d{2} (AM|PM)\))"));
    return title;
}

// Every line of the report in the printed text, in order.
void expect_lines_in_order(const QString& text, const QString& report)
{
    qsizetype at = 0;
    for (const QString& line : report.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        const qsizetype found = text.indexOf(line, at);
        ASSERT_GE(found, 0) << "missing: " << line.toStdString();
        at = found + line.size();
    }
}

// The first page of a PDF as a picture to look at, among the test artefacts.
void save_first_page(const QString& pdf, const QString& name)
{
    const QString prefix = QString::fromStdString((forms::artefacts_dir() / name.toStdString()).string());
    EXPECT_EQ(QProcess::execute(QStringLiteral("pdftoppm"),
                                {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                 QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                                 QStringLiteral("-singlefile"), pdf, prefix}),
              0);
}

// The Title of a PDF's document information (what a viewer and a print queue show).
QString pdf_title(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Title:")))
            return line.mid(6).trimmed();
    return {};
}

// The text of a PDF, or nothing when pdftotext is not installed.
std::optional<QString> pdf_text(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST_F(OutputActionsTest, PrintPrintsTheDatedTitleAndTheWholeReportOverSeveralPages)
{
    // A report long enough for several pages.
    std::vector<std::pair<QString, std::vector<int>>> entries;
    for (int i = 0; i < 8; ++i)
        entries.push_back({QStringLiteral("domain%1.test").arg(i), network_values(i * 10)});
    program::ProcessedDomains domains = model(false, entries);
    results = program::FillResultsMatrix(domains, {});
    report = program::MakeINIString(*results);

    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    forms::Printer::current().set_output_file(pdf);
    program::OutputActions actions(nullptr, results, log);

    // Cancelled: nothing printed, nothing shown.
    forms::set_print_dialog_service([](QWidget*) { return std::optional<forms::PrintDialogChoice>(); });
    actions.cmdChooseOutput_Click(1);
    EXPECT_FALSE(QFile::exists(pdf));

    // Accepted on a printer the system does not know: the current printer prints, with the
    // dialog's settings; a setting it refuses (Duplex 0 is left alone, bin 0 refused) stays.
    forms::PrintDialogChoice choice;
    choice.device_name = QStringLiteral("no such printer");
    choice.Orientation = 1;
    choice.PaperSize = 9;
    forms::set_print_dialog_service([&](QWidget*) { return std::optional(choice); });
    actions.cmdChooseOutput_Click(1);
    EXPECT_TRUE(boxes->boxes.empty());
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_EQ(forms::Printer::current().PaperSize(), 9);

    // A printer that cannot start the document: the program's message, with the stop icon.
    forms::Printer::current().set_output_file(dir.filePath(QStringLiteral("missing/report.pdf")));
    actions.cmdChooseOutput_Click(1);
    forms::Printer::current().set_output_file(pdf);
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->boxes[0].style, forms::vbCritical);
    EXPECT_EQ(boxes->boxes[0].prompt,
              QStringLiteral("Failed to print the statistics. Please make sure that the printer is "
                             "installed and functioning correctly."));

    const std::optional<QString> text = pdf_text(pdf);
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed (scripts/install_packages.sh adds poppler-utils)";
    EXPECT_TRUE(printed_title().match(*text).hasMatch()) << text->left(200).toStdString();
    expect_lines_in_order(*text, report);
    EXPECT_GE(text->count(u'\f'), 2) << "a report this long takes more than one page";
    // The document is named by the printed title, as the print job is.
    const QString title = pdf_title(pdf);
    EXPECT_TRUE(printed_title().match(title).hasMatch() && title.startsWith(u'B') && title.endsWith(u')'))
        << title.toStdString();

    save_first_page(pdf, QStringLiteral("printed_report"));
}

// Print as a person prints to a file: the real print dialog, "Print to File (PDF)" chosen in
// its printer list, a file name typed, Enter. The dialog needs a display: the test runs itself
// again under Xvfb (xcb), and reads the PDF it printed back here.
TEST_F(OutputActionsTest, PrintToTheFileChosenInTheRealPrintDialog)
{
    const QString inside = qEnvironmentVariable("OSTREL_PRINT_DIALOG_PDF");
    if (inside.isEmpty()) {
        OSTREL_REQUIRE_XVFB_RUN(xvfb);
        const QString pdf = dir.filePath(QStringLiteral("chosen report.pdf"));
        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(xvfb, {QStringLiteral("-a"), QStringLiteral("-s"), QStringLiteral("-screen 0 1024x768x24"),
                         QStringLiteral("env"), QStringLiteral("QT_QPA_PLATFORM=xcb"),
                         QStringLiteral("OSTREL_PRINT_DIALOG_PDF=") + pdf, QCoreApplication::applicationFilePath(),
                         QStringLiteral("--gtest_filter=OutputActionsTest.PrintToTheFileChosenInTheRealPrintDialog")});
        ASSERT_TRUE(run.waitForFinished(120000));
        const std::string output = QString::fromUtf8(run.readAll()).toStdString();
        ASSERT_EQ(run.exitCode(), 0) << output;
        ASSERT_TRUE(QFile::exists(pdf)) << output;
        const std::optional<QString> text = pdf_text(pdf);
        if (!text) {
            if (qEnvironmentVariable("OSTREL_REQUIRE_SERVERS") == u"1")
                FAIL() << "pdftotext is not installed (scripts/install_packages.sh adds poppler-utils)";
            GTEST_SKIP() << "pdftotext is not installed";
        }
        EXPECT_TRUE(printed_title().match(*text).hasMatch()) << text->left(200).toStdString();
        expect_lines_in_order(*text, report);
        save_first_page(pdf, QStringLiteral("printed_through_the_dialog"));
        return;
    }

    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    program::OutputActions actions(nullptr, results, log);
    QString chosen_printer;
    bool accepted = false;
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible())
            return;
        poll.stop();
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (printers == nullptr || file == nullptr) {
            dialog->reject();
            return;
        }
        // "Print to File (PDF)" is the last entry of the printer list.
        printers->setFocus(Qt::TabFocusReason);
        QTest::keyClick(printers, Qt::Key_End);
        chosen_printer = printers->currentText();
        file->setFocus(Qt::TabFocusReason);
        QTest::keyClick(file, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(file, inside);
        QTest::keyClick(file, Qt::Key_Return);
        accepted = !dialog->isVisible();
    });
    poll.start();
    // Never a dialog left open for ever.
    QTimer::singleShot(60000, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    actions.cmdChooseOutput_Click(1);
    EXPECT_EQ(chosen_printer, QStringLiteral("Print to File (PDF)"));
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(boxes->boxes.empty()) << (boxes->boxes.empty() ? "" : boxes->boxes[0].prompt.toStdString());
    EXPECT_TRUE(QFile::exists(inside));
}

TEST_F(OutputActionsTest, ViewLogUsesAPrivateFileRemovedAtTheEnd)
{
    std::vector<forms::ShellRequest> started;
    forms::set_shell_service([&](const forms::ShellRequest& r) -> std::int64_t {
        started.push_back(r);
        return 1;
    });
    QString path;
    {
        program::OutputActions actions(nullptr, results, log);
        actions.cmdViewLog_Click();
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].program, QStringLiteral("xdg-open"));
        path = started[0].arguments.value(0);
        EXPECT_EQ(read_all(path), (log.text() + QStringLiteral("\r\n")).toUtf8());
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
        EXPECT_TRUE(QFileInfo(path).fileName().startsWith(QStringLiteral("Ostrel-log-")));

        // The second click rewrites the same file; another program's file has another name.
        log.AddLogLine(QStringLiteral("more"));
        actions.cmdViewLog_Click();
        ASSERT_EQ(started.size(), 2u);
        EXPECT_EQ(started[1].arguments.value(0), path);
        EXPECT_EQ(read_all(path), (log.text() + QStringLiteral("\r\n")).toUtf8());
        program::OutputActions other(nullptr, results, log);
        other.cmdViewLog_Click();
        EXPECT_NE(started[2].arguments.value(0), path);
        EXPECT_TRUE(boxes->boxes.empty());
    }
    EXPECT_FALSE(QFile::exists(path)); // removed when the program ends
}

// Where no program opens a text file, the log shows in a window of the program's own: its
// lines in a read-only box, closed by Return on its Close button.
TEST_F(OutputActionsTest, ViewLogWithoutAnOpenerShowsTheLogInTheProgramsOwnWindow)
{
    forms::set_shell_service([](const forms::ShellRequest&) -> std::int64_t {
        forms::raise(53, QStringLiteral("Shell"), QStringLiteral("File not found: xdg-open"));
    });
    log.AddLogLine(QStringLiteral("a line of the session"));
    program::OutputActions actions(nullptr, results, log);
    QString shown;
    bool locked = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* view = dynamic_cast<program::FrmLogView*>(top); view != nullptr && view->isVisible()) {
                shown = view->txtLog().Text();
                locked = view->txtLog().Locked();
                forms::save_picture(*view, "view_log_own_window");
                window_input::key(view->cmdClose(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            }
    });
    actions.cmdViewLog_Click();
    EXPECT_EQ(shown, log.text());
    EXPECT_TRUE(locked);
    EXPECT_TRUE(boxes->boxes.empty()) << (boxes->boxes.empty() ? "" : boxes->boxes[0].prompt.toStdString());
}

TEST_F(OutputActionsTest, ViewLogThatCannotOpenSaysWhy)
{
    forms::set_shell_service([](const forms::ShellRequest&) -> std::int64_t {
        forms::raise(5, QStringLiteral("Shell"), QStringLiteral("The viewer refused the file"));
    });
    program::OutputActions actions(nullptr, results, log);
    actions.cmdViewLog_Click();
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->boxes[0].prompt,
              QStringLiteral("The session log cannot be shown.\r\nThe viewer refused the file"));

    // No temporary folder to write in.
    std::vector<forms::ShellRequest> started;
    forms::set_shell_service([&](const forms::ShellRequest& r) -> std::int64_t {
        started.push_back(r);
        return 1;
    });
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(dir.filePath(QStringLiteral("missing"))));
    program::OutputActions homeless(nullptr, results, log);
    homeless.cmdViewLog_Click();
    qputenv("TMPDIR", before);
    ASSERT_EQ(boxes->boxes.size(), 2u) << started.at(0).arguments.value(0).toStdString();
    EXPECT_TRUE(started.empty());
    EXPECT_TRUE(boxes->boxes[1].prompt.startsWith(
        QStringLiteral("The session log cannot be shown.\r\nThe session log could not be")))
        << boxes->boxes[1].prompt.toStdString();
    // It names the folder the user set.
    EXPECT_TRUE(boxes->boxes[1].prompt.contains(u'"' + dir.filePath(QStringLiteral("missing")) + u'"'))
        << boxes->boxes[1].prompt.toStdString();

    // A folder where no file can be made: the message names the folder and the reason.
    qputenv("TMPDIR", "/proc/self");
    program::OutputActions unwritable(nullptr, results, log);
    unwritable.cmdViewLog_Click();
    qputenv("TMPDIR", before);
    ASSERT_EQ(boxes->boxes.size(), 3u);
    const QString prompt = boxes->boxes[2].prompt;
    EXPECT_TRUE(prompt.contains(QStringLiteral("temporary file (/proc/"))) << prompt.toStdString();
    EXPECT_FALSE(prompt.contains(QStringLiteral("()"))) << prompt.toStdString();
    EXPECT_FALSE(prompt.endsWith(QStringLiteral(": "))) << prompt.toStdString();
}

} // namespace
