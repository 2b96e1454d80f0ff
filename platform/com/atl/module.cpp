#include "platform/com/atl/module.h"

#include "platform/com/atl/com_object.h"
#include "platform/win32/registry.h"
#include "platform/win32/text.h"

HRESULT CComModule::Init(const com::object_map_entry* map, HINSTANCE instance, const GUID* libid)
{
    m_map = map;
    m_instance = instance;
    if (libid != nullptr)
        m_libid = *libid;
    return S_OK;
}

void CComModule::Term() { m_map = nullptr; }

std::u16string CComModule::module_path() const { return win32::utf8_to_utf16(win32::module_path(m_instance)); }

void CComModule::set_registry_script(UINT id, std::u16string script)
{
    std::lock_guard guard(m_lock);
    m_scripts[id] = std::move(script);
}

void CComModule::set_type_library(const com::tlb::library_desc* library)
{
    m_typelib = library;
    if (library != nullptr)
        com::tlb::register_library(*library);
}

HRESULT CComModule::UpdateRegistryFromResource(UINT id, BOOL do_register, const com::registrar::replacements& extra)
{
    std::u16string script;
    {
        std::lock_guard guard(m_lock);
        auto it = m_scripts.find(id);
        if (it == m_scripts.end())
            return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
        script = it->second;
    }
    return UpdateRegistryFromScript(script, do_register, extra);
}

HRESULT CComModule::UpdateRegistryFromScript(std::u16string_view script, BOOL do_register,
                                             const com::registrar::replacements& extra)
{
    com::registrar::replacements values = extra;
    values[u"MODULE"] = module_path();
    return com::registrar::run_script(script, do_register != FALSE, values);
}

HRESULT CComModule::DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (m_map == nullptr)
        return CLASS_E_CLASSNOTAVAILABLE;
    for (const auto* e = m_map; e->clsid != nullptr; ++e) {
        if (*e->clsid != clsid)
            continue;
        auto* factory = new (std::nothrow) CComClassFactory(e->create_instance, this);
        if (factory == nullptr)
            return E_OUTOFMEMORY;
        HRESULT hr = factory->QueryInterface(riid, ppv);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT CComModule::DllRegisterServer(BOOL register_typelib)
{
    if (m_map == nullptr)
        return E_UNEXPECTED;
    return win32::registry_batch([&] {
        for (const auto* e = m_map; e->clsid != nullptr; ++e) {
            HRESULT hr = e->update_registry(TRUE);
            if (FAILED(hr))
                return hr;
        }
        if (register_typelib && m_typelib != nullptr)
            return com::tlb::register_type_library(*m_typelib, module_path());
        return S_OK;
    });
}

HRESULT CComModule::DllUnregisterServer(BOOL unregister_typelib)
{
    if (m_map == nullptr)
        return E_UNEXPECTED;
    return win32::registry_batch([&] {
        for (const auto* e = m_map; e->clsid != nullptr; ++e) {
            HRESULT hr = e->update_registry(FALSE);
            if (FAILED(hr))
                return hr;
        }
        if (unregister_typelib && m_typelib != nullptr)
            return com::tlb::unregister_type_library(*m_typelib);
        return S_OK;
    });
}
