#include "platform/com/guid.h"

#include "platform/com/class_loader.h"
#include "platform/com/runtime.h"
#include "platform/win32/text.h"

#include <cstdio>

namespace com {

bool parse_guid(std::u16string_view text, GUID& out) noexcept
{
    if (text.size() != 38 || text[0] != u'{' || text[37] != u'}') {
        return false;
    }
    return detail::parse_guid_body(text.data() + 1, out);
}

std::string guid_to_utf8(REFGUID g)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2,
                  g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                  g.Data4[7]);
    return buffer;
}

std::u16string guid_to_string(REFGUID g) { return win32::utf8_to_utf16(guid_to_utf8(g)); }

} // namespace com

HRESULT IIDFromString(LPCOLESTR text, LPIID iid)
{
    if (iid == nullptr)
        return E_INVALIDARG;
    if (text == nullptr) {
        *iid = IID_NULL;
        return S_OK;
    }
    return com::parse_guid(text, *iid) ? S_OK : E_INVALIDARG;
}

HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid)
{
    if (clsid == nullptr)
        return E_INVALIDARG;
    if (text == nullptr) {
        *clsid = CLSID_NULL;
        return S_OK;
    }
    const HRESULT hr = com::class_id_from_name(text, *clsid);
    return SUCCEEDED(hr) ? hr : CO_E_CLASSSTRING;
}

int StringFromGUID2(REFGUID guid, LPOLESTR buffer, int capacity)
{
    if (buffer == nullptr || capacity < 39)
        return 0;
    std::u16string text = com::guid_to_string(guid);
    text.copy(buffer, text.size());
    buffer[text.size()] = u'\0';
    return static_cast<int>(text.size()) + 1;
}
