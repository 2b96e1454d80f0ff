#pragma once
// IACollectionOnSTLImpl: the collection base plus its own IEnumVARIANT over the items (each
// item as its IDispatch, or as its IUnknown when it has none) and get__NewEnum.

#include "collector/ia_collection_on_stl_base.h"
#include "platform/com/atl/enum_on_stl.h"
#include "platform/com/enum_variant.h"

template <class I>
struct item_to_variant_copy {
    static void init(VARIANT* v) { VariantInit(v); }
    // The enumerator hands the address of a held item, which CComPtr's address operator
    // gives as the raw pointer's address.
    static HRESULT copy(VARIANT* dest, I* const* item)
    {
        IUnknown* object = *item;
        if (object == nullptr)
            return E_POINTER;
        IDispatch* dispatch = nullptr;
        if (SUCCEEDED(object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) && dispatch) {
            dest->vt = VT_DISPATCH;
            dest->pdispVal = dispatch;
            return S_OK;
        }
        object->AddRef();
        dest->vt = VT_UNKNOWN;
        dest->punkVal = object;
        return S_OK;
    }
    static void destroy(VARIANT* v) { VariantClear(v); }
};

template <class C, class I>
class IACollectionOnSTLImpl : public IACollectionOnSTLBase<C, I>,
                              public IEnumOnSTLImpl<IEnumVARIANT, &IID_IEnumVARIANT, VARIANT, item_to_variant_copy<I>,
                                                    std::vector<CComPtr<I>>> {
public:
    using enumerator =
        IEnumOnSTLImpl<IEnumVARIANT, &IID_IEnumVARIANT, VARIANT, item_to_variant_copy<I>, std::vector<CComPtr<I>>>;

    IACollectionOnSTLImpl() { enumerator::Init(nullptr, this->m_coll); }

    // The collection is its own enumerator: back to the first item, and its IUnknown.
    virtual HRESULT get__NewEnum(IUnknown** ppUnk)
    {
        if (ppUnk == nullptr)
            return E_POINTER;
        enumerator::Reset();
        return static_cast<C*>(this)->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(ppUnk));
    }
};
