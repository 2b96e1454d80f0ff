#pragma once
// ITypeInfo and ITypeLib over a type-library description.

#include "platform/com/atl/type_library.h"

#include <atomic>

namespace com::tlb {

class CDescriptionTypeInfo final : public ITypeInfo {
public:
    CDescriptionTypeInfo(const library_desc& library, const interface_desc& itf) : m_library(library), m_itf(itf) {}

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override;

    HRESULT GetTypeAttr(TYPEATTR** ppTypeAttr) override;
    HRESULT GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc) override;
    HRESULT GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames) override;
    HRESULT GetRefTypeOfImplType(UINT index, DWORD* pRefType) override;
    HRESULT GetImplTypeFlags(UINT index, INT* pImplTypeFlags) override;
    HRESULT GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) override;
    HRESULT Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
    HRESULT GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                             BSTR* pBstrHelpFile) override;
    HRESULT GetRefTypeInfo(DWORD hRefType, ITypeInfo** ppTInfo) override;
    HRESULT GetContainingTypeLib(ITypeLib** ppTLib, UINT* pIndex) override;
    void ReleaseTypeAttr(TYPEATTR* pTypeAttr) override;
    void ReleaseFuncDesc(FUNCDESC* pFuncDesc) override;

private:
    ~CDescriptionTypeInfo() = default;
    std::atomic<ULONG> m_refs{1};
    const library_desc& m_library;
    const interface_desc& m_itf;
};

class CDescriptionTypeLib final : public ITypeLib {
public:
    explicit CDescriptionTypeLib(const library_desc& library) : m_library(library) {}

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override;

    UINT GetTypeInfoCount() override;
    HRESULT GetTypeInfo(UINT index, ITypeInfo** ppTInfo) override;
    HRESULT GetTypeInfoType(UINT index, TYPEKIND* pTKind) override;
    HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** ppTInfo) override;
    HRESULT GetLibAttr(TLIBATTR** ppTLibAttr) override;
    HRESULT GetDocumentation(INT index, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                             BSTR* pBstrHelpFile) override;
    void ReleaseTLibAttr(TLIBATTR* pTLibAttr) override;

private:
    ~CDescriptionTypeLib() = default;
    std::atomic<ULONG> m_refs{1};
    const library_desc& m_library;
};

} // namespace com::tlb
