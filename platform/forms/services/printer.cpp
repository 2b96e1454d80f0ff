#include "platform/forms/services/printer.h"

#include "platform/forms/hosting/dialog_owner.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace forms {

namespace {

PrintDialogService g_print_dialog;

// The system's bin numbers 1..15 as Qt's paper sources (12 and 13 name none).
std::optional<QPrinter::PaperSource> paper_source_of(int bin)
{
    switch (bin) {
    case 1: return QPrinter::OnlyOne;
    case 2: return QPrinter::Lower;
    case 3: return QPrinter::Middle;
    case 4: return QPrinter::Manual;
    case 5: return QPrinter::Envelope;
    case 6: return QPrinter::EnvelopeManual;
    case 7: return QPrinter::Auto;
    case 8: return QPrinter::Tractor;
    case 9: return QPrinter::SmallFormat;
    case 10: return QPrinter::LargeFormat;
    case 11: return QPrinter::LargeCapacity;
    case 14: return QPrinter::Cassette;
    case 15: return QPrinter::FormSource;
    default: return std::nullopt;
    }
}

// Qt's dialog over a copy of the current printer's settings; the current printer itself
// changes only when the caller applies the choice.
std::optional<PrintDialogChoice> qt_print_dialog(QWidget* owner)
{
    if (!has_display())
        return std::nullopt;
    QPrinter printer(QPrinter::HighResolution);
    const Printer& current = Printer::current();
    if (Printer::Printers().contains(current.DeviceName()))
        printer.setPrinterName(current.DeviceName());
    QPrintDialog dialog(&printer, owner);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (exec_owned(dialog, owner) != QDialog::Accepted)
        return std::nullopt;
    PrintDialogChoice choice;
    // A file chosen in the dialog is no printer's name: it travels apart, so that neither is
    // taken for the other.
    if (printer.outputFileName().isEmpty())
        choice.device_name = printer.printerName();
    else
        choice.output_file = printer.outputFileName();
    choice.ColorMode = printer.colorMode() == QPrinter::Color ? 2 : 1;
    choice.Copies = printer.copyCount();
    choice.Duplex = printer.duplex() == QPrinter::DuplexLongSide    ? 2
                    : printer.duplex() == QPrinter::DuplexShortSide ? 3
                                                                    : 1;
    choice.Orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    choice.PaperSize = printer.pageLayout().pageSize().windowsId();
    return choice;
}

} // namespace

PrintDialogService set_print_dialog_service(PrintDialogService service)
{
    auto previous = std::move(g_print_dialog);
    g_print_dialog = std::move(service);
    return previous;
}

std::optional<PrintDialogChoice> show_print_dialog(QWidget* owner)
{
    return g_print_dialog ? g_print_dialog(owner) : qt_print_dialog(owner);
}

Printer& Printer::current()
{
    static Printer printer;
    return printer;
}

QStringList Printer::Printers() { return QPrinterInfo::availablePrinterNames(); }

Printer::Printer() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)), font_(StdFont::create())
{
    // Text starts inside the margins a printed letter keeps, not at the paper's edge.
    printer_->setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
}

Printer::~Printer()
{
    if (painter_)
        painter_->end();
}

bool Printer::select(const QString& device_name)
{
    if (!Printers().contains(device_name))
        return false;
    printer_->setOutputFileName({});
    printer_->setPrinterName(device_name);
    return true;
}

void Printer::set_output_file(const QString& pdf_path)
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(pdf_path);
}

QString Printer::DeviceName() const
{
    return printer_->outputFileName().isEmpty() ? printer_->printerName() : printer_->outputFileName();
}

int Printer::Copies() const { return printer_->copyCount(); }
void Printer::setCopies(int copies)
{
    if (copies < 1)
        raise(vberr::InvalidPropertyValue);
    printer_->setCopyCount(copies);
}

int Printer::Orientation() const { return printer_->pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1; }
void Printer::setOrientation(int orientation)
{
    if (orientation != 1 && orientation != 2)
        raise(vberr::InvalidPropertyValue);
    printer_->setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int Printer::ColorMode() const { return printer_->colorMode() == QPrinter::Color ? 2 : 1; }
void Printer::setColorMode(int mode)
{
    if (mode != 1 && mode != 2)
        raise(vberr::InvalidPropertyValue);
    printer_->setColorMode(mode == 2 ? QPrinter::Color : QPrinter::GrayScale);
}

int Printer::Duplex() const
{
    switch (printer_->duplex()) {
    case QPrinter::DuplexLongSide: return 2;
    case QPrinter::DuplexShortSide: return 3;
    default: return 1;
    }
}

void Printer::setDuplex(int duplex)
{
    if (duplex < 1 || duplex > 3)
        raise(vberr::InvalidPropertyValue);
    printer_->setDuplex(duplex == 2   ? QPrinter::DuplexLongSide
                        : duplex == 3 ? QPrinter::DuplexShortSide
                                      : QPrinter::DuplexNone);
}

int Printer::PaperSize() const { return printer_->pageLayout().pageSize().windowsId(); }

void Printer::setPaperSize(int size)
{
    const QPageSize::PageSizeId id = QPageSize::id(size);
    if (size <= 0 || id == QPageSize::Custom)
        raise(vberr::InvalidPropertyValue);
    if (!printer_->setPageSize(QPageSize(id)))
        raise(vberr::InvalidPropertyValue);
}

void Printer::setPaperBin(int bin)
{
    const std::optional<QPrinter::PaperSource> source = paper_source_of(bin);
    if (!source)
        raise(vberr::InvalidPropertyValue);
    printer_->setPaperSource(*source);
    paper_bin_ = bin;
}

void Printer::setPrintQuality(int quality)
{
    if (quality == 0 || quality < -4)
        raise(vberr::InvalidPropertyValue);
    // Dots per inch become the document's resolution; the named qualities are kept for the
    // print system, which chooses its own resolution for them.
    if (quality > 0 && !painter_)
        printer_->setResolution(quality);
    print_quality_ = quality;
}

void Printer::setFont(FontRef font)
{
    if (!font)
        raise(vberr::ObjectVariableNotSet);
    font_ = std::move(font);
}

void Printer::set_document_name(const QString& name) { printer_->setDocName(name); }

void Printer::begin()
{
    if (painter_)
        return;
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        raise(482, QStringLiteral("Printer"));
    }
    y_ = 0;
}

void Printer::Print(const QString& text)
{
    begin();
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QFont font(font_->to_qfont(), printer_.get());
    painter_->setFont(font);
    const QFontMetricsF metrics(font, printer_.get());
    const double page_height = printer_->pageLayout().paintRectPixels(printer_->resolution()).height();
    for (const QString& line : lines.split(QLatin1Char('\n'))) {
        if (y_ + metrics.height() > page_height && y_ > 0) {
            printer_->newPage();
            y_ = 0;
        }
        painter_->drawText(QPointF(0, y_ + metrics.ascent()), line);
        y_ += metrics.height();
    }
}

void Printer::NewPage()
{
    begin();
    printer_->newPage();
    y_ = 0;
}

void Printer::EndDoc()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

void Printer::KillDoc()
{
    if (painter_) {
        printer_->abort();
        painter_->end();
        painter_.reset();
    }
}

} // namespace forms
