// Type-library registration: what a client (and the About box) reads of a library, each
// registration and unregistration written as one registry batch.

#include "platform/com/atl/type_library.h"

#include "platform/com/runtime.h"
#include "platform/win32/registry.h"
#include "platform/win32/win_errors.h"

#include <string>

namespace com::tlb {

namespace {

// The marshaler of automation interfaces, which dual and dispatch interfaces name.
constexpr GUID automation_proxy_stub = com::make_guid("00020424-0000-0000-C000-000000000046");

std::u16string version_text(const library_desc& library)
{
    std::string v = std::to_string(library.major) + "." + std::to_string(library.minor);
    return std::u16string(v.begin(), v.end());
}

HRESULT set_string(const std::u16string& path, const char16_t* name, const std::u16string& value)
{
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
    rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(rc));
}

std::u16string directory_of(const std::u16string& path)
{
    auto slash = path.find_last_of(u'/');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

bool key_is_empty(const std::u16string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 0;
    DWORD values = 0;
    LONG rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                               nullptr, nullptr);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && subkeys == 0 && values == 0;
}

HRESULT register_interface(const library_desc& library, REFIID iid, const std::u16string& name)
{
    const std::u16string key = u"Interface\\" + com::guid_to_string(iid);
    HRESULT hr = set_string(key, nullptr, name);
    if (SUCCEEDED(hr))
        hr = set_string(key + u"\\ProxyStubClsid32", nullptr, com::guid_to_string(automation_proxy_stub));
    if (SUCCEEDED(hr))
        hr = set_string(key + u"\\TypeLib", nullptr, com::guid_to_string(library.libid));
    if (SUCCEEDED(hr))
        hr = set_string(key + u"\\TypeLib", u"Version", version_text(library));
    return hr;
}

HRESULT delete_interface(REFIID iid)
{
    const std::u16string key = u"Interface\\" + com::guid_to_string(iid);
    const LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND ? TYPE_E_REGISTRYACCESS : S_OK;
}

} // namespace

HRESULT register_type_library(const library_desc& library, const std::u16string& module_path)
{
    const HRESULT written = win32::registry_batch([&] {
        const std::u16string lib = u"TypeLib\\" + com::guid_to_string(library.libid);
        const std::u16string version = lib + u"\\" + version_text(library);
        HRESULT hr = set_string(version, nullptr, library.help.empty() ? library.name : library.help);
        if (SUCCEEDED(hr))
            hr = set_string(version + u"\\0\\win32", nullptr, module_path);
        if (SUCCEEDED(hr))
            hr = set_string(version + u"\\FLAGS", nullptr, u"0");
        if (SUCCEEDED(hr))
            hr = set_string(version + u"\\HELPDIR", nullptr, directory_of(module_path));
        for (const auto& itf : library.interfaces) {
            if (SUCCEEDED(hr))
                hr = register_interface(library, itf.iid, itf.name);
            for (const auto& alias : itf.aliases) {
                if (SUCCEEDED(hr))
                    hr = register_interface(library, alias.iid, alias.name);
            }
        }
        return hr;
    });
    return FAILED(written) ? TYPE_E_REGISTRYACCESS : S_OK;
}

HRESULT unregister_type_library(const library_desc& library)
{
    return win32::registry_batch([&] {
        const std::u16string lib = u"TypeLib\\" + com::guid_to_string(library.libid);
        const std::u16string version = lib + u"\\" + version_text(library);
        LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, version.c_str());
        if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND)
            return TYPE_E_REGISTRYACCESS;
        if (key_is_empty(lib))
            RegDeleteKeyW(HKEY_CLASSES_ROOT, lib.c_str());
        for (const auto& itf : library.interfaces) {
            if (FAILED(delete_interface(itf.iid)))
                return TYPE_E_REGISTRYACCESS;
            for (const auto& alias : itf.aliases) {
                if (FAILED(delete_interface(alias.iid)))
                    return TYPE_E_REGISTRYACCESS;
            }
        }
        return S_OK;
    }) == S_OK ? S_OK : TYPE_E_REGISTRYACCESS;
}

} // namespace com::tlb
