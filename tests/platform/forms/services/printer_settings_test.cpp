// The printer's paper, bin and quality settings, and the print dialog's service: a test
// accepts or cancels it; without a display the dialog answers as cancelled.
#include "platform/forms/services/printer.h"
#include "platform/forms/core/vb_error.h"

#include "tests/platform/forms/error_number.h"
#include "tests/support/forms/test_host.h"

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

TEST(PrinterSettings, PaperSizeBinAndQualityTakeTheSystemsNumbers)
{
    TestHost::ensure_application();
    Printer printer;
    printer.setPaperSize(9);
    EXPECT_EQ(printer.PaperSize(), 9); // A4
    printer.setPaperSize(1);
    EXPECT_EQ(printer.PaperSize(), 1); // Letter
    printer.setPaperBin(2);
    EXPECT_EQ(printer.PaperBin(), 2);
    printer.setPrintQuality(-1);
    EXPECT_EQ(printer.PrintQuality(), -1);
    printer.setPrintQuality(300);
    EXPECT_EQ(printer.PrintQuality(), 300);

    for (int refused : {0, -5})
        EXPECT_EQ(error_of([&] { printer.setPrintQuality(refused); }), 380) << refused;
    for (int refused : {0, 12, 16})
        EXPECT_EQ(error_of([&] { printer.setPaperBin(refused); }), 380) << refused;
    for (int refused : {0, -1, 30000})
        EXPECT_EQ(error_of([&] { printer.setPaperSize(refused); }), 380) << refused;
    EXPECT_EQ(printer.PaperSize(), 1);
    EXPECT_EQ(printer.PaperBin(), 2);
    EXPECT_EQ(printer.PrintQuality(), 300);
}

TEST(PrinterSettings, TheDialogsServiceAcceptsOrCancels)
{
    TestHost::ensure_application();
    EXPECT_FALSE(show_print_dialog(nullptr)); // offscreen: answered as cancelled

    PrintDialogChoice accepted;
    accepted.device_name = QStringLiteral("Office");
    accepted.Copies = 2;
    const PrintDialogService before = set_print_dialog_service([&](QWidget*) { return std::optional(accepted); });
    const auto choice = show_print_dialog(nullptr);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->device_name, QStringLiteral("Office"));
    EXPECT_EQ(choice->Copies, 2);
    set_print_dialog_service([](QWidget*) { return std::optional<PrintDialogChoice>(); });
    EXPECT_FALSE(show_print_dialog(nullptr));
    set_print_dialog_service(before);
}

} // namespace
