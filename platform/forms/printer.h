#pragma once
// The runtime's Printer over Qt's print support: the system's printers by name, the current
// printer with its settings, a font, text printed line by line, and EndDoc, which sends the
// document. set_output_file makes the printer write a PDF file instead (tests, and a machine
// without printers); choose_with_dialog shows Qt's print dialog and returns False for Cancel
// or when there is no display.

#include "platform/forms/std_font.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QPainter;
class QPrinter;

namespace forms {

class Printer : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString DeviceName READ DeviceName)
    Q_PROPERTY(int Copies READ Copies WRITE setCopies)
    Q_PROPERTY(int Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(int ColorMode READ ColorMode WRITE setColorMode)
    Q_PROPERTY(int Duplex READ Duplex WRITE setDuplex)
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
    bool choose_with_dialog(QWidget* owner);

    QString DeviceName() const;
    int Copies() const;
    void setCopies(int copies);
    int Orientation() const; // 1 portrait, 2 landscape
    void setOrientation(int orientation);
    int ColorMode() const;   // 1 monochrome, 2 colour
    void setColorMode(int mode);
    int Duplex() const;      // 1 simplex, 2 long edge, 3 short edge
    void setDuplex(int duplex);
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
};

} // namespace forms
