#include "platform/com/class_registry_reader.h"

#include "platform/win32/registry.h"
#include "platform/win32/win_errors.h"

#include <vector>

namespace com::detail {

std::optional<std::u16string> read_classes_string(const std::u16string& path, const char16_t* value_name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::u16string> result;
    if (RegQueryValueExW(key, value_name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::vector<BYTE> data(size + 2);
        DWORD got = size;
        if (RegQueryValueExW(key, value_name, nullptr, &type, data.data(), &got) == ERROR_SUCCESS) {
            std::u16string text(reinterpret_cast<const char16_t*>(data.data()), got / 2);
            while (!text.empty() && text.back() == u'\0')
                text.pop_back();
            result = std::move(text);
        }
    }
    RegCloseKey(key);
    return result;
}

} // namespace com::detail
