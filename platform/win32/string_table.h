#pragma once
// String tables: numbered texts compiled into the module that owns them and registered for
// that module's handle when the module is loaded, read back with LoadStringW.

#include "platform/win32/module.h"
#include "platform/win32/win_types.h"

#include <span>
#include <string_view>

namespace win32 {

struct string_resource {
    UINT id;
    std::u16string_view text;
};

// Adds the entries to the table of `module` (the texts are copied); a later entry with the
// same id replaces the earlier one.
void register_string_table(HINSTANCE module, std::span<const string_resource> entries);
// Removes the given ids from the table of `module`.
void unregister_string_table(HINSTANCE module, std::span<const string_resource> entries);

// Registers a table for the lifetime of the object, typically a namespace-scope static of the
// owning module:
//   static const win32::string_table_registration strings(win32::current_module(), kTable);
class string_table_registration {
public:
    string_table_registration(HINSTANCE module, std::span<const string_resource> entries);
    ~string_table_registration();
    string_table_registration(const string_table_registration&) = delete;
    string_table_registration& operator=(const string_table_registration&) = delete;

private:
    HINSTANCE module_;
    std::span<const string_resource> entries_;
};

} // namespace win32

// Copies text `id` of `instance`'s table into `buffer` (cchBufferMax characters, truncated
// to cchBufferMax-1 plus NUL) and returns the number of characters copied without the NUL.
// 0 for a missing id (last error ERROR_RESOURCE_NAME_NOT_FOUND) or a null buffer. With
// cchBufferMax 0, `buffer` receives a read-only pointer to the text (not NUL-terminated) and
// the result is its length. A null instance is the executable.
INT LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, INT cchBufferMax);
