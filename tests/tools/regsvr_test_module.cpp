// A module for the registration tool's tests: registering writes a key naming the module's
// own file, unregistering removes it. Built twice: as itself, and with
// REGSVR_TEST_FAIL to return a failing HRESULT.
#include "platform/win32/module.h"
#include "platform/win32/registry.h"
#include "platform/win32/win_errors.h"

#include <string>

namespace {
constexpr const char16_t* kKey = u"Ostrel.RegsvrTest";
}

extern "C" [[gnu::visibility("default")]] HRESULT DllRegisterServer()
{
#ifdef REGSVR_TEST_FAIL
    return REGDB_E_WRITEREGDB;
#else
    WCHAR path[4096];
    const DWORD n = GetModuleFileNameW(win32::current_module(), path, 4096);
    if (n == 0 || n == 4096)
        return E_FAIL;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        return REGDB_E_WRITEREGDB;
    const LONG rc = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(path), (n + 1) * 2);
    RegCloseKey(key);
    return rc == 0 ? S_OK : REGDB_E_WRITEREGDB;
#endif
}

extern "C" [[gnu::visibility("default")]] HRESULT DllUnregisterServer()
{
    const LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, kKey);
    return rc == 0 || rc == static_cast<LONG>(ERROR_FILE_NOT_FOUND) ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
}
