#pragma once
// IACollectionOnSTLBase: a reusable collection of counted item references, in insertion
// order, behind a collection interface C with Count and Item for items of interface I.

#include "platform/com/atl/com_ptr.h"
#include "platform/com/unknown.h"
#include "platform/win32/win_errors.h"

#include <algorithm>
#include <vector>

template <class C, class I>
class IACollectionOnSTLBase : public C {
public:
    HRESULT get_Count(LONG* pVal) override
    {
        if (pVal == nullptr)
            return E_POINTER;
        *pVal = static_cast<LONG>(m_coll.size());
        return S_OK;
    }

    HRESULT get_Item(LONG index, I** ppVal) override
    {
        if (ppVal == nullptr)
            return E_POINTER;
        if (!in_range(index))
            return E_INVALIDARG;
        I* item = m_coll[static_cast<std::size_t>(index)];
        if (item == nullptr)
            return E_POINTER;
        item->AddRef();
        *ppVal = item;
        return S_OK;
    }

    virtual HRESULT put_Item(LONG index, I* item)
    {
        if (item == nullptr)
            return E_POINTER;
        if (!in_range(index))
            return E_INVALIDARG;
        m_coll[static_cast<std::size_t>(index)] = CComPtr<I>(item);
        return S_OK;
    }

    virtual HRESULT Clear()
    {
        m_coll.clear();
        return S_OK;
    }

    // An object without the item interface is refused rather than added as a null item.
    virtual HRESULT Add(IUnknown* object)
    {
        if (object == nullptr)
            return E_POINTER;
        CComPtr<I> item;
        const HRESULT hr = object->QueryInterface(com::uuidof<I>(), reinterpret_cast<void**>(&item));
        if (FAILED(hr))
            return hr;
        if (!item)
            return E_NOINTERFACE;
        return Add(item.p);
    }

    virtual HRESULT Add(I* item)
    {
        if (item == nullptr)
            return E_POINTER;
        const auto same = [item](const CComPtr<I>& held) { return held.p == item; };
        if (std::any_of(m_coll.begin(), m_coll.end(), same))
            return E_INVALIDARG;
        m_coll.emplace_back(item);
        return S_OK;
    }

    virtual HRESULT Remove(LONG index)
    {
        if (!in_range(index))
            return E_INVALIDARG;
        m_coll.erase(m_coll.begin() + index);
        return S_OK;
    }

protected:
    bool in_range(LONG index) const { return index >= 0 && static_cast<std::size_t>(index) < m_coll.size(); }

    std::vector<CComPtr<I>> m_coll;
};
