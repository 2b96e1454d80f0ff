#pragma once
// The runtime's Clipboard object over the system clipboard (Qt's): text only, which is what
// the program copies. Needs the QApplication.

#include <QString>

namespace forms {

class Clipboard {
public:
    static void Clear();
    static void SetText(const QString& text);
    static QString GetText();
};

} // namespace forms
