#pragma once
// The runtime's Printer over Qt's print support: the system's printers by name, the current
// printer with its settings, a font, text printed line by line, and EndDoc, which sends the
// document. set_output_file makes the printer write a PDF file instead (tests, and a machine
// without printers). The print dialog is a replaceable service (tests accept or cancel it);
// without a display the default dialog answers as cancelled.

#include "platform/forms/core/std_font.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPrinter;
class QWidget;

namespace forms {

// What the user chose in the print dialog: the printer's name and its settings, each in the
// runtime's Printer values (0 where the dialog leaves a setting to the printer).
struct PrintDialogChoice {
    QString device_name;
    // The PDF file chosen instead of a printer ("Print to File"); empty when a printer was.
    QString output_file;
    int ColorMode = 0;
    int Copies = 1;
    int Duplex = 0;
    int Orientation = 0;
    int PaperBin = 0;
    int PaperSize = 0;
    int PrintQuality = 0;
};

// Returns the choice, or nothing for Cancel.
using PrintDialogService = std::function<std::optional<PrintDialogChoice>(QWidget* owner)>;
// Installs a dialog (empty restores Qt's) and returns the one before.
PrintDialogService set_print_dialog_service(PrintDialogService service);
// Shows the print dialog (the installed one, else Qt's over the current printer's settings).
std::optional<PrintDialogChoice> show_print_dialog(QWidget* owner);

class Printer : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString DeviceName READ DeviceName)
    Q_PROPERTY(int Copies READ Copies WRITE setCopies)
    Q_PROPERTY(int Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(int ColorMode READ ColorMode WRITE setColorMode)
    Q_PROPERTY(int Duplex READ Duplex WRITE setDuplex)
    Q_PROPERTY(int PaperSize READ PaperSize WRITE setPaperSize)
    Q_PROPERTY(int PaperBin READ PaperBin WRITE setPaperBin)
    Q_PROPERTY(int PrintQuality READ PrintQuality WRITE setPrintQuality)
    Q_PROPERTY(forms::FontRef Font READ Font WRITE setFont)

public:
    // The process's current printer (the system default until changed).
    static Printer& current();
    static QStringList Printers();

    Printer();
    ~Printer() override;

    // Makes the named printer current; returns false (nothing changes) for an unknown name.
    bool select(const QString& device_name);
    void set_output_file(const QString& pdf_path);
    // The name of the next document: the print job's name, and a PDF's Title.
    void set_document_name(const QString& name);

    QString DeviceName() const;
    int Copies() const;
    void setCopies(int copies);
    int Orientation() const; // 1 portrait, 2 landscape
    void setOrientation(int orientation);
    int ColorMode() const; // 1 monochrome, 2 colour
    void setColorMode(int mode);
    int Duplex() const; // 1 simplex, 2 long edge, 3 short edge
    void setDuplex(int duplex);
    // The system's paper numbers (1 Letter, 5 Legal, 8 A3, 9 A4, 11 A5, ...); 380 for a
    // number that names no paper.
    int PaperSize() const;
    void setPaperSize(int size);
    // The system's bin numbers (1 upper or only one, 2 lower, ... 7 automatic, 15 form
    // source); 380 outside 1..15.
    int PaperBin() const { return paper_bin_; }
    void setPaperBin(int bin);
    // -1 draft, -2 low, -3 medium, -4 high, or dots per inch; 380 for 0 or below -4. Set
    // before the document starts.
    int PrintQuality() const { return print_quality_; }
    void setPrintQuality(int quality);
    FontRef Font() const { return font_; }
    void setFont(FontRef font);

    // Prints one line (CR LF or LF inside start new lines) in the current font; an empty
    // text prints an empty line. Raises 482 (Printer error) when the printer cannot start.
    Q_INVOKABLE void Print(const QString& text = {});
    Q_INVOKABLE void NewPage();
    Q_INVOKABLE void EndDoc();
    Q_INVOKABLE void KillDoc();

private:
    void begin();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    FontRef font_;
    double y_ = 0;
    int paper_bin_ = 7;
    int print_quality_ = -4;
};

} // namespace forms
