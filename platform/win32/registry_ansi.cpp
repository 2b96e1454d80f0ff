#include "platform/win32/registry.h"

#include "platform/win32/registry_tree.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

std::optional<std::u16string> wide(LPCSTR text)
{
    if (text == nullptr)
        return std::nullopt;
    return win32::utf8_to_utf16(text);
}

} // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result)
{
    const auto sub = wide(subKey);
    return RegOpenKeyExW(key, sub ? sub->c_str() : nullptr, options, desired, result);
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD cbData)
{
    const auto name = wide(valueName);
    const LPCWSTR wname = name ? name->c_str() : nullptr;
    DWORD wtype = 0, wsize = 0;
    if (const LONG rc = RegQueryValueExW(key, wname, reserved, &wtype, nullptr, &wsize); rc != ERROR_SUCCESS)
        return rc;
    std::vector<BYTE> raw(wsize);
    if (const LONG rc = RegQueryValueExW(key, wname, reserved, &wtype, raw.data(), &wsize); rc != ERROR_SUCCESS)
        return rc;
    raw.resize(wsize);
    if (wtype == REG_SZ || wtype == REG_EXPAND_SZ) {
        std::u16string text = win32::registry_detail::utf16_of_bytes(raw.data(), raw.size());
        if (!text.empty() && text.back() == u'\0')
            text.pop_back();
        const std::string utf8 = win32::utf16_to_utf8(text);
        raw.assign(utf8.begin(), utf8.end());
        raw.push_back(0);
    }
    if (type != nullptr)
        *type = wtype;
    const auto size = static_cast<DWORD>(raw.size());
    if (data == nullptr) {
        if (cbData != nullptr)
            *cbData = size;
        return ERROR_SUCCESS;
    }
    if (cbData == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (*cbData < size) {
        *cbData = size;
        return ERROR_MORE_DATA;
    }
    std::copy(raw.begin(), raw.end(), data);
    *cbData = size;
    return ERROR_SUCCESS;
}
