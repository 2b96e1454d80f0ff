#include "platform/forms/printer.h"

#include "platform/forms/message_box.h"
#include "platform/forms/vb_error.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace forms {

Printer& Printer::current()
{
    static Printer printer;
    return printer;
}

QStringList Printer::Printers() { return QPrinterInfo::availablePrinterNames(); }

Printer::Printer()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
    , font_(StdFont::create())
{
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

bool Printer::choose_with_dialog(QWidget* owner)
{
    if (!has_display())
        return false;
    QPrintDialog dialog(printer_.get(), owner);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    return dialog.exec() == QDialog::Accepted;
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
    printer_->setDuplex(duplex == 2 ? QPrinter::DuplexLongSide : duplex == 3 ? QPrinter::DuplexShortSide : QPrinter::DuplexNone);
}

void Printer::setFont(FontRef font)
{
    if (!font)
        raise(vberr::ObjectVariableNotSet);
    font_ = std::move(font);
}

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
