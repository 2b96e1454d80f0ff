// ProgIDs: HKCR\<ProgID>\CurVer names the current versioned ProgID; HKCR\<ProgID>\CLSID the
// class.

#include "platform/com/runtime.h"

#include "platform/com/class_registry_reader.h"

#include <cstdlib>
#include <cstring>

HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid)
{
    if (progId == nullptr || clsid == nullptr) return E_INVALIDARG;
    std::u16string name(progId);
    if (name.empty()) return CO_E_CLASSSTRING;
    // A CurVer chain longer than this is a loop in the registry.
    for (int hop = 0; hop < 8; ++hop) {
        auto current = com::detail::read_classes_string(name + u"\\CurVer");
        if (current && !current->empty() && *current != name) {
            if (com::detail::read_classes_string(*current + u"\\CLSID")) {
                name = *current;
                continue;
            }
        }
        auto text = com::detail::read_classes_string(name + u"\\CLSID");
        if (!text) return CO_E_CLASSSTRING;
        return com::parse_guid(*text, *clsid) ? S_OK : CO_E_CLASSSTRING;
    }
    return CO_E_CLASSSTRING;
}

HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId)
{
    if (progId == nullptr) return E_INVALIDARG;
    *progId = nullptr;
    auto text = com::detail::read_classes_string(u"CLSID\\" + com::guid_to_string(clsid) + u"\\ProgID");
    if (!text) return REGDB_E_CLASSNOTREG;
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((text->size() + 1) * sizeof(OLECHAR)));
    if (copy == nullptr) return E_OUTOFMEMORY;
    std::memcpy(copy, text->c_str(), (text->size() + 1) * sizeof(OLECHAR));
    *progId = copy;
    return S_OK;
}

void* CoTaskMemAlloc(std::size_t size)
{
    return std::malloc(size == 0 ? 1 : size);
}

void* CoTaskMemRealloc(void* block, std::size_t size)
{
    return std::realloc(block, size == 0 ? 1 : size);
}

void CoTaskMemFree(void* block)
{
    std::free(block);
}
