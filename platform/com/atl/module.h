#pragma once
// The module object of an in-process server: its object map, lock count, registry scripts
// and type library, and the work behind the exported entry points.
//
// A module declares exactly one CComModule (conventionally `_Module`) and its map:
//     BEGIN_OBJECT_MAP(ObjectMap)
//         OBJECT_ENTRY(CLSID_Foo, CFoo)
//     END_OBJECT_MAP()
// calls _Module.Init(ObjectMap, win32::current_module(), &LIBID_FooLib) when it is loaded
// (a constructor function stands in for DllMain's process attach) and exports the four
// entry points, each forwarding to the module (see com.md).

#include "platform/com/atl/registrar.h"
#include "platform/com/atl/type_library.h"
#include "platform/win32/module.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>

struct IClassFactory;

namespace com {

struct object_map_entry {
    const CLSID* clsid;
    HRESULT (*update_registry)(BOOL do_register);
    HRESULT (*create_instance)(void* outer, REFIID riid, void** ppv);
};

} // namespace com

class CComModule;

namespace com::detail {
// The module of the shared object this is compiled into (hidden: one per module); null in an
// executable that declares none.
[[gnu::visibility("hidden")]] inline CComModule* this_module = nullptr;
} // namespace com::detail

class CComModule {
public:
    // Inline, so that the module object binds to its own shared object's pointer.
    CComModule() { com::detail::this_module = this; }
    ~CComModule()
    {
        if (com::detail::this_module == this)
            com::detail::this_module = nullptr;
    }
    CComModule(const CComModule&) = delete;
    CComModule& operator=(const CComModule&) = delete;

    HRESULT Init(const com::object_map_entry* map, HINSTANCE instance, const GUID* libid = nullptr);
    void Term();

    LONG Lock() { return ++m_nLockCnt; }
    LONG Unlock() { return --m_nLockCnt; }
    LONG GetLockCount() const { return m_nLockCnt; }

    HINSTANCE GetModuleInstance() const { return m_instance; }
    // The module's file (UTF-8 as the registry stores it: UTF-16).
    std::u16string module_path() const;

    // The registry-script resources (by number) and the type library of the module.
    void set_registry_script(UINT id, std::u16string script);
    // Also makes the library known to IDispatchImpl.
    void set_type_library(const com::tlb::library_desc* library);
    const com::tlb::library_desc* type_library() const { return m_typelib; }

    // Runs a registry script (by resource number or as text) with %MODULE% replaced by the
    // module's path, plus any extra replacements.
    HRESULT UpdateRegistryFromResource(UINT id, BOOL do_register, const com::registrar::replacements& extra = {});
    HRESULT UpdateRegistryFromScript(std::u16string_view script, BOOL do_register,
                                     const com::registrar::replacements& extra = {});

    // The entry points. DllCanUnloadNow: S_OK with a lock count of 0, else S_FALSE.
    HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv);
    HRESULT DllCanUnloadNow() const { return m_nLockCnt == 0 ? S_OK : S_FALSE; }
    // Every class's UpdateRegistry, then (with the flag) the type library, as one registry
    // batch (win32::registry_batch): written whole, or after a failure not at all.
    HRESULT DllRegisterServer(BOOL register_typelib = TRUE);
    HRESULT DllUnregisterServer(BOOL unregister_typelib = TRUE);
    HRESULT RegisterServer(BOOL register_typelib = TRUE) { return DllRegisterServer(register_typelib); }
    HRESULT UnregisterServer(BOOL unregister_typelib = TRUE) { return DllUnregisterServer(unregister_typelib); }

private:
    std::atomic<LONG> m_nLockCnt{0};
    const com::object_map_entry* m_map = nullptr;
    HINSTANCE m_instance = nullptr;
    GUID m_libid{};
    const com::tlb::library_desc* m_typelib = nullptr;
    std::mutex m_lock;
    std::map<UINT, std::u16string> m_scripts;
};

#define BEGIN_OBJECT_MAP(name) static const ::com::object_map_entry name[] = {
#define OBJECT_ENTRY(clsid, cls) {&(clsid), &cls::UpdateRegistry, &cls::_CreatorClass::CreateInstance},
#define END_OBJECT_MAP()                                                                                               \
    {                                                                                                                  \
        nullptr, nullptr, nullptr                                                                                      \
    }                                                                                                                  \
    }                                                                                                                  \
    ;

// In a class: its registry script is resource `id` of the module, or the given text.
#define DECLARE_REGISTRY_RESOURCEID(id)                                                                                \
    static HRESULT UpdateRegistry(BOOL do_register)                                                                    \
    {                                                                                                                  \
        return ::com::detail::this_module == nullptr                                                                   \
                   ? E_UNEXPECTED                                                                                      \
                   : ::com::detail::this_module->UpdateRegistryFromResource(id, do_register);                          \
    }
#define DECLARE_NO_REGISTRY()                                                                                          \
    static HRESULT UpdateRegistry(BOOL) { return S_OK; }
