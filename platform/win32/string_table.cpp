#include "platform/win32/string_table.h"

#include "platform/win32/last_error.h"
#include "platform/win32/win_errors.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>

namespace win32 {

namespace {

struct string_tables {
    std::mutex mutex;
    // Texts keep a stable address while registered: LoadStringW with cchBufferMax 0 hands
    // out a pointer into them.
    std::map<HINSTANCE, std::map<UINT, std::u16string>> by_module;
};

string_tables& tables()
{
    // Never destroyed: a module's registration may be undone after this library's statics at exit.
    static auto* instance = new string_tables;
    return *instance;
}

} // namespace

void register_string_table(HINSTANCE module, std::span<const string_resource> entries)
{
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    auto& table = t.by_module[module];
    for (const auto& e : entries)
        table.insert_or_assign(e.id, std::u16string(e.text));
}

void unregister_string_table(HINSTANCE module, std::span<const string_resource> entries)
{
    auto& t = tables();
    std::lock_guard lock(t.mutex);
    const auto it = t.by_module.find(module);
    if (it == t.by_module.end())
        return;
    for (const auto& e : entries)
        it->second.erase(e.id);
    if (it->second.empty())
        t.by_module.erase(it);
}

string_table_registration::string_table_registration(HINSTANCE module, std::span<const string_resource> entries)
    : module_(module), entries_(entries)
{
    register_string_table(module_, entries_);
}

string_table_registration::~string_table_registration() { unregister_string_table(module_, entries_); }

} // namespace win32

INT LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, INT cchBufferMax)
{
    if (buffer == nullptr || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // A null instance means the executable, as for every resource lookup.
    if (instance == nullptr)
        instance = win32::executable_module();
    auto& t = win32::tables();
    std::lock_guard lock(t.mutex);
    const auto module = t.by_module.find(instance);
    if (module == t.by_module.end()) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        if (cchBufferMax > 0)
            buffer[0] = u'\0';
        return 0;
    }
    const auto entry = module->second.find(id);
    if (entry == module->second.end()) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        if (cchBufferMax > 0)
            buffer[0] = u'\0';
        return 0;
    }
    const std::u16string& text = entry->second;
    if (cchBufferMax == 0) {
        *reinterpret_cast<const WCHAR**>(buffer) = text.c_str();
        return static_cast<INT>(text.size());
    }
    const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(cchBufferMax) - 1);
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = u'\0';
    return static_cast<INT>(count);
}
