// ProgIDs (the class loader reads them) and task memory.

#include "platform/com/runtime.h"

#include "platform/com/class_loader.h"
#include "platform/com/class_registry_reader.h"

#include <cstdlib>
#include <cstring>

HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid)
{
    if (progId == nullptr || clsid == nullptr)
        return E_INVALIDARG;
    const std::u16string_view name(progId);
    // A ProgID is never a braced class identifier.
    if (name.empty() || name.front() == u'{')
        return CO_E_CLASSSTRING;
    return com::class_id_from_name(name, *clsid);
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId)
{
    if (progId == nullptr)
        return E_INVALIDARG;
    *progId = nullptr;
    auto text = com::detail::read_classes_string(u"CLSID\\" + com::guid_to_string(clsid) + u"\\ProgID");
    if (!text)
        return REGDB_E_CLASSNOTREG;
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((text->size() + 1) * sizeof(OLECHAR)));
    if (copy == nullptr)
        return E_OUTOFMEMORY;
    std::memcpy(copy, text->c_str(), (text->size() + 1) * sizeof(OLECHAR));
    *progId = copy;
    return S_OK;
}

void* CoTaskMemAlloc(std::size_t size) { return std::malloc(size == 0 ? 1 : size); }

void* CoTaskMemRealloc(void* block, std::size_t size) { return std::realloc(block, size == 0 ? 1 : size); }

void CoTaskMemFree(void* block) { std::free(block); }
