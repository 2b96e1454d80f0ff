#pragma once
// Module handles. A module's handle is the base address at which the dynamic loader mapped
// it (the executable's or a shared library's), so the same handle names the same module
// from anywhere in the process.

#include "platform/win32/win_types.h"

#include <string>

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;

namespace win32 {

// The handle of the module that contains `address`; null when no loaded module does.
HMODULE module_of_address(const void* address);

// The executable's handle.
HMODULE executable_module();

// The absolute path of a module's file (UTF-8); null = the executable. Empty when the
// handle is not a loaded module.
std::string module_path(HMODULE module);

namespace detail {
// One anchor per module: hidden, so a shared library's code binds to its own copy and not
// to the executable's.
[[gnu::visibility("hidden")]] inline const char module_anchor = 0;
} // namespace detail

// The handle of the module this call is compiled into. Hidden and inline, so that the
// collector .so gets its own handle and not the executable's.
[[gnu::visibility("hidden")]] inline HMODULE current_module() { return module_of_address(&detail::module_anchor); }

} // namespace win32

// Null = the executable's handle; otherwise a loaded module whose file name (with or
// without directory) matches. Null and ERROR_MOD_NOT_FOUND when none does.
HMODULE GetModuleHandleW(LPCWSTR moduleName);

// Copies the module's full path into `filename` (size in characters) and returns its length
// without the NUL. A path that does not fit is truncated to size-1 characters plus NUL, the
// result is `size` and the last error ERROR_INSUFFICIENT_BUFFER. Null module = the
// executable (/proc/self/exe). 0 and ERROR_MOD_NOT_FOUND for an unknown handle.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR filename, DWORD size);
