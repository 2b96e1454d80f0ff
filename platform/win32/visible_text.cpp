#include "platform/win32/visible_text.h"

namespace win32 {

namespace {

constexpr char16_t kFirstControlPicture = 0x2400; // U+2400 pictures U+0000, and so on up to U+001F
constexpr char16_t kDeletePicture = 0x2421;
constexpr char16_t kFullWidthClosingBracket = 0xFF3D;
constexpr char16_t kReplacementCharacter = 0xFFFD;
constexpr char16_t kLineSeparator = 0x2028;
constexpr char16_t kParagraphSeparator = 0x2029;

char16_t visible_char(char16_t c)
{
    if (c < 0x20)
        return static_cast<char16_t>(kFirstControlPicture + c);
    if (c == 0x7F)
        return kDeletePicture;
    if (c == u']')
        return kFullWidthClosingBracket;
    if ((c >= 0x80 && c <= 0x9F) || c == kLineSeparator || c == kParagraphSeparator)
        return kReplacementCharacter;
    return c;
}

} // namespace

std::u16string visible_text(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& c : out)
        c = visible_char(c);
    return out;
}

std::u16string visible_lines(std::u16string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t end = text.find(u"\r\n");
        if (end == std::u16string_view::npos) {
            out += visible_text(text);
            break;
        }
        out += visible_text(text.substr(0, end));
        out += u"\r\n";
        text.remove_prefix(end + 2);
    }
    return out;
}

} // namespace win32
