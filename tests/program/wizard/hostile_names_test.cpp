// Names that would break the report's texts (TAB, CR, LF, "]" and other control characters, or
// the Total row's own name; in Exchange 5.5 mode the server chooses them) go through every text the report is handed
// out in: the results grid, Copy, Save, the headless run's output file and the XML. Each shows the same visible
// stand-ins, never shifts a count to the next heading and never adds a section; ordinary names stay as they are.

#include "program/client/collector.h"
#include "program/report/output_file.h"
#include "program/report/xml_report.h"
#include "program/wizard/output_actions.h"
#include "program/wizard/results_grid.h"

#include "platform/forms/services/clipboard.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/services/common_dialog.h"
#include "platform/forms/intrinsics/flex_grid.h"
#include "tests/program/client/info_fakes.h"
#include "tests/support/forms/recording_message_box.h"
#include "tests/support/forms/test_host.h"

#include <QFile>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "tests/program/report_lines.h"

#include <gtest/gtest.h>

namespace {

using program_test::info;
using program_test::infos;

constexpr int kUsersColumn = 8;
const QString kCrLf = QStringLiteral("\r\n");

QString read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

using program_test::lines_starting;

// The text of the XML's one Domain element; empty when the XML is not well formed.
QString xml_domain_text(const QString& xml)
{
    QXmlStreamReader reader(xml);
    QString text;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"Domain")
            text = reader.readElementText();
    return reader.hasError() ? QString() : text;
}

TEST(HostileNames, ShowTheSameStandInsInTheGridCopySaveAndTheHeadlessReport)
{
    forms::TestHost::ensure_application();
    forms::ScopedMessageBoxRecorder boxes;
    QTemporaryDir dir;
    struct Row {
        QString name;
        QString shown;
    };
    const Row rows[] = {
        {QStringLiteral("tab\there"), QStringLiteral("tab\u2409here")},
        {QStringLiteral("sect]\r\n[evil]\r\nUsers=999"),
         QStringLiteral("sect\uFF3D\u240D\u240A[evil\uFF3D\u240D\u240AUsers=999")},
        {QStringLiteral("line\nfeed"), QStringLiteral("line\u240Afeed")},
        {QStringLiteral("a]b"), QStringLiteral("a\uFF3Db")},
        {QStringLiteral("bell\aesc\x1b"
                        "del\x7f"),
         QStringLiteral("bell\u2407esc\u241Bdel\u2421")},
        {QStringLiteral("nel\u0085ls\u2028"), QStringLiteral("nel\uFFFDls\uFFFD")},
        {QStringLiteral("corp.example"), QStringLiteral("corp.example")},
        {QStringLiteral("Ünïcode [Org] <b>&"), QStringLiteral("Ünïcode [Org\uFF3D <b>&")},
        {QStringLiteral("ordinary org"), QStringLiteral("ordinary org")},
        // The Total row's name is taken: a second Total section would hide one of the two.
        {QStringLiteral("Total"), QStringLiteral("Total(1)")},
        {QStringLiteral("total"), QStringLiteral("total(1)")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        [&] { // an ASSERT ends this row only
            const auto results_object = infos::make({info::make(row.name, {}, {{oxcUser, 12}, {oxcDC, 1}})});
            program::CCollector collector;
            auto domains = collector.Infos2domains(results_object.p, false);

            // The headless run's output file.
            const auto matrix = collector.FillResultsMatrix(*domains);
            ASSERT_TRUE(matrix);
            const QString ini = collector.MakeINIString(*matrix);
            const QString out = dir.filePath(QStringLiteral("headless.txt"));
            QString error;
            ASSERT_TRUE(program::write_output_file(out, ini, QStringLiteral("log"), error)) << error.toStdString();
            const QString headless = read_all(out);
            EXPECT_TRUE(headless.startsWith(ini + kCrLf + kCrLf));

            EXPECT_EQ(lines_starting(ini, QStringLiteral("[")),
                      (QStringList{QStringLiteral("[Total]"), u'[' + row.shown + u']'}));
            EXPECT_EQ(lines_starting(ini, QStringLiteral("Users=")),
                      (QStringList{QStringLiteral("Users=12"), QStringLiteral("Users=12")}));
            EXPECT_EQ(ini.count(kCrLf), 2 * (1 + 16 + 1));

            // The results grid, and the XML read from it.
            QWidget form;
            forms::FlexGrid grid(&form, QStringLiteral("fxgOutResults"));
            forms::CommandButton copy(&form, QStringLiteral("cmdCopy"), QStringLiteral("&Copy"));
            const auto shown = program::FillResultsGrid(*domains, grid, {&copy, &copy, &copy}, {});
            ASSERT_TRUE(shown);
            ASSERT_EQ(grid.Rows(), 3);
            EXPECT_EQ(grid.Cols(), 17);
            EXPECT_EQ(grid.TextMatrix(1, 0), row.shown);
            EXPECT_EQ(grid.TextMatrix(1, kUsersColumn), QStringLiteral("12"));
            EXPECT_EQ(grid.TextMatrix(0, kUsersColumn), QStringLiteral("Users"));
            EXPECT_EQ(xml_domain_text(program::MakeXMLString(*shown)), row.shown);

            // Copy and Save, from the matrix the grid was filled with: the texts the output
            // actions hand on (the buttons a person clicks are walked in wizard_hostile_server_test).
            const QString saved = dir.filePath(QStringLiteral("saved.txt"));
            forms::set_file_dialog_service([&](const forms::FileDialogRequest&) { return saved; });
            const program::SessionLog log;
            program::OutputActions actions(nullptr, shown, log);
            actions.cmdChooseOutput_Click(0);
            EXPECT_EQ(forms::Clipboard::GetText(), ini);
            actions.cmdChooseOutput_Click(2);
            EXPECT_EQ(read_all(saved), ini + kCrLf);
            forms::set_file_dialog_service({});
        }();
    }
    EXPECT_TRUE(boxes->boxes.empty());
}

} // namespace
