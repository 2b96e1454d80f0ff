#pragma once
// Reads of the registry for assertions.

#include "platform/win32/registry.h"
#include "platform/win32/win_errors.h"

#include <optional>
#include <string>
#include <vector>

inline bool key_exists(HKEY root, const std::u16string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

inline std::optional<std::u16string> string_value(HKEY root, const std::u16string& path, const char16_t* name = nullptr)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> data(4096);
    DWORD size = static_cast<DWORD>(data.size());
    DWORD type = 0;
    LONG rc = RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::u16string text(reinterpret_cast<const char16_t*>(data.data()), size / 2);
    while (!text.empty() && text.back() == u'\0')
        text.pop_back();
    return text;
}
