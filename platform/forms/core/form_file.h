#pragma once
// The form file: our own text format storing a form's own properties and its controls, each
// by class (ProgID or {CLSID}) and name, with the extender's values and the control's
// property bag. Lines are UTF-8; indentation is free; '#' starts a comment line.
//
//   OstrelForm 1
//   Begin Form frmMain
//      Caption = String "Ostrel"
//      Begin KyComCtl.KyProgressBar prbProcessProgress
//         @Left = Long 120
//         @Top = Long 480
//         Max = Long 100
//      End
//   End
//
// "key = value" lines are the bag of the enclosing block ("@key" lines its extender values,
// see property_value_text.h for values); a Begin block inside a control's block is a control
// placed inside that container. Controls keep the order of the file, which is the order the
// loader creates them and the form's Controls collection. Controls nest at most
// FormFile::kMaxNesting levels deep (a control directly on the form is level 1); deeper text
// is refused as any malformed line is, so that no depth of input exhausts the stack of the
// code that walks the nesting.

#include "platform/forms/core/property_bag.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <vector>

namespace forms {

struct FormControlData {
    QString class_name; // ProgID or "{CLSID}"
    QString name;
    PropertyBag extender;
    PropertyBag properties;
    std::vector<FormControlData> children;
    int line = 0; // the line of its Begin, 0 for a control not read from a file
};

struct FormData {
    QString name;
    PropertyBag properties;
    std::vector<FormControlData> controls;
};

class FormFile {
public:
    static constexpr std::size_t kMaxNesting = 64;
    // The largest form file read, in bytes.
    static constexpr qsizetype kMaxFileSize = 16 * 1024 * 1024;
    // The pixels all pictures of one form may hold together.
    static constexpr qint64 kMaxPicturePixels = 16 * 1024 * 1024;

    // Raises VbError 380 with the line number and what is wrong for text that is not a form
    // ("Form file line 4: ..."; with `file` given, "Form file <file> line 4: ..."). The keys
    // "Begin" and "End" (in any case) are the file's structure, never a value's key; a key
    // given twice in one block (in any case) is refused naming both lines. The bags read
    // keep `file`, so what a reader refuses later names it too.
    static FormData parse(const QString& text, const QString& file = {});
    // The bytes of a file: also 380 for more than kMaxFileSize bytes and for a line that is
    // not UTF-8.
    static FormData parse(const QByteArray& utf8, const QString& file = {});
    // The one reader of form files (the program, the design tool and the tests): opens
    // without following the file into a block (a FIFO without a writer, a device), reads only
    // a regular file, at most kMaxFileSize bytes, and parses it naming `path` in every error.
    // Raises 53 (File not found), 75 for a path that is no regular file or cannot be read,
    // and parse's 380. `bytes`, when given, receives the file's bytes as read.
    static FormData read(const QString& path, QByteArray* bytes = nullptr);
    static QString write(const FormData& form);
    static void save(const FormData& form, const QString& path); // raises 75 when unwritable

private:
    static FormData parse_lines(const QStringList& lines, const QString& file);
};

} // namespace forms
