#include "platform/win32/text.h"

namespace win32 {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void append_utf16(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

void append_utf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace

std::u16string utf8_to_utf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        std::size_t extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            cp = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            cp = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            cp = lead & 0x07;
            minimum = 0x10000;
        } else {
            out.push_back(static_cast<char16_t>(kReplacement));
            ++i;
            continue;
        }
        // A truncated or broken sequence is replaced by one U+FFFD for its valid prefix, and
        // decoding resumes at the first byte that does not belong to it.
        std::size_t taken = 1;
        bool ok = true;
        while (taken <= extra) {
            if (i + taken >= n) {
                ok = false;
                break;
            }
            const auto cont = static_cast<unsigned char>(text[i + taken]);
            if ((cont & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (cont & 0x3F);
            ++taken;
        }
        if (ok && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
            ok = false;
        if (!ok) {
            out.push_back(static_cast<char16_t>(kReplacement));
            i += taken;
            continue;
        }
        append_utf16(out, cp);
        i += taken;
    }
    return out;
}

std::string utf16_to_utf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                const char32_t cp = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) +
                                    (static_cast<char32_t>(text[i + 1]) - 0xDC00);
                append_utf8(out, cp);
                ++i;
            } else {
                append_utf8(out, kReplacement);
            }
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            append_utf8(out, kReplacement);
        } else {
            append_utf8(out, unit);
        }
    }
    return out;
}

} // namespace win32
