#pragma once
// Enumerators over a standard container: IEnumOnSTLImpl<Base, &IID_Base, T, Copy, CollType>
// implements Base (an IEnumXXX of T) over a collection it does not own; Copy converts an
// element to T (static init, copy, destroy). The position is kept as an index, so a change
// of the collection during an enumeration shortens or extends it but never reads freed
// memory. CComEnumOnSTL is the same as a creatable object.

#include "platform/com/atl/com_object.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/enum_variant.h"
#include "platform/com/variant.h"

#include <iterator>
#include <utility>
#include <vector>

template <class T>
struct _Copy {
    static HRESULT copy(T* dest, const T* src)
    {
        *dest = *src;
        return S_OK;
    }
    static void init(T*) {}
    static void destroy(T*) {}
};

template <>
struct _Copy<VARIANT> {
    static HRESULT copy(VARIANT* dest, const VARIANT* src) { return VariantCopy(dest, src); }
    static void init(VARIANT* v) { VariantInit(v); }
    static void destroy(VARIANT* v) { VariantClear(v); }
};

template <class T>
struct _CopyInterface {
    static HRESULT copy(T** dest, T* const* src)
    {
        *dest = *src;
        if (*dest != nullptr)
            (*dest)->AddRef();
        return S_OK;
    }
    static void init(T** p) { *p = nullptr; }
    static void destroy(T** p)
    {
        if (*p != nullptr)
            (*p)->Release();
        *p = nullptr;
    }
};

template <class Base, const IID* piid, class T, class Copy, class CollType>
class CComEnumOnSTL;

template <class Base, const IID* piid, class T, class Copy, class CollType>
class IEnumOnSTLImpl : public Base {
public:
    // pUnkForRelease keeps the collection's owner alive while the enumerator lives (null when
    // the owner is the enumerator itself).
    HRESULT Init(IUnknown* pUnkForRelease, CollType& collection)
    {
        m_spUnk = pUnkForRelease;
        m_pcollection = &collection;
        m_index = 0;
        return S_OK;
    }

    HRESULT Next(ULONG celt, T* rgelt, ULONG* pceltFetched) override
    {
        if (pceltFetched != nullptr)
            *pceltFetched = 0;
        if (rgelt == nullptr || (celt > 1 && pceltFetched == nullptr))
            return E_POINTER;
        if (m_pcollection == nullptr)
            return E_FAIL;
        ULONG n = 0;
        HRESULT hr = S_OK;
        const std::size_t size = static_cast<std::size_t>(std::size(*m_pcollection));
        while (n < celt && m_index < size) {
            auto it = std::next(std::begin(*m_pcollection), static_cast<std::ptrdiff_t>(m_index));
            Copy::init(&rgelt[n]);
            hr = Copy::copy(&rgelt[n], &*it);
            if (FAILED(hr)) {
                for (ULONG i = 0; i <= n; ++i)
                    Copy::destroy(&rgelt[i]);
                return hr;
            }
            ++m_index;
            ++n;
        }
        if (pceltFetched != nullptr)
            *pceltFetched = n;
        return n == celt ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG celt) override
    {
        if (m_pcollection == nullptr)
            return E_FAIL;
        const std::size_t size = static_cast<std::size_t>(std::size(*m_pcollection));
        const std::size_t left = m_index < size ? size - m_index : 0;
        m_index += celt < left ? celt : left;
        return celt <= left ? S_OK : S_FALSE;
    }
    HRESULT Reset() override
    {
        m_index = 0;
        return S_OK;
    }
    // An independent enumerator at the same position; it holds the collection's owner.
    HRESULT Clone(Base** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_POINTER;
        *ppEnum = nullptr;
        if (m_pcollection == nullptr)
            return E_FAIL;
        using clone_type = CComObject<CComEnumOnSTL<Base, piid, T, Copy, CollType>>;
        clone_type* p = nullptr;
        HRESULT hr = clone_type::CreateInstance(&p);
        if (FAILED(hr))
            return hr;
        CComPtr<IUnknown> owner = m_spUnk.p;
        if (!owner)
            this->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&owner.p));
        p->Init(owner, *m_pcollection);
        p->m_index = m_index;
        return p->QueryInterface(*piid, reinterpret_cast<void**>(ppEnum));
    }

    CComPtr<IUnknown> m_spUnk;
    CollType* m_pcollection = nullptr;
    std::size_t m_index = 0;
};

template <class Base, const IID* piid, class T, class Copy, class CollType>
class CComEnumOnSTL : public IEnumOnSTLImpl<Base, piid, T, Copy, CollType>,
                      public CComObjectRootEx<CComMultiThreadModel> {
public:
    using _impl = IEnumOnSTLImpl<Base, piid, T, Copy, CollType>;
    BEGIN_COM_MAP(CComEnumOnSTL)
    COM_INTERFACE_ENTRY_IID(*piid, _impl)
    END_COM_MAP()
};

// An enumerator that owns its items: a collection handed out as a snapshot, for a caller that
// has no collection object to hold (For Each over what a member returned).
class CComOwnedVariantEnum
    : public CComEnumOnSTL<IEnumVARIANT, &IID_IEnumVARIANT, VARIANT, _Copy<VARIANT>, std::vector<CComVariant>> {
public:
    std::vector<CComVariant> m_items;
};

namespace com {

// A new enumerator over `items`, in order; its clones share them.
inline HRESULT create_variant_enumerator(std::vector<CComVariant> items, IEnumVARIANT** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    CComObject<CComOwnedVariantEnum>* made = nullptr;
    HRESULT hr = CComObject<CComOwnedVariantEnum>::CreateInstance(&made);
    if (FAILED(hr))
        return hr;
    made->m_items = std::move(items);
    made->Init(nullptr, made->m_items);
    return made->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(out));
}

} // namespace com
