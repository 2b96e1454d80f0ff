#pragma once
// CAString: the collector's wide string with printf-style formatting. Error lines and
// summary blocks are built with it.

#include "platform/win32/win_types.h"

#include <cstddef>
#include <string>

class CAString {
public:
    CAString() = default;
    CAString(std::size_t count, WCHAR fill);
    CAString(const WCHAR* text); // null gives an empty string
    CAString(const CAString&) = default;
    CAString(CAString&&) noexcept = default;
    ~CAString() = default;

    CAString& operator=(const CAString& other);
    CAString& operator=(CAString&&) noexcept = default;
    // Null empties the string; a pointer into the string's own text is copied safely.
    CAString& operator=(const WCHAR* text);

    operator const WCHAR*() const { return m_text.c_str(); }

    // printf-style, wide: %s takes a const WCHAR* (null prints "(null)"), %c a WCHAR, %d %i
    // %u %x %X an int (l, ll, h, z modifiers accepted), %%; flags '-' and '0' and a width.
    // The whole text is kept however long it is. Returns true.
    bool Format(const WCHAR* format, ...);

    const std::u16string& str() const { return m_text; }
    std::size_t length() const { return m_text.size(); }
    bool empty() const { return m_text.empty(); }

private:
    std::u16string m_text;
};
