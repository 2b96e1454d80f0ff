#pragma once
// Globally unique identifiers: the 16-byte value, comparison, and the braced text form
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (hex digits in upper case when written).

#include "platform/com/ole_types.h"

#include <compare>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];

    friend constexpr bool operator==(const GUID& a, const GUID& b) noexcept
    {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
            return false;
        }
        for (int i = 0; i < 8; ++i) {
            if (a.Data4[i] != b.Data4[i]) {
                return false;
            }
        }
        return true;
    }
    // An order for maps and sets; it has no meaning beyond that.
    friend constexpr bool operator<(const GUID& a, const GUID& b) noexcept
    {
        if (a.Data1 != b.Data1)
            return a.Data1 < b.Data1;
        if (a.Data2 != b.Data2)
            return a.Data2 < b.Data2;
        if (a.Data3 != b.Data3)
            return a.Data3 < b.Data3;
        for (int i = 0; i < 8; ++i) {
            if (a.Data4[i] != b.Data4[i])
                return a.Data4[i] < b.Data4[i];
        }
        return false;
    }
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPGUID = GUID*;
using LPIID = IID*;
using LPCLSID = CLSID*;

inline constexpr GUID GUID_NULL{};
inline constexpr IID IID_NULL{};
inline constexpr CLSID CLSID_NULL{};

inline bool IsEqualGUID(REFGUID a, REFGUID b) noexcept { return a == b; }
inline bool IsEqualIID(REFIID a, REFIID b) noexcept { return a == b; }
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) noexcept { return a == b; }

namespace com {

namespace detail {
template <class Char>
constexpr int hex_digit(Char c) noexcept
{
    if (c >= '0' && c <= '9')
        return static_cast<int>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<int>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<int>(c - 'A' + 10);
    return -1;
}
template <class Char>
constexpr bool hex_field(const Char* text, int digits, std::uint32_t& value) noexcept
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int d = hex_digit(text[i]);
        if (d < 0)
            return false;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return true;
}
// The one reading of a GUID's text: the 36 characters "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX"
// at `p` (either case of hex), without braces.
template <class Char>
constexpr bool parse_guid_body(const Char* p, GUID& out) noexcept
{
    if (p[8] != '-' || p[13] != '-' || p[18] != '-' || p[23] != '-')
        return false;
    GUID g{};
    std::uint32_t v = 0;
    if (!hex_field(p, 8, v))
        return false;
    g.Data1 = v;
    if (!hex_field(p + 9, 4, v))
        return false;
    g.Data2 = static_cast<std::uint16_t>(v);
    if (!hex_field(p + 14, 4, v))
        return false;
    g.Data3 = static_cast<std::uint16_t>(v);
    for (int i = 0; i < 2; ++i) {
        if (!hex_field(p + 19 + 2 * i, 2, v))
            return false;
        g.Data4[i] = static_cast<std::uint8_t>(v);
    }
    for (int i = 0; i < 6; ++i) {
        if (!hex_field(p + 24 + 2 * i, 2, v))
            return false;
        g.Data4[2 + i] = static_cast<std::uint8_t>(v);
    }
    out = g;
    return true;
}
} // namespace detail

// A GUID literal: make_guid("7DDD0D92-7DEA-4C30-B190-4718A1F60FB0"), braces optional. In a
// constant expression a malformed text is a compile-time error.
template <std::size_t N>
constexpr GUID make_guid(const char (&text)[N])
{
    static_assert(N == 37 || N == 39, "a GUID literal has 36 characters, or 38 with braces");
    const char* p = text;
    if constexpr (N == 39) {
        if (text[0] != '{' || text[37] != '}') {
            throw std::invalid_argument("GUID literal braces");
        }
        p = text + 1;
    }
    GUID g{};
    if (!detail::parse_guid_body(p, g)) {
        throw std::invalid_argument("GUID literal is not a GUID");
    }
    return g;
}

// Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (braces required, either case of hex).
bool parse_guid(std::u16string_view text, GUID& out) noexcept;
// The braced upper-case text form.
std::u16string guid_to_string(REFGUID guid);
std::string guid_to_utf8(REFGUID guid);

// The interface identifier of an interface type, declared next to the interface with
// COM_DECLARE_IID. A type without a declaration does not compile, so a derived interface can
// never silently answer with its base's identifier.
template <class T>
struct iid_traits;

template <class T>
constexpr const IID& uuidof() noexcept
{
    return iid_traits<T>::value;
}
template <class T>
constexpr const IID& uuidof(T*) noexcept
{
    return iid_traits<T>::value;
}

} // namespace com

// Declares IID_<I> and ties it to the type I for com::uuidof<I>(). At global scope.
#define COM_DECLARE_IID(I, text)                                                                                       \
    inline constexpr IID IID_##I = ::com::make_guid(text);                                                             \
    template <>                                                                                                        \
    struct com::iid_traits<I> {                                                                                        \
        static constexpr const IID& value = IID_##I;                                                                   \
    }

// Windows shapes. CLSIDFromString accepts the braced form and, failing that, a ProgID
// registered under HKEY_CLASSES_ROOT; IIDFromString only the braced form.
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
HRESULT IIDFromString(LPCOLESTR text, LPIID iid);
// Writes the braced form and its NUL into buffer; returns the characters written with the
// NUL (39), or 0 when the buffer is shorter than that.
int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int capacity);

template <>
struct std::hash<GUID> {
    std::size_t operator()(const GUID& g) const noexcept
    {
        std::size_t h = g.Data1;
        h = h * 1000003u ^ g.Data2;
        h = h * 1000003u ^ g.Data3;
        for (auto b : g.Data4) {
            h = h * 1000003u ^ b;
        }
        return h;
    }
};
