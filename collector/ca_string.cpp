#include "collector/ca_string.h"

#include <cstdarg>
#include <cstdint>

namespace {

void pad_and_append(std::u16string& out, const std::u16string& piece, std::size_t width, bool left, WCHAR fill)
{
    const std::size_t padding = piece.size() < width ? width - piece.size() : 0;
    if (!left)
        out.append(padding, fill);
    out += piece;
    if (left)
        out.append(padding, u' ');
}

std::u16string digits(std::uint64_t value, unsigned base, bool upper)
{
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<WCHAR>(set[value % base]));
        value /= base;
    } while (value != 0);
    return text;
}

} // namespace

CAString::CAString(std::size_t count, WCHAR fill) : m_text(count, fill) {}

CAString::CAString(const WCHAR* text)
{
    if (text != nullptr)
        m_text = text;
}

CAString& CAString::operator=(const CAString& other)
{
    if (this != &other)
        m_text = other.m_text;
    return *this;
}

CAString& CAString::operator=(const WCHAR* text)
{
    if (text == nullptr) {
        m_text.clear();
        return *this;
    }
    if (text == m_text.c_str())
        return *this;
    // A pointer into our own buffer would be invalidated by the assignment: copy first.
    std::u16string copy(text);
    m_text.swap(copy);
    return *this;
}

bool CAString::Format(const WCHAR* format, ...)
{
    std::u16string out;
    va_list args;
    va_start(args, format);
    for (const WCHAR* p = format; p != nullptr && *p != u'\0'; ++p) {
        if (*p != u'%') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == u'%') {
            out += u'%';
            continue;
        }
        bool left = false;
        WCHAR fill = u' ';
        for (; *p == u'-' || *p == u'0'; ++p) {
            if (*p == u'-')
                left = true;
            else
                fill = u'0';
        }
        std::size_t width = 0;
        for (; *p >= u'0' && *p <= u'9'; ++p)
            width = width * 10 + static_cast<std::size_t>(*p - u'0');
        int longs = 0;
        bool size_t_arg = false;
        for (; *p == u'l' || *p == u'h' || *p == u'z'; ++p) {
            if (*p == u'l')
                ++longs;
            else if (*p == u'z')
                size_t_arg = true;
        }
        const auto signed_arg = [&]() -> std::int64_t {
            if (size_t_arg)
                return static_cast<std::int64_t>(va_arg(args, std::size_t));
            if (longs >= 2)
                return va_arg(args, long long);
            if (longs == 1)
                return va_arg(args, long);
            return va_arg(args, int);
        };
        const auto unsigned_arg = [&]() -> std::uint64_t {
            if (size_t_arg)
                return va_arg(args, std::size_t);
            if (longs >= 2)
                return va_arg(args, unsigned long long);
            if (longs == 1)
                return va_arg(args, unsigned long);
            return va_arg(args, unsigned int);
        };
        switch (*p) {
        case u's': {
            const auto* text = va_arg(args, const WCHAR*);
            pad_and_append(out, text != nullptr ? std::u16string(text) : std::u16string(u"(null)"), width, left, u' ');
            break;
        }
        case u'c':
            pad_and_append(out, std::u16string(1, static_cast<WCHAR>(va_arg(args, int))), width, left, u' ');
            break;
        case u'd':
        case u'i': {
            const std::int64_t value = signed_arg();
            std::u16string text = digits(
                value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value), 10, false);
            if (value < 0) {
                if (fill == u'0' && !left) {
                    out += u'-';
                    width = width > 0 ? width - 1 : 0;
                } else {
                    text.insert(text.begin(), u'-');
                }
            }
            pad_and_append(out, text, width, left, fill);
            break;
        }
        case u'u': pad_and_append(out, digits(unsigned_arg(), 10, false), width, left, fill); break;
        case u'x':
        case u'X': pad_and_append(out, digits(unsigned_arg(), 16, *p == u'X'), width, left, fill); break;
        case u'\0':
            --p; // a lone '%' at the end is dropped
            break;
        default:
            out += u'%';
            out += *p;
            break;
        }
    }
    va_end(args);
    m_text.swap(out);
    return true;
}
