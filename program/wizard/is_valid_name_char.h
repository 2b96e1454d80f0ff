#pragma once
// The characters a domain or server name may hold: ASCII letters, digits, "-" and ".", and
// the characters of `sExtra` (":" for a server name). Codes are those of the system's ANSI
// code page; a character outside ASCII never passes (the code page lacks most of them, and
// none of those it has belongs in a name).

#include <QChar>
#include <QString>

namespace program {

// `c` is a character code as KeyPress hands it.
bool IsValidNameChar(short c, const QString& sExtra);
// The code IsValidNameChar takes for a character of a text: its ASCII code, else 63 ("?").
short name_char_code(QChar c);

} // namespace program
