// Object creation through the registry: the module named under InprocServer32 is loaded once
// and kept for the life of the process (objects and factories of it may live anywhere).

#include "platform/com/runtime.h"

#include "platform/com/class_registry_reader.h"
#include "platform/win32/text.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

namespace {

using get_class_object_fn = HRESULT (*)(REFCLSID, REFIID, void**);

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

HRESULT load_module(const std::string& path, void*& handle)
{
    std::lock_guard guard(modules_lock());
    auto& modules = loaded_modules();
    auto it = modules.find(path);
    if (it != modules.end()) {
        handle = it->second;
        return S_OK;
    }
    void* h = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (h == nullptr) return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    modules.emplace(path, h);
    handle = h;
    return S_OK;
}

} // namespace

HRESULT CoGetClassObject(REFCLSID rclsid, DWORD clsctx, void*, REFIID riid, void** ppv)
{
    if (ppv == nullptr) return E_INVALIDARG;
    *ppv = nullptr;
    if (com::current_apartment() == com::apartment_kind::none) return CO_E_NOTINITIALIZED;
    if ((clsctx & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
    auto path = com::detail::read_classes_string(u"CLSID\\" + com::guid_to_string(rclsid) + u"\\InprocServer32");
    if (!path || path->empty()) return REGDB_E_CLASSNOTREG;
    void* module = nullptr;
    HRESULT hr = load_module(win32::utf16_to_utf8(*path), module);
    if (FAILED(hr)) return hr;
    auto entry = reinterpret_cast<get_class_object_fn>(::dlsym(module, "DllGetClassObject"));
    if (entry == nullptr) return CO_E_ERRORINDLL;
    return entry(rclsid, riid, ppv);
}

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* outer, DWORD clsctx, REFIID riid, void** ppv)
{
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    // An aggregating creator must ask for IUnknown, as the rules of aggregation require.
    if (outer != nullptr && riid != IID_IUnknown) return E_INVALIDARG;
    IClassFactory* factory = nullptr;
    HRESULT hr = CoGetClassObject(rclsid, clsctx, nullptr, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) return hr;
    hr = factory->CreateInstance(outer, riid, ppv);
    factory->Release();
    return hr;
}
