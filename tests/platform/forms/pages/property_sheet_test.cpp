#include "platform/forms/services/clipboard.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"

#include "tests/platform/forms/hosting/probe_control.h"

#include <gtest/gtest.h>

using namespace forms;

namespace {

// A page that edits Max of the first selected control by name, as the control pages do.
class MaxPage : public PropertyPage {
public:
    int field = 0;
    int loads = 0;

protected:
    void SelectionChanged() override
    {
        ++loads;
        field = get(QStringLiteral("Max")).toInt();
    }
    void ApplyChanges() override { let(QStringLiteral("Max"), field); }
};

} // namespace

TEST(PropertySheet, ApplyWritesChangedPagesAndAnErrorKeepsTheSheetOpen)
{
    TestHost host(false);
    ControlSite& site = host.add(std::make_unique<ProbeControl>(), QStringLiteral("probe"));
    PropertySheet sheet;
    sheet.setWindowTitle(QStringLiteral("Property Pages"));
    auto& page = static_cast<MaxPage&>(sheet.add_page(std::make_unique<MaxPage>()));
    page.setCaption(QStringLiteral("Maximum"));
    sheet.set_selection({&site});
    EXPECT_EQ(page.field, 100);
    EXPECT_FALSE(sheet.apply_enabled());

    page.field = 7;
    page.setChanged(true);
    EXPECT_TRUE(sheet.apply_enabled());
    EXPECT_TRUE(sheet.apply());
    EXPECT_EQ(get(&site, QStringLiteral("Max")).toInt(), 7);
    EXPECT_FALSE(sheet.apply_enabled());

    // The control refuses 0: the error reaches the sheet, which shows it and stays open.
    page.field = 0;
    page.setChanged(true);
    sheet.show();
    sheet.ok();
    EXPECT_TRUE(sheet.isVisible());
    ASSERT_EQ(host.messages().boxes.size(), 1u);
    EXPECT_EQ(host.messages().boxes[0].prompt.toStdString(),
              "Invalid property value\n\nThe page \"Maximum\" could not apply the property Max; it keeps what was "
              "entered.");
    EXPECT_EQ(host.messages().boxes[0].title.toStdString(), "Property Pages");
    EXPECT_EQ(get(&site, QStringLiteral("Max")).toInt(), 7);
    sheet.cancel();
    EXPECT_FALSE(sheet.isVisible());
}

TEST(Clipboard, TextRoundTrips)
{
    TestHost::ensure_application();
    Clipboard::SetText(QStringLiteral("a\tb\r\n"));
    EXPECT_EQ(Clipboard::GetText().toStdString(), "a\tb\r\n");
    Clipboard::Clear();
    EXPECT_TRUE(Clipboard::GetText().isEmpty());
}

#include "platform/forms/services/common_dialog.h"

TEST(CommonDialog, SaveChoiceCancelErrorAndFilters)
{
    TestHost::ensure_application();
    std::vector<FileDialogRequest> asked;
    std::optional<QString> answer = QStringLiteral("/tmp/report.txt");
    auto previous = set_file_dialog_service([&](const FileDialogRequest& r) {
        asked.push_back(r);
        return answer;
    });
    CommonDialog cd;
    cd.setFlags(0x80E);
    cd.setFilter(QStringLiteral("Text files (*.txt)|*.txt|All files (*.*)|*.*"));
    cd.ShowSave();
    EXPECT_EQ(cd.FileName().toStdString(), "/tmp/report.txt");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].save);
    EXPECT_EQ(asked[0].flags, 0x80E);

    answer.reset();
    cd.setCancelError(true);
    try {
        cd.ShowSave();
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 32755);
    }
    cd.setCancelError(false);
    cd.ShowSave();
    EXPECT_TRUE(cd.FileName().isEmpty());
    set_file_dialog_service(previous);

    EXPECT_EQ(qt_name_filters(QStringLiteral("Text files (*.txt)|*.txt|All files (*.*)|*.*")).toStdString(),
              "Text files (*.txt) (*.txt);;All files (*.*) (*.*)");
    try {
        cd.setFilter(QStringLiteral("Text only"));
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 380);
    }
    // Without a display the default chooser cancels rather than blocking.
    testing::internal::CaptureStderr();
    cd.ShowOpen();
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(cd.FileName().isEmpty());
}

#include "platform/forms/services/printer.h"

#include <QFile>
#include <QTemporaryDir>

TEST(Printer, PrintsLinesInItsFontToTheDocumentAndEndDocSendsIt)
{
    TestHost::ensure_application();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    Printer printer;
    printer.set_output_file(pdf);
    auto font = StdFont::create();
    font->setName(QStringLiteral("Courier New"));
    font->setSize(10);
    printer.setFont(font);
    printer.setCopies(2);
    EXPECT_EQ(printer.Copies(), 2);
    printer.setOrientation(2);
    EXPECT_EQ(printer.Orientation(), 2);
    printer.Print();
    printer.Print(QStringLiteral("[Totals]\r\nUsers=1000"));
    printer.EndDoc();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    EXPECT_FALSE(printer.select(QStringLiteral("no such printer")));
    EXPECT_FALSE(show_print_dialog(nullptr)); // no display: the dialog answers as cancelled
    try {
        printer.setCopies(0);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 380);
    }
}
