#include "platform/com/atl/description_type_info.h"

#include "platform/com/atl/com_ptr.h"

#include <new>

namespace com::tlb {

namespace {

void set_text(BSTR* out, const std::u16string& text)
{
    if (out != nullptr)
        *out = com::bstr_from_utf16(text);
}

// The name and help string of a type or member; help context and file are not kept.
HRESULT document(const std::u16string& name, const std::u16string& help, BSTR* pBstrName, BSTR* pBstrDocString,
                 DWORD* pdwHelpContext, BSTR* pBstrHelpFile)
{
    if (pdwHelpContext != nullptr)
        *pdwHelpContext = 0;
    if (pBstrHelpFile != nullptr)
        *pBstrHelpFile = nullptr;
    set_text(pBstrName, name);
    set_text(pBstrDocString, help);
    return S_OK;
}

template <class T>
UINT index_in(const std::vector<T>& list, const T& item)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (&list[i] == &item)
            return static_cast<UINT>(i);
    }
    return 0;
}

} // namespace

HRESULT CTypeInfoBase::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ITypeInfo) {
        *ppv = static_cast<ITypeInfo*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CTypeInfoBase::Release()
{
    ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CTypeInfoBase::new_type_attr(TYPEKIND kind, TYPEATTR** out) const
{
    if (out == nullptr)
        return E_INVALIDARG;
    auto* attr = new (std::nothrow) TYPEATTR{};
    if (attr == nullptr)
        return E_OUTOFMEMORY;
    attr->lcid = 0;
    attr->memidConstructor = MEMBERID_NIL;
    attr->memidDestructor = MEMBERID_NIL;
    attr->typekind = kind;
    attr->wMajorVerNum = m_library.major;
    attr->wMinorVerNum = m_library.minor;
    *out = attr;
    return S_OK;
}

HRESULT CTypeInfoBase::GetFuncDesc(UINT, FUNCDESC** ppFuncDesc)
{
    if (ppFuncDesc == nullptr)
        return E_INVALIDARG;
    *ppFuncDesc = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetVarDesc(UINT, VARDESC** ppVarDesc)
{
    if (ppVarDesc == nullptr)
        return E_INVALIDARG;
    *ppVarDesc = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetRefTypeOfImplType(UINT, DWORD* pRefType)
{
    return pRefType == nullptr ? E_INVALIDARG : TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetImplTypeFlags(UINT, INT* pImplTypeFlags)
{
    return pImplTypeFlags == nullptr ? E_INVALIDARG : TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) { return DISP_E_UNKNOWNNAME; }

HRESULT CTypeInfoBase::Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT CTypeInfoBase::GetRefTypeInfo(DWORD, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CTypeInfoBase::GetContainingTypeLib(ITypeLib** ppTLib, UINT* pIndex)
{
    if (ppTLib == nullptr)
        return E_INVALIDARG;
    if (pIndex != nullptr)
        *pIndex = library_index();
    return create_type_lib(m_library, ppTLib);
}

void CTypeInfoBase::ReleaseTypeAttr(TYPEATTR* pTypeAttr) { delete pTypeAttr; }

void CTypeInfoBase::ReleaseFuncDesc(FUNCDESC* pFuncDesc)
{
    if (pFuncDesc == nullptr)
        return;
    delete[] pFuncDesc->lprgelemdescParam;
    delete pFuncDesc;
}

void CTypeInfoBase::ReleaseVarDesc(VARDESC* pVarDesc) { delete pVarDesc; }

// Interfaces

HRESULT CDescriptionTypeInfo::GetTypeAttr(TYPEATTR** ppTypeAttr)
{
    HRESULT hr = new_type_attr(TKIND_DISPATCH, ppTypeAttr);
    if (FAILED(hr))
        return hr;
    TYPEATTR* attr = *ppTypeAttr;
    attr->guid = m_itf.iid;
    attr->cFuncs = static_cast<WORD>(m_itf.members.size());
    attr->cImplTypes = 1;
    attr->wTypeFlags = static_cast<WORD>(TYPEFLAG_FDISPATCHABLE |
                                         (m_itf.dual ? TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION : 0));
    if (m_itf.major != 0 || m_itf.minor != 0) {
        attr->wMajorVerNum = m_itf.major;
        attr->wMinorVerNum = m_itf.minor;
    }
    return S_OK;
}

HRESULT CDescriptionTypeInfo::GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc)
{
    if (ppFuncDesc == nullptr)
        return E_INVALIDARG;
    *ppFuncDesc = nullptr;
    if (index >= m_itf.members.size())
        return TYPE_E_ELEMENTNOTFOUND;
    const auto& m = m_itf.members[index];
    auto* desc = new (std::nothrow) FUNCDESC{};
    if (desc == nullptr)
        return E_OUTOFMEMORY;
    desc->memid = m.dispid;
    // A dual interface's members follow IDispatch's seven slots in their order; a dispatch
    // interface has no vtable of its members.
    desc->funckind = m_itf.dual ? FUNC_PUREVIRTUAL : FUNC_DISPATCH;
    desc->oVft = m_itf.dual ? static_cast<SHORT>((7 + index) * sizeof(void*)) : SHORT{0};
    desc->invkind = m.kind;
    desc->cParams = static_cast<SHORT>(m.params.size());
    desc->elemdescFunc = ELEMDESC{VT_HRESULT, PARAMFLAG_NONE};
    desc->wFuncFlags = m.flags;
    if (!m.params.empty()) {
        desc->lprgelemdescParam = new (std::nothrow) ELEMDESC[m.params.size()];
        if (desc->lprgelemdescParam == nullptr) {
            delete desc;
            return E_OUTOFMEMORY;
        }
        for (std::size_t k = 0; k < m.params.size(); ++k) {
            desc->lprgelemdescParam[k] = ELEMDESC{m.params[k].vt, m.params[k].flags};
        }
    }
    *ppFuncDesc = desc;
    return S_OK;
}

HRESULT CDescriptionTypeInfo::GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames)
{
    if (rgBstrNames == nullptr || pcNames == nullptr)
        return E_INVALIDARG;
    *pcNames = 0;
    for (const auto& m : m_itf.members) {
        if (m.dispid != memid)
            continue;
        UINT n = 0;
        if (n < cMaxNames)
            rgBstrNames[n++] = com::bstr_from_utf16(m.name);
        for (const auto& p : m.params) {
            if (n >= cMaxNames)
                break;
            if (p.flags & PARAMFLAG_FRETVAL)
                continue;
            rgBstrNames[n++] = com::bstr_from_utf16(p.name);
        }
        *pcNames = n;
        return S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CDescriptionTypeInfo::GetRefTypeOfImplType(UINT index, DWORD* pRefType)
{
    if (pRefType == nullptr)
        return E_INVALIDARG;
    if (index != 0)
        return TYPE_E_ELEMENTNOTFOUND;
    *pRefType = 0; // IDispatch
    return S_OK;
}

HRESULT CDescriptionTypeInfo::GetImplTypeFlags(UINT index, INT* pImplTypeFlags)
{
    if (pImplTypeFlags == nullptr)
        return E_INVALIDARG;
    if (index != 0)
        return TYPE_E_ELEMENTNOTFOUND;
    *pImplTypeFlags = 0;
    return S_OK;
}

HRESULT CDescriptionTypeInfo::GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId)
{
    return get_ids_of_names(m_itf, rgszNames, cNames, pMemId);
}

HRESULT CDescriptionTypeInfo::Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (pvInstance == nullptr)
        return E_INVALIDARG;
    return invoke(m_itf, pvInstance, memid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
}

HRESULT CDescriptionTypeInfo::GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString,
                                               DWORD* pdwHelpContext, BSTR* pBstrHelpFile)
{
    if (memid == MEMBERID_NIL)
        return document(m_itf.name, m_itf.help, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
    for (const auto& m : m_itf.members) {
        if (m.dispid == memid)
            return document(m.name, m.help, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

UINT CDescriptionTypeInfo::library_index() const { return index_in(m_library.interfaces, m_itf); }

// Enumerations

HRESULT CEnumTypeInfo::GetTypeAttr(TYPEATTR** ppTypeAttr)
{
    HRESULT hr = new_type_attr(TKIND_ENUM, ppTypeAttr);
    if (SUCCEEDED(hr))
        (*ppTypeAttr)->cVars = static_cast<WORD>(m_enum.values.size());
    return hr;
}

HRESULT CEnumTypeInfo::GetVarDesc(UINT index, VARDESC** ppVarDesc)
{
    if (ppVarDesc == nullptr)
        return E_INVALIDARG;
    *ppVarDesc = nullptr;
    if (index >= m_enum.values.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *ppVarDesc = new (std::nothrow) VARDESC{static_cast<MEMBERID>(index), m_enum.values[index].second};
    return *ppVarDesc == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT CEnumTypeInfo::GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames)
{
    if (rgBstrNames == nullptr || pcNames == nullptr)
        return E_INVALIDARG;
    *pcNames = 0;
    if (memid < 0 || static_cast<std::size_t>(memid) >= m_enum.values.size())
        return TYPE_E_ELEMENTNOTFOUND;
    if (cMaxNames > 0) {
        rgBstrNames[0] = com::bstr_from_utf16(m_enum.values[static_cast<std::size_t>(memid)].first);
        *pcNames = 1;
    }
    return S_OK;
}

HRESULT CEnumTypeInfo::GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                                        BSTR* pBstrHelpFile)
{
    if (memid == MEMBERID_NIL)
        return document(m_enum.name, m_enum.help, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
    if (memid < 0 || static_cast<std::size_t>(memid) >= m_enum.values.size())
        return TYPE_E_ELEMENTNOTFOUND;
    return document(m_enum.values[static_cast<std::size_t>(memid)].first, {}, pBstrName, pBstrDocString, pdwHelpContext,
                    pBstrHelpFile);
}

UINT CEnumTypeInfo::library_index() const
{
    return static_cast<UINT>(m_library.interfaces.size()) + index_in(m_library.enums, m_enum);
}

// Coclasses

HRESULT CCoClassTypeInfo::GetTypeAttr(TYPEATTR** ppTypeAttr)
{
    HRESULT hr = new_type_attr(TKIND_COCLASS, ppTypeAttr);
    if (FAILED(hr))
        return hr;
    (*ppTypeAttr)->guid = m_class.clsid;
    (*ppTypeAttr)->cImplTypes = static_cast<WORD>(m_class.interfaces.size());
    (*ppTypeAttr)->wTypeFlags = m_class.flags;
    if (m_class.major != 0 || m_class.minor != 0) {
        (*ppTypeAttr)->wMajorVerNum = m_class.major;
        (*ppTypeAttr)->wMinorVerNum = m_class.minor;
    }
    return S_OK;
}

HRESULT CCoClassTypeInfo::GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames)
{
    if (rgBstrNames == nullptr || pcNames == nullptr)
        return E_INVALIDARG;
    *pcNames = 0;
    if (memid != MEMBERID_NIL)
        return TYPE_E_ELEMENTNOTFOUND;
    if (cMaxNames > 0) {
        rgBstrNames[0] = com::bstr_from_utf16(m_class.name);
        *pcNames = 1;
    }
    return S_OK;
}

HRESULT CCoClassTypeInfo::GetRefTypeOfImplType(UINT index, DWORD* pRefType)
{
    if (pRefType == nullptr)
        return E_INVALIDARG;
    if (index >= m_class.interfaces.size())
        return TYPE_E_ELEMENTNOTFOUND;
    // The reference is the interface's position in the library.
    const interface_desc* itf = m_library.find_interface(m_class.interfaces[index].iid);
    if (itf == nullptr)
        return TYPE_E_ELEMENTNOTFOUND;
    *pRefType = index_in(m_library.interfaces, *itf);
    return S_OK;
}

HRESULT CCoClassTypeInfo::GetImplTypeFlags(UINT index, INT* pImplTypeFlags)
{
    if (pImplTypeFlags == nullptr)
        return E_INVALIDARG;
    if (index >= m_class.interfaces.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *pImplTypeFlags = m_class.interfaces[index].flags;
    return S_OK;
}

HRESULT CCoClassTypeInfo::GetRefTypeInfo(DWORD hRefType, ITypeInfo** ppTInfo)
{
    if (ppTInfo == nullptr)
        return E_INVALIDARG;
    *ppTInfo = nullptr;
    if (hRefType >= m_library.interfaces.size())
        return TYPE_E_ELEMENTNOTFOUND;
    return create_type_info(m_library, m_library.interfaces[hRefType], ppTInfo);
}

HRESULT CCoClassTypeInfo::GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                                           BSTR* pBstrHelpFile)
{
    if (memid != MEMBERID_NIL)
        return TYPE_E_ELEMENTNOTFOUND;
    return document(m_class.name, m_class.help, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
}

UINT CCoClassTypeInfo::library_index() const
{
    return static_cast<UINT>(m_library.interfaces.size() + m_library.enums.size()) +
           index_in(m_library.coclasses, m_class);
}

// The library

HRESULT CDescriptionTypeLib::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ITypeLib) {
        *ppv = static_cast<ITypeLib*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CDescriptionTypeLib::Release()
{
    ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

UINT CDescriptionTypeLib::GetTypeInfoCount()
{
    return static_cast<UINT>(m_library.interfaces.size() + m_library.enums.size() + m_library.coclasses.size());
}

HRESULT CDescriptionTypeLib::GetTypeInfo(UINT index, ITypeInfo** ppTInfo)
{
    if (ppTInfo == nullptr)
        return E_INVALIDARG;
    *ppTInfo = nullptr;
    std::size_t i = index;
    if (i < m_library.interfaces.size())
        return create_type_info(m_library, m_library.interfaces[i], ppTInfo);
    i -= m_library.interfaces.size();
    if (i < m_library.enums.size()) {
        *ppTInfo = new (std::nothrow) CEnumTypeInfo(m_library, m_library.enums[i]);
        return *ppTInfo == nullptr ? E_OUTOFMEMORY : S_OK;
    }
    i -= m_library.enums.size();
    if (i < m_library.coclasses.size()) {
        *ppTInfo = new (std::nothrow) CCoClassTypeInfo(m_library, m_library.coclasses[i]);
        return *ppTInfo == nullptr ? E_OUTOFMEMORY : S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CDescriptionTypeLib::GetTypeInfoType(UINT index, TYPEKIND* pTKind)
{
    if (pTKind == nullptr)
        return E_INVALIDARG;
    std::size_t i = index;
    if (i < m_library.interfaces.size()) {
        *pTKind = TKIND_DISPATCH;
        return S_OK;
    }
    i -= m_library.interfaces.size();
    if (i < m_library.enums.size()) {
        *pTKind = TKIND_ENUM;
        return S_OK;
    }
    i -= m_library.enums.size();
    if (i < m_library.coclasses.size()) {
        *pTKind = TKIND_COCLASS;
        return S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CDescriptionTypeLib::GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** ppTInfo)
{
    if (ppTInfo == nullptr)
        return E_INVALIDARG;
    *ppTInfo = nullptr;
    if (const interface_desc* itf = m_library.find_interface(guid))
        return create_type_info(m_library, *itf, ppTInfo);
    for (const auto& cls : m_library.coclasses) {
        if (cls.clsid == guid) {
            *ppTInfo = new (std::nothrow) CCoClassTypeInfo(m_library, cls);
            return *ppTInfo == nullptr ? E_OUTOFMEMORY : S_OK;
        }
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CDescriptionTypeLib::GetLibAttr(TLIBATTR** ppTLibAttr)
{
    if (ppTLibAttr == nullptr)
        return E_INVALIDARG;
    auto* attr = new (std::nothrow) TLIBATTR{m_library.libid, 0, m_library.major, m_library.minor, 0};
    if (attr == nullptr)
        return E_OUTOFMEMORY;
    *ppTLibAttr = attr;
    return S_OK;
}

HRESULT CDescriptionTypeLib::GetDocumentation(INT index, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                                              BSTR* pBstrHelpFile)
{
    if (index == -1)
        return document(m_library.name, m_library.help, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
    CComPtr<ITypeInfo> info;
    if (index < 0 || FAILED(GetTypeInfo(static_cast<UINT>(index), &info)))
        return TYPE_E_ELEMENTNOTFOUND;
    return info->GetDocumentation(MEMBERID_NIL, pBstrName, pBstrDocString, pdwHelpContext, pBstrHelpFile);
}

void CDescriptionTypeLib::ReleaseTLibAttr(TLIBATTR* pTLibAttr) { delete pTLibAttr; }

HRESULT create_type_info(const library_desc& library, const interface_desc& itf, ITypeInfo** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = new (std::nothrow) CDescriptionTypeInfo(library, itf);
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT create_type_lib(const library_desc& library, ITypeLib** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = new (std::nothrow) CDescriptionTypeLib(library);
    return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

} // namespace com::tlb
