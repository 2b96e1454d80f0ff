#include "program/wizard/is_valid_name_char.h"

namespace program {

bool IsValidNameChar(short c, const QString& sExtra)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    if (c == '-' || c == '.')
        return true;
    return c > 0 && c < 128 && sExtra.contains(QChar(c));
}

short name_char_code(QChar c) { return c.unicode() < 128 ? static_cast<short>(c.unicode()) : short{63}; }

} // namespace program
