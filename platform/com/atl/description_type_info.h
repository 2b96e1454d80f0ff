#pragma once
// ITypeInfo and ITypeLib over a type-library description: a dispatch interface, an
// enumeration and a coclass each answer their own type information.

#include "platform/com/atl/type_library.h"

#include <atomic>

namespace com::tlb {

// What every kind of type information shares: identity, reference count and the containing
// library. Members a kind does not have answer TYPE_E_ELEMENTNOTFOUND.
class CTypeInfoBase : public ITypeInfo {
public:
    explicit CTypeInfoBase(const library_desc& library) : m_library(library) {}

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override;

    HRESULT GetFuncDesc(UINT index, FUNCDESC** ppFuncDesc) override;
    HRESULT GetVarDesc(UINT index, VARDESC** ppVarDesc) override;
    HRESULT GetRefTypeOfImplType(UINT index, DWORD* pRefType) override;
    HRESULT GetImplTypeFlags(UINT index, INT* pImplTypeFlags) override;
    HRESULT GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId) override;
    HRESULT Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
    HRESULT GetRefTypeInfo(DWORD hRefType, ITypeInfo** ppTInfo) override;
    HRESULT GetContainingTypeLib(ITypeLib** ppTLib, UINT* pIndex) override;
    void ReleaseTypeAttr(TYPEATTR* pTypeAttr) override;
    void ReleaseFuncDesc(FUNCDESC* pFuncDesc) override;
    void ReleaseVarDesc(VARDESC* pVarDesc) override;

protected:
    virtual ~CTypeInfoBase() = default;
    // The position of this type in the library's list (GetContainingTypeLib).
    virtual UINT library_index() const = 0;
    HRESULT new_type_attr(TYPEKIND kind, TYPEATTR** out) const;

    const library_desc& m_library;

private:
    std::atomic<ULONG> m_refs{1};
};

class CDescriptionTypeInfo final : public CTypeInfoBase {
public:
    CDescriptionTypeInfo(const library_desc& library, const interface_desc& itf) : CTypeInfoBase(library), m_itf(itf) {}

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

private:
    UINT library_index() const override;
    const interface_desc& m_itf;
};

// An enumeration: one VARDESC per constant, its identifier being its position.
class CEnumTypeInfo final : public CTypeInfoBase {
public:
    CEnumTypeInfo(const library_desc& library, const enum_desc& enm) : CTypeInfoBase(library), m_enum(enm) {}

    HRESULT GetTypeAttr(TYPEATTR** ppTypeAttr) override;
    HRESULT GetVarDesc(UINT index, VARDESC** ppVarDesc) override;
    HRESULT GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames) override;
    HRESULT GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                             BSTR* pBstrHelpFile) override;

private:
    UINT library_index() const override;
    const enum_desc& m_enum;
};

// A coclass: its interfaces in order, each a reference to the library's interface.
class CCoClassTypeInfo final : public CTypeInfoBase {
public:
    CCoClassTypeInfo(const library_desc& library, const coclass_desc& cls) : CTypeInfoBase(library), m_class(cls) {}

    HRESULT GetTypeAttr(TYPEATTR** ppTypeAttr) override;
    HRESULT GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames) override;
    HRESULT GetRefTypeOfImplType(UINT index, DWORD* pRefType) override;
    HRESULT GetImplTypeFlags(UINT index, INT* pImplTypeFlags) override;
    HRESULT GetRefTypeInfo(DWORD hRefType, ITypeInfo** ppTInfo) override;
    HRESULT GetDocumentation(MEMBERID memid, BSTR* pBstrName, BSTR* pBstrDocString, DWORD* pdwHelpContext,
                             BSTR* pBstrHelpFile) override;

private:
    UINT library_index() const override;
    const coclass_desc& m_class;
};

// The library's types in order: its interfaces, then its enumerations, then its coclasses.
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
