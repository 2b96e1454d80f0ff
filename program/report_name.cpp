#include "program/report_name.h"

namespace program {

namespace {

constexpr char16_t kFirstControlPicture = 0x2400; // U+2400 pictures U+0000, and so on up to U+001F
constexpr char16_t kDeletePicture = 0x2421;
constexpr char16_t kFullWidthClosingBracket = 0xFF3D;
constexpr char16_t kLineSeparator = 0x2028;
constexpr char16_t kParagraphSeparator = 0x2029;

QChar shown(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20)
        return QChar(static_cast<char16_t>(kFirstControlPicture + u));
    if (u == 0x7F)
        return QChar(kDeletePicture);
    if (u == u']')
        return QChar(kFullWidthClosingBracket);
    if (c.category() == QChar::Other_Control || u == kLineSeparator || u == kParagraphSeparator)
        return QChar(QChar::ReplacementCharacter);
    return c;
}

} // namespace

QString ReportName(const QString& name)
{
    QString out = name;
    for (QChar& c : out)
        c = shown(c);
    return out;
}

} // namespace program
