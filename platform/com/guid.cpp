#include "platform/com/guid.h"

#include "platform/com/runtime.h"
#include "platform/win32/text.h"

#include <cstdio>

namespace com {

namespace {
int hex_value(char16_t c) noexcept
{
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}
bool read_hex(std::u16string_view text, std::size_t at, int digits, std::uint32_t& out) noexcept
{
    std::uint32_t value = 0;
    for (int i = 0; i < digits; ++i) {
        int d = hex_value(text[at + static_cast<std::size_t>(i)]);
        if (d < 0) return false;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    out = value;
    return true;
}
} // namespace

bool parse_guid(std::u16string_view text, GUID& out) noexcept
{
    if (text.size() != 38 || text[0] != u'{' || text[37] != u'}' || text[9] != u'-' ||
        text[14] != u'-' || text[19] != u'-' || text[24] != u'-') {
        return false;
    }
    GUID g{};
    std::uint32_t v = 0;
    if (!read_hex(text, 1, 8, v)) return false;
    g.Data1 = v;
    if (!read_hex(text, 10, 4, v)) return false;
    g.Data2 = static_cast<std::uint16_t>(v);
    if (!read_hex(text, 15, 4, v)) return false;
    g.Data3 = static_cast<std::uint16_t>(v);
    for (int i = 0; i < 2; ++i) {
        if (!read_hex(text, 20 + 2 * static_cast<std::size_t>(i), 2, v)) return false;
        g.Data4[i] = static_cast<std::uint8_t>(v);
    }
    for (int i = 0; i < 6; ++i) {
        if (!read_hex(text, 25 + 2 * static_cast<std::size_t>(i), 2, v)) return false;
        g.Data4[2 + i] = static_cast<std::uint8_t>(v);
    }
    out = g;
    return true;
}

std::string guid_to_utf8(REFGUID g)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  g.Data1, g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3],
                  g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

std::u16string guid_to_string(REFGUID g)
{
    return win32::utf8_to_utf16(guid_to_utf8(g));
}

} // namespace com

HRESULT IIDFromString(LPCOLESTR text, LPIID iid)
{
    if (iid == nullptr) return E_INVALIDARG;
    if (text == nullptr) {
        *iid = IID_NULL;
        return S_OK;
    }
    return com::parse_guid(text, *iid) ? S_OK : E_INVALIDARG;
}

HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid)
{
    if (clsid == nullptr) return E_INVALIDARG;
    if (text == nullptr) {
        *clsid = CLSID_NULL;
        return S_OK;
    }
    std::u16string_view view(text);
    if (!view.empty() && view[0] == u'{') {
        return com::parse_guid(view, *clsid) ? S_OK : CO_E_CLASSSTRING;
    }
    HRESULT hr = CLSIDFromProgID(text, clsid);
    return SUCCEEDED(hr) ? hr : CO_E_CLASSSTRING;
}

int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int capacity)
{
    if (buffer == nullptr || capacity < 39) return 0;
    std::u16string text = com::guid_to_string(guid);
    text.copy(buffer, text.size());
    buffer[text.size()] = u'\0';
    return static_cast<int>(text.size()) + 1;
}
