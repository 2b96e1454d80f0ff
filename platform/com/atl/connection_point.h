#pragma once
// Connection points: IConnectionPointImpl<T, &IID_events> keeps the sinks of one outgoing
// interface in a list that grows as needed; a new sink takes the first free slot, and its
// cookie is its slot number + 1. A sink advised from a single-threaded apartment is stored
// wrapped (com::wrap_sink_for_caller), so that raising an event from any thread reaches it
// on its own thread. IConnectionPointContainerImpl<T> finds the points listed in the
// class's BEGIN_CONNECTION_POINT_MAP.
//
// Raising an event: read m_vec.GetSize() once; for each index, under the object's Lock()
// take m_vec.GetAt(i) with an added reference; call it outside the lock; skip null slots.

#include "platform/com/apartment.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/connection_points.h"

#include <atomic>
#include <new>
#include <vector>

namespace com {

// The sink list: slots stay in place, a freed slot is reused first.
class sink_list {
public:
    sink_list() = default;
    sink_list(const sink_list&) = delete;
    sink_list& operator=(const sink_list&) = delete;
    ~sink_list()
    {
        for (IUnknown* p : m_slots) {
            if (p != nullptr)
                p->Release();
        }
    }

    // Takes over one reference; returns the cookie (slot + 1).
    DWORD Add(IUnknown* sink)
    {
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            if (m_slots[i] == nullptr) {
                m_slots[i] = sink;
                return static_cast<DWORD>(i + 1);
            }
        }
        m_slots.push_back(sink);
        return static_cast<DWORD>(m_slots.size());
    }
    // The sink removed (its reference now the caller's), or null for an unknown cookie.
    IUnknown* Remove(DWORD cookie)
    {
        if (cookie == 0 || cookie > m_slots.size())
            return nullptr;
        IUnknown* p = m_slots[cookie - 1];
        m_slots[cookie - 1] = nullptr;
        return p;
    }
    int GetSize() const { return static_cast<int>(m_slots.size()); }
    IUnknown* GetAt(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < m_slots.size() ? m_slots[static_cast<std::size_t>(index)]
                                                                              : nullptr;
    }
    std::vector<CONNECTDATA> snapshot() const
    {
        std::vector<CONNECTDATA> out;
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            if (m_slots[i] != nullptr)
                out.push_back(CONNECTDATA{m_slots[i], static_cast<DWORD>(i + 1)});
        }
        return out;
    }

private:
    std::vector<IUnknown*> m_slots;
};

inline IUnknown* unknown_of(const CONNECTDATA& item) { return item.pUnk; }
inline IUnknown* unknown_of(IConnectionPoint* item) { return item; }

// IEnumConnections / IEnumConnectionPoints over a snapshot of items that it holds.
template <class IEnum, const IID* piid, class Item>
class CSnapshotEnumerator final : public IEnum {
public:
    explicit CSnapshotEnumerator(std::vector<Item> items) : m_items(std::move(items))
    {
        for (auto& item : m_items)
            unknown_of(item)->AddRef();
    }
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == *piid) {
            *ppv = static_cast<IEnum*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT Next(ULONG count, Item* out, ULONG* fetched) override
    {
        if (out == nullptr || (count > 1 && fetched == nullptr))
            return E_POINTER;
        ULONG n = 0;
        while (n < count && m_pos < m_items.size()) {
            out[n] = m_items[m_pos++];
            unknown_of(out[n])->AddRef();
            ++n;
        }
        if (fetched != nullptr)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG count) override
    {
        std::size_t left = m_items.size() - m_pos;
        m_pos += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT Reset() override
    {
        m_pos = 0;
        return S_OK;
    }
    HRESULT Clone(IEnum** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        auto* copy = new (std::nothrow) CSnapshotEnumerator(m_items);
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        copy->m_pos = m_pos;
        *out = copy;
        return S_OK;
    }

private:
    ~CSnapshotEnumerator()
    {
        for (auto& item : m_items)
            unknown_of(item)->Release();
    }
    std::atomic<ULONG> m_refs{1};
    std::vector<Item> m_items;
    std::size_t m_pos = 0;
};

using CConnectionEnumerator = CSnapshotEnumerator<IEnumConnections, &IID_IEnumConnections, CONNECTDATA>;
using CConnectionPointEnumerator =
    CSnapshotEnumerator<IEnumConnectionPoints, &IID_IEnumConnectionPoints, IConnectionPoint*>;

namespace detail {

// Which interface a connection point serves: the one named by the template argument, or, for a
// null argument, the one its class answers at run time. Chosen by specialisation, since the
// address of an interface identifier is no constant a comparison may use in every build (the
// sanitizer builds make it a run-time value).
template <const IID* piid>
struct outgoing_of {
    template <class T>
    static const IID& iid(T*)
    {
        return *piid;
    }
};
template <>
struct outgoing_of<nullptr> {
    template <class T>
    static const IID& iid(T* object)
    {
        return object->outgoing_iid();
    }
};

} // namespace detail

} // namespace com

// T is the object class (a CComObjectRootEx with Lock/Unlock and GetUnknown). The base holds
// the sink list (m_vec) for the class's Fire_ operations; the IConnectionPoint itself is a
// part of the object with the object's identity and lifetime (its AddRef and Release are
// the object's).
// A class whose outgoing interface is known only at run time (an object described by a type
// library it reads) gives a null piid and answers it from `const IID& outgoing_iid()`. A class
// that has work to do before its first sink is stored (connecting the sources of its events)
// does it in `HRESULT before_advise()`; a failure refuses the sink with that result.
template <class T, const IID* piid>
class IConnectionPointImpl {
public:
    IConnectionPointImpl() : m_point(this) {}
    IConnectionPointImpl(const IConnectionPointImpl&) = delete;
    IConnectionPointImpl& operator=(const IConnectionPointImpl&) = delete;

    IConnectionPoint* connection_point() { return &m_point; }
    const IID& outgoing() { return com::detail::outgoing_of<piid>::iid(static_cast<T*>(this)); }

protected:
    ~IConnectionPointImpl() = default;
    com::sink_list m_vec;

private:
    class point final : public IConnectionPoint {
    public:
        explicit point(IConnectionPointImpl* impl) : m_impl(impl) {}

        HRESULT QueryInterface(REFIID riid, void** ppv) override
        {
            if (ppv == nullptr)
                return E_POINTER;
            if (riid == IID_IUnknown || riid == IID_IConnectionPoint) {
                *ppv = static_cast<IConnectionPoint*>(this);
                AddRef();
                return S_OK;
            }
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        ULONG AddRef() override { return owner()->GetUnknown()->AddRef(); }
        ULONG Release() override { return owner()->GetUnknown()->Release(); }

        HRESULT GetConnectionInterface(IID* pIID) override
        {
            if (pIID == nullptr)
                return E_POINTER;
            *pIID = m_impl->outgoing();
            return S_OK;
        }
        HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override
        {
            if (ppCPC == nullptr)
                return E_POINTER;
            return owner()->GetUnknown()->QueryInterface(IID_IConnectionPointContainer,
                                                         reinterpret_cast<void**>(ppCPC));
        }
        HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override
        {
            if (pdwCookie == nullptr)
                return E_POINTER;
            *pdwCookie = 0;
            if (pUnkSink == nullptr)
                return E_POINTER;
            // The sink must implement the outgoing interface.
            const IID& outgoing = m_impl->outgoing();
            IUnknown* sink = nullptr;
            if (FAILED(pUnkSink->QueryInterface(outgoing, reinterpret_cast<void**>(&sink))) || sink == nullptr) {
                return CONNECT_E_CANNOTCONNECT;
            }
            if constexpr (requires(T& t) { t.before_advise(); }) {
                if (const HRESULT ready = owner()->before_advise(); FAILED(ready)) {
                    sink->Release();
                    return ready;
                }
            }
            IUnknown* stored = nullptr;
            HRESULT hr = com::wrap_sink_for_caller(sink, outgoing, &stored);
            sink->Release();
            if (FAILED(hr))
                return hr;
            owner()->Lock();
            DWORD cookie = m_impl->m_vec.Add(stored);
            owner()->Unlock();
            *pdwCookie = cookie;
            return S_OK;
        }
        HRESULT Unadvise(DWORD dwCookie) override
        {
            owner()->Lock();
            IUnknown* removed = m_impl->m_vec.Remove(dwCookie);
            owner()->Unlock();
            if (removed == nullptr)
                return CONNECT_E_NOCONNECTION;
            removed->Release();
            return S_OK;
        }
        HRESULT EnumConnections(IEnumConnections** ppEnum) override
        {
            if (ppEnum == nullptr)
                return E_POINTER;
            *ppEnum = nullptr;
            owner()->Lock();
            auto items = m_impl->m_vec.snapshot();
            for (auto& c : items)
                c.pUnk->AddRef();
            owner()->Unlock();
            auto* e = new (std::nothrow) com::CConnectionEnumerator(items);
            for (auto& c : items)
                c.pUnk->Release();
            if (e == nullptr)
                return E_OUTOFMEMORY;
            *ppEnum = e;
            return S_OK;
        }

    private:
        T* owner() { return static_cast<T*>(m_impl); }
        IConnectionPointImpl* m_impl;
    };

    point m_point;
};

namespace com {

struct connection_point_entry {
    const IID* iid;
    IConnectionPoint* (*cast)(void* object);
};

} // namespace com

template <class T>
class IConnectionPointContainerImpl : public IConnectionPointContainer {
public:
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_POINTER;
        std::vector<IConnectionPoint*> points;
        for (const auto* e = T::_GetConnectionPointEntries(); e->iid != nullptr; ++e) {
            points.push_back(e->cast(static_cast<T*>(this)));
        }
        auto* en = new (std::nothrow) com::CConnectionPointEnumerator(std::move(points));
        if (en == nullptr)
            return E_OUTOFMEMORY;
        *ppEnum = en;
        return S_OK;
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override
    {
        if (ppCP == nullptr)
            return E_POINTER;
        *ppCP = nullptr;
        for (const auto* e = T::_GetConnectionPointEntries(); e->iid != nullptr; ++e) {
            if (*e->iid == riid) {
                *ppCP = e->cast(static_cast<T*>(this));
                (*ppCP)->AddRef();
                return S_OK;
            }
        }
        return CONNECT_E_NOCONNECTION;
    }
};

// The class's connection points: each CONNECTION_POINT_ENTRY names the outgoing interface
// of one IConnectionPointImpl base.
#define BEGIN_CONNECTION_POINT_MAP(x)                                                                                  \
    using _CPMapClass = x;                                                                                             \
    static const ::com::connection_point_entry* _GetConnectionPointEntries()                                           \
    {                                                                                                                  \
        static const ::com::connection_point_entry _points[] = {
#define CONNECTION_POINT_ENTRY(iid)                                                                                    \
    {&(iid), [](void* p) -> IConnectionPoint* {                                                                        \
         return static_cast<IConnectionPointImpl<_CPMapClass, &(iid)>*>(static_cast<_CPMapClass*>(p))                  \
             ->connection_point();                                                                                     \
     }},
#define END_CONNECTION_POINT_MAP()                                                                                     \
    {                                                                                                                  \
        nullptr, nullptr                                                                                               \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    return _points;                                                                                                    \
    }
