#include "platform/com/atl/description_type_info.h"

#include <new>

namespace com::tlb {

namespace {

void set_text(BSTR* out, const std::u16string& text)
{
    if (out != nullptr)
        *out = com::bstr_from_utf16(text);
}

} // namespace

HRESULT CDescriptionTypeInfo::QueryInterface(REFIID riid, void** ppv)
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

ULONG CDescriptionTypeInfo::Release()
{
    ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CDescriptionTypeInfo::GetTypeAttr(TYPEATTR** ppTypeAttr)
{
    if (ppTypeAttr == nullptr)
        return E_INVALIDARG;
    auto* attr = new (std::nothrow) TYPEATTR{};
    if (attr == nullptr)
        return E_OUTOFMEMORY;
    attr->guid = m_itf.iid;
    attr->lcid = 0;
    attr->memidConstructor = MEMBERID_NIL;
    attr->memidDestructor = MEMBERID_NIL;
    attr->typekind = TKIND_DISPATCH;
    attr->cFuncs = static_cast<WORD>(m_itf.members.size());
    attr->cImplTypes = 1;
    attr->wTypeFlags = static_cast<WORD>(TYPEFLAG_FDISPATCHABLE |
                                         (m_itf.dual ? TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION : 0));
    attr->wMajorVerNum = m_library.major;
    attr->wMinorVerNum = m_library.minor;
    *ppTypeAttr = attr;
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
    desc->invkind = m.kind;
    desc->cParams = static_cast<SHORT>(m.params.size());
    desc->elemdescFunc = ELEMDESC{VT_HRESULT, PARAMFLAG_NONE};
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
    if (pdwHelpContext != nullptr)
        *pdwHelpContext = 0;
    if (pBstrHelpFile != nullptr)
        *pBstrHelpFile = nullptr;
    if (memid == MEMBERID_NIL) {
        set_text(pBstrName, m_itf.name);
        set_text(pBstrDocString, m_itf.help);
        return S_OK;
    }
    for (const auto& m : m_itf.members) {
        if (m.dispid == memid) {
            set_text(pBstrName, m.name);
            set_text(pBstrDocString, m.help);
            return S_OK;
        }
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CDescriptionTypeInfo::GetRefTypeInfo(DWORD, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT CDescriptionTypeInfo::GetContainingTypeLib(ITypeLib** ppTLib, UINT* pIndex)
{
    if (ppTLib == nullptr)
        return E_INVALIDARG;
    if (pIndex != nullptr) {
        *pIndex = 0;
        for (std::size_t i = 0; i < m_library.interfaces.size(); ++i) {
            if (&m_library.interfaces[i] == &m_itf)
                *pIndex = static_cast<UINT>(i);
        }
    }
    return create_type_lib(m_library, ppTLib);
}

void CDescriptionTypeInfo::ReleaseTypeAttr(TYPEATTR* pTypeAttr) { delete pTypeAttr; }

void CDescriptionTypeInfo::ReleaseFuncDesc(FUNCDESC* pFuncDesc)
{
    if (pFuncDesc == nullptr)
        return;
    delete[] pFuncDesc->lprgelemdescParam;
    delete pFuncDesc;
}

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

UINT CDescriptionTypeLib::GetTypeInfoCount() { return static_cast<UINT>(m_library.interfaces.size()); }

HRESULT CDescriptionTypeLib::GetTypeInfo(UINT index, ITypeInfo** ppTInfo)
{
    if (ppTInfo == nullptr)
        return E_INVALIDARG;
    *ppTInfo = nullptr;
    if (index >= m_library.interfaces.size())
        return TYPE_E_ELEMENTNOTFOUND;
    return create_type_info(m_library, m_library.interfaces[index], ppTInfo);
}

HRESULT CDescriptionTypeLib::GetTypeInfoType(UINT index, TYPEKIND* pTKind)
{
    if (pTKind == nullptr)
        return E_INVALIDARG;
    if (index >= m_library.interfaces.size())
        return TYPE_E_ELEMENTNOTFOUND;
    *pTKind = TKIND_DISPATCH;
    return S_OK;
}

HRESULT CDescriptionTypeLib::GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** ppTInfo)
{
    if (ppTInfo == nullptr)
        return E_INVALIDARG;
    *ppTInfo = nullptr;
    const interface_desc* itf = m_library.find_interface(guid);
    if (itf == nullptr)
        return TYPE_E_ELEMENTNOTFOUND;
    return create_type_info(m_library, *itf, ppTInfo);
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
    if (pdwHelpContext != nullptr)
        *pdwHelpContext = 0;
    if (pBstrHelpFile != nullptr)
        *pBstrHelpFile = nullptr;
    if (index == -1) {
        set_text(pBstrName, m_library.name);
        set_text(pBstrDocString, m_library.help);
        return S_OK;
    }
    if (index < 0 || static_cast<std::size_t>(index) >= m_library.interfaces.size())
        return TYPE_E_ELEMENTNOTFOUND;
    set_text(pBstrName, m_library.interfaces[static_cast<std::size_t>(index)].name);
    set_text(pBstrDocString, m_library.interfaces[static_cast<std::size_t>(index)].help);
    return S_OK;
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
