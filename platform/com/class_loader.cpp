// Object creation through the registry: the module named under InprocServer32 is loaded once
// and kept for the life of the process (objects and factories of it may live anywhere).

#include "platform/com/class_loader.h"

#include "platform/com/class_registry_reader.h"
#include "platform/com/error_info.h"
#include "platform/com/runtime.h"
#include "platform/win32/registry.h"
#include "platform/win32/regular_file.h"
#include "platform/win32/text.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

namespace com {

namespace {

using get_class_object_fn = HRESULT (*)(REFCLSID, REFIID, void**);

// A CurVer chain longer than this is a loop in the registry.
constexpr int kMaxCurVerHops = 8;

std::mutex& modules_lock()
{
    static std::mutex lock;
    return lock;
}

std::map<std::string, void*>& loaded_modules()
{
    static std::map<std::string, void*> modules;
    return modules;
}

bool load_module(const std::string& path, void*& handle, std::string& why)
{
    std::lock_guard guard(modules_lock());
    auto& modules = loaded_modules();
    auto it = modules.find(path);
    if (it != modules.end()) {
        handle = it->second;
        return true;
    }
    // Only a regular file is loaded: the loader would wait for ever on a FIFO. A bare name is
    // the loader's to find in the library directories.
    if (path.find('/') != std::string::npos && !win32::is_regular_file(path)) {
        why = path + ": not a regular file";
        return false;
    }
    void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) {
        const char* error = ::dlerror();
        why = error ? error : "unknown error";
        return false;
    }
    modules.emplace(path, h);
    handle = h;
    return true;
}

HRESULT class_id_from_prog_id(std::u16string name, CLSID& clsid)
{
    for (int hop = 0; hop < kMaxCurVerHops; ++hop) {
        auto current = detail::read_classes_string(name + u"\\CurVer");
        if (current && !current->empty() && *current != name) {
            if (detail::read_classes_string(*current + u"\\CLSID")) {
                name = *current;
                continue;
            }
        }
        auto text = detail::read_classes_string(name + u"\\CLSID");
        if (!text)
            return CO_E_CLASSSTRING;
        return parse_guid(*text, clsid) ? S_OK : CO_E_CLASSSTRING;
    }
    return CO_E_CLASSSTRING;
}

} // namespace

HRESULT class_id_from_name(std::u16string_view clsid_or_prog_id, CLSID& clsid)
{
    if (clsid_or_prog_id.empty())
        return CO_E_CLASSSTRING;
    if (clsid_or_prog_id.front() == u'{')
        return parse_guid(clsid_or_prog_id, clsid) ? S_OK : CO_E_CLASSSTRING;
    return class_id_from_prog_id(std::u16string(clsid_or_prog_id), clsid);
}

HRESULT load_class_module(REFCLSID clsid, class_module& module, std::string* why)
{
    auto path = detail::read_classes_string(u"CLSID\\" + guid_to_string(clsid) + u"\\InprocServer32");
    if (!path || path->empty()) {
        // A registry that could not be used says why (the file and the reason), rather than
        // the bare "Class not registered": in `why` and as the caller's error information.
        if (const std::string failure = win32::registry_failure(); !failure.empty()) {
            if (why != nullptr)
                *why = failure;
            ICreateErrorInfo* info = nullptr;
            if (SUCCEEDED(CreateErrorInfo(&info))) {
                std::u16string text = win32::utf8_to_utf16(failure);
                info->SetDescription(text.data());
                IErrorInfo* error = nullptr;
                if (SUCCEEDED(info->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&error)))) {
                    SetErrorInfo(0, error);
                    error->Release();
                }
                info->Release();
            }
        }
        return REGDB_E_CLASSNOTREG;
    }
    return load_module_file(win32::utf16_to_utf8(*path), module, why);
}

HRESULT load_module_file(const std::string& path, class_module& module, std::string* why)
{
    module.path = path;
    std::string reason;
    if (!load_module(module.path, module.handle, reason)) {
        if (why != nullptr)
            *why = reason;
        return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    }
    return S_OK;
}

} // namespace com

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD clsctx, void*, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_INVALIDARG;
    *ppv = nullptr;
    if (com::current_apartment() == com::apartment_kind::none)
        return CO_E_NOTINITIALIZED;
    if ((clsctx & CLSCTX_INPROC_SERVER) == 0)
        return REGDB_E_CLASSNOTREG;
    com::class_module module;
    if (const HRESULT hr = com::load_class_module(rclsid, module); FAILED(hr))
        return hr;
    auto entry = reinterpret_cast<com::get_class_object_fn>(::dlsym(module.handle, "DllGetClassObject"));
    if (entry == nullptr)
        return CO_E_ERRORINDLL;
    return entry(rclsid, riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* outer, DWORD clsctx, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    // An aggregating creator must ask for IUnknown, as the rules of aggregation require.
    if (outer != nullptr && riid != IID_IUnknown)
        return E_INVALIDARG;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, clsctx, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(outer, riid, ppv);
    factory->Release();
    return hr;
}
