#include "program/wizard/print_report.h"

#include "platform/forms/services/message_box.h"
#include "platform/forms/services/printer.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/vb_error.h"

#include <functional>

namespace program {

namespace {

const QString kPrintFailed = QStringLiteral(
    "Failed to print the statistics. Please make sure that the printer is installed and functioning correctly.");

// A setting the printer refuses stays as it was.
void ignoring_failure(const std::function<void()>& setting)
{
    try {
        setting();
    } catch (const forms::VbError&) {
    }
}

void apply_choice(forms::Printer& printer, const forms::PrintDialogChoice& choice)
{
    ignoring_failure([&] { printer.setColorMode(choice.ColorMode); });
    ignoring_failure([&] { printer.setCopies(choice.Copies); });
    if (choice.Duplex != 0)
        ignoring_failure([&] { printer.setDuplex(choice.Duplex); });
    ignoring_failure([&] { printer.setOrientation(choice.Orientation); });
    ignoring_failure([&] { printer.setPaperBin(choice.PaperBin); });
    ignoring_failure([&] { printer.setPaperSize(choice.PaperSize); });
    ignoring_failure([&] { printer.setPrintQuality(choice.PrintQuality); });
}

forms::FontRef font_of(const QString& name, double points)
{
    forms::FontRef font = forms::StdFont::create();
    font->setName(name);
    font->setSize(points);
    return font;
}

} // namespace

bool PrintReport(const QString& title, const QString& text, QWidget* owner)
{
    forms::Printer& printer = forms::Printer::current();
    try {
        const std::optional<forms::PrintDialogChoice> choice = forms::show_print_dialog(owner);
        if (!choice)
            return false;
        // A file chosen in the dialog is printed to; a printer the system does not know by
        // that exact name leaves the current one.
        if (!choice->output_file.isEmpty())
            printer.set_output_file(choice->output_file);
        else
            printer.select(choice->device_name);
        apply_choice(printer, *choice);
        // The job and a PDF carry the printed title, so the queue and the file say what they are.
        printer.set_document_name(title);

        printer.setFont(font_of(QStringLiteral("Arial"), 12));
        printer.Print();
        printer.Print(title);
        printer.Print();
        printer.setFont(font_of(QStringLiteral("Courier New"), 10));
        printer.Print(text);
        printer.EndDoc();
        return true;
    } catch (const forms::VbError&) {
        printer.KillDoc();
        forms::MsgBox(kPrintFailed, forms::vbCritical | forms::vbOKOnly);
        return false;
    }
}

} // namespace program
