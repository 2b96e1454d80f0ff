#pragma once
// The root of every object: reference count, lock, the outer unknown when aggregated, and
// the interface map (BEGIN_COM_MAP ... END_COM_MAP) through which QueryInterface answers.

#include "platform/com/atl/thread_model.h"
#include "platform/com/unknown.h"

namespace com {

// One row of an interface map: the interface identifier and how to reach that interface
// from the object (a null iid ends the map).
struct interface_entry {
    const IID* iid;
    void* (*cast)(void* object);
};

} // namespace com

template <class ThreadModel>
class CComObjectRootEx {
public:
    using _ThreadModel = ThreadModel;
    using _CritSec = typename ThreadModel::AutoCriticalSection;

    CComObjectRootEx() = default;
    CComObjectRootEx(const CComObjectRootEx&) = delete;
    CComObjectRootEx& operator=(const CComObjectRootEx&) = delete;

    HRESULT FinalConstruct() { return S_OK; }
    void FinalRelease() {}
    HRESULT _AtlFinalConstruct() { return S_OK; }

    ULONG InternalAddRef() { return ThreadModel::Increment(m_dwRef); }
    ULONG InternalRelease() { return ThreadModel::Decrement(m_dwRef); }
    // Keeps the object alive while FinalConstruct hands out and takes back references.
    void InternalFinalConstructAddRef() { InternalAddRef(); }
    void InternalFinalConstructRelease() { InternalRelease(); }

    ULONG OuterAddRef() { return m_pOuterUnknown->AddRef(); }
    ULONG OuterRelease() { return m_pOuterUnknown->Release(); }
    HRESULT OuterQueryInterface(REFIID iid, void** ppv) { return m_pOuterUnknown->QueryInterface(iid, ppv); }
    void SetVoid(void*) {}

    void Lock() { m_critsec.Lock(); }
    void Unlock() { m_critsec.Unlock(); }

    static HRESULT InternalQueryInterface(void* self, const com::interface_entry* entries, REFIID iid, void** ppv)
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (entries == nullptr || entries[0].iid == nullptr)
            return E_NOINTERFACE;
        // IUnknown is the first entry's interface: one identity for the object.
        if (iid == IID_IUnknown) {
            auto* unknown = static_cast<IUnknown*>(entries[0].cast(self));
            unknown->AddRef();
            *ppv = unknown;
            return S_OK;
        }
        for (const auto* e = entries; e->iid != nullptr; ++e) {
            if (*e->iid == iid) {
                auto* unknown = static_cast<IUnknown*>(e->cast(self));
                unknown->AddRef();
                *ppv = unknown;
                return S_OK;
            }
        }
        return E_NOINTERFACE;
    }

    typename ThreadModel::count_type m_dwRef{0};
    IUnknown* m_pOuterUnknown = nullptr;

protected:
    ~CComObjectRootEx() = default;
    _CritSec m_critsec;
};

using CComObjectRoot = CComObjectRootEx<CComObjectThreadModel>;

// The interface map. Entries name interfaces the class derives from; the first one is the
// object's IUnknown.
#define BEGIN_COM_MAP(x)                                                                                               \
public:                                                                                                                \
    using _ComMapClass = x;                                                                                            \
    static const ::com::interface_entry* _GetEntries()                                                                 \
    {                                                                                                                  \
        static const ::com::interface_entry _entries[] = {

#define COM_INTERFACE_ENTRY(I)                                                                                         \
    {&::com::uuidof<I>(), [](void* p) -> void* { return static_cast<I*>(static_cast<_ComMapClass*>(p)); }},

#define COM_INTERFACE_ENTRY_IID(iid, I)                                                                                \
    {&(iid), [](void* p) -> void* { return static_cast<I*>(static_cast<_ComMapClass*>(p)); }},

// I reached through the base `via` (for an interface inherited along two paths).
#define COM_INTERFACE_ENTRY2(I, via)                                                                                   \
    {&::com::uuidof<I>(),                                                                                              \
     [](void* p) -> void* { return static_cast<I*>(static_cast<via*>(static_cast<_ComMapClass*>(p))); }},

#define END_COM_MAP()                                                                                                  \
    {                                                                                                                  \
        nullptr, nullptr                                                                                               \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    return _entries;                                                                                                   \
    }                                                                                                                  \
    IUnknown* GetUnknown() { return static_cast<IUnknown*>(_GetEntries()[0].cast(this)); }                             \
    HRESULT _InternalQueryInterface(REFIID iid, void** ppv)                                                            \
    {                                                                                                                  \
        return InternalQueryInterface(this, _GetEntries(), iid, ppv);                                                  \
    }                                                                                                                  \
    ULONG AddRef() override = 0;                                                                                       \
    ULONG Release() override = 0;                                                                                      \
    HRESULT QueryInterface(REFIID, void**) override = 0;                                                               \
    template <class Q>                                                                                                 \
    HRESULT QueryInterface(Q** pp)                                                                                     \
    {                                                                                                                  \
        return QueryInterface(::com::uuidof<Q>(), reinterpret_cast<void**>(pp));                                       \
    }
