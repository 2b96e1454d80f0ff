#pragma once
// IDispatchImpl<T, &IID_T, &LIBID>: the IDispatch half of a dual interface T, driven by the
// description of T in the library LIBID (registered with com::tlb::register_library, which
// CComModule::set_type_library does). T must derive from IDispatch along single inheritance.

#include "platform/com/atl/type_library.h"

template <class T, const IID* piid, const GUID* plibid, WORD major = 1, WORD minor = 0>
class IDispatchImpl : public T {
public:
    HRESULT GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = description() != nullptr ? 1 : 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo == nullptr)
            return E_POINTER;
        *ppTInfo = nullptr;
        if (iTInfo != 0)
            return DISP_E_BADINDEX;
        const auto* library = com::tlb::find_library(*plibid);
        const auto* itf = description();
        if (library == nullptr || itf == nullptr)
            return TYPE_E_LIBNOTREGISTERED;
        return com::tlb::create_type_info(*library, *itf, ppTInfo);
    }
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        const auto* itf = description();
        if (itf == nullptr)
            return TYPE_E_LIBNOTREGISTERED;
        return com::tlb::get_ids_of_names(*itf, rgszNames, cNames, rgDispId);
    }
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override
    {
        if (riid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        const auto* itf = description();
        if (itf == nullptr)
            return TYPE_E_LIBNOTREGISTERED;
        return com::tlb::invoke(*itf, static_cast<void*>(static_cast<T*>(this)), dispIdMember, wFlags, pDispParams,
                                pVarResult, pExcepInfo, puArgErr);
    }

private:
    static const com::tlb::interface_desc* description()
    {
        const auto* library = com::tlb::find_library(*plibid);
        return library == nullptr ? nullptr : library->find_interface(*piid);
    }
};
