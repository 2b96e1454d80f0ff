#pragma once
// The most-derived object classes: CComObject (stand-alone), CComContainedObject and
// CComAggObject (aggregated: the outer object controls identity and lifetime),
// CComPolyObject (either), CComObjectStackEx (owned by its scope, not the heap), their
// creators, the class factory and CComCoClass.

#include "platform/com/atl/module.h"
#include "platform/com/atl/object_root.h"
#include "platform/com/error_info.h"

#include <atomic>
#include <new>
#include <utility>

namespace com::detail {
inline void module_lock()
{
    if (this_module != nullptr)
        this_module->Lock();
}
inline void module_unlock()
{
    if (this_module != nullptr)
        this_module->Unlock();
}
} // namespace com::detail

template <class Base>
class CComObject final : public Base {
public:
    explicit CComObject(void* = nullptr) { com::detail::module_lock(); }
    ~CComObject()
    {
        // A count that cannot reach 0 again while FinalRelease hands out references.
        this->m_dwRef = 0x3FFFFFFF;
        this->FinalRelease();
        com::detail::module_unlock();
    }

    ULONG AddRef() override { return this->InternalAddRef(); }
    ULONG Release() override
    {
        ULONG left = this->InternalRelease();
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT QueryInterface(REFIID iid, void** ppv) override { return this->_InternalQueryInterface(iid, ppv); }
    template <class Q>
    HRESULT QueryInterface(Q** pp)
    {
        return QueryInterface(com::uuidof<Q>(), reinterpret_cast<void**>(pp));
    }

    // A new object with a reference count of 0, after FinalConstruct succeeded.
    static HRESULT CreateInstance(CComObject<Base>** pp)
    {
        if (pp == nullptr)
            return E_POINTER;
        *pp = nullptr;
        auto* p = new (std::nothrow) CComObject<Base>();
        if (p == nullptr)
            return E_OUTOFMEMORY;
        p->SetVoid(nullptr);
        p->InternalFinalConstructAddRef();
        HRESULT hr = p->_AtlFinalConstruct();
        if (SUCCEEDED(hr))
            hr = p->FinalConstruct();
        p->InternalFinalConstructRelease();
        if (FAILED(hr)) {
            delete p;
            return hr;
        }
        *pp = p;
        return S_OK;
    }
};

// Base living in its owner's scope (a stack frame or a member) rather than on the heap: its
// references are counted as any object's, but the last Release does not delete it; the owner
// destroys it once nobody holds it any more. FinalConstruct runs when it is made (its result
// in m_hResFinalConstruct), FinalRelease when it is destroyed. A class may derive from it to
// watch its own count.
template <class Base>
class CComObjectStackEx : public Base {
public:
    template <class... Args>
    explicit CComObjectStackEx(Args&&... args) : Base(std::forward<Args>(args)...)
    {
        this->SetVoid(nullptr);
        this->InternalFinalConstructAddRef();
        m_hResFinalConstruct = this->_AtlFinalConstruct();
        if (SUCCEEDED(m_hResFinalConstruct))
            m_hResFinalConstruct = this->FinalConstruct();
        this->InternalFinalConstructRelease();
    }
    ~CComObjectStackEx() { this->FinalRelease(); }

    ULONG AddRef() override { return this->InternalAddRef(); }
    ULONG Release() override { return this->InternalRelease(); }
    HRESULT QueryInterface(REFIID iid, void** ppv) override { return this->_InternalQueryInterface(iid, ppv); }
    template <class Q>
    HRESULT QueryInterface(Q** pp)
    {
        return QueryInterface(com::uuidof<Q>(), reinterpret_cast<void**>(pp));
    }

    HRESULT m_hResFinalConstruct = S_OK;
};

// Base inside an aggregate: its IUnknown calls go to the outer object.
template <class Base>
class CComContainedObject final : public Base {
public:
    explicit CComContainedObject(void* outer) { this->m_pOuterUnknown = static_cast<IUnknown*>(outer); }
    ULONG AddRef() override { return this->OuterAddRef(); }
    ULONG Release() override { return this->OuterRelease(); }
    HRESULT QueryInterface(REFIID iid, void** ppv) override { return this->OuterQueryInterface(iid, ppv); }
    template <class Q>
    HRESULT QueryInterface(Q** pp)
    {
        return QueryInterface(com::uuidof<Q>(), reinterpret_cast<void**>(pp));
    }
    IUnknown* GetControllingUnknown() { return this->m_pOuterUnknown; }
};

namespace com::detail {

// The inner (non-delegating) unknown of an aggregate around Base; Derived is the final class.
template <class Base, class Derived>
class inner_unknown : public IUnknown, public CComObjectRootEx<typename Base::_ThreadModel::ThreadModelNoCS> {
public:
    explicit inner_unknown(void* controlling) : m_contained(controlling) { module_lock(); }
    ~inner_unknown()
    {
        this->m_dwRef = 0x3FFFFFFF;
        m_contained.FinalRelease();
        module_unlock();
    }

    ULONG AddRef() override { return this->InternalAddRef(); }
    ULONG Release() override
    {
        ULONG left = this->InternalRelease();
        if (left == 0)
            delete static_cast<Derived*>(this);
        return left;
    }
    HRESULT QueryInterface(REFIID iid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown) {
            *ppv = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return m_contained._InternalQueryInterface(iid, ppv);
    }

    HRESULT FinalConstruct()
    {
        this->InternalAddRef();
        HRESULT hr = m_contained._AtlFinalConstruct();
        if (SUCCEEDED(hr))
            hr = m_contained.FinalConstruct();
        this->InternalRelease();
        return hr;
    }

    // A new one (count 0) around outer after FinalConstruct succeeded.
    static HRESULT create(IUnknown* outer, Derived** pp)
    {
        if (pp == nullptr)
            return E_POINTER;
        *pp = nullptr;
        auto* p = new (std::nothrow) Derived(outer);
        if (p == nullptr)
            return E_OUTOFMEMORY;
        HRESULT hr = p->FinalConstruct();
        if (FAILED(hr)) {
            delete p;
            return hr;
        }
        *pp = p;
        return S_OK;
    }

    CComContainedObject<Base> m_contained;
};

} // namespace com::detail

// Base aggregated: the outer object controls identity and lifetime.
template <class Base>
class CComAggObject final : public com::detail::inner_unknown<Base, CComAggObject<Base>> {
public:
    explicit CComAggObject(void* outer) : com::detail::inner_unknown<Base, CComAggObject<Base>>(outer) {}
    static HRESULT CreateInstance(IUnknown* outer, CComAggObject<Base>** pp)
    {
        if (outer == nullptr)
            return E_INVALIDARG;
        return CComAggObject::create(outer, pp);
    }
};

// Aggregated or not, decided at creation: without an outer object it is its own outer.
template <class Base>
class CComPolyObject final : public com::detail::inner_unknown<Base, CComPolyObject<Base>> {
public:
    explicit CComPolyObject(void* outer)
        : com::detail::inner_unknown<Base, CComPolyObject<Base>>(outer != nullptr ? outer
                                                                                  : static_cast<IUnknown*>(this))
    {
    }
    static HRESULT CreateInstance(IUnknown* outer, CComPolyObject<Base>** pp)
    {
        return CComPolyObject::create(outer, pp);
    }
};

namespace com {

// Creates T (a CComObject, CComAggObject or CComPolyObject) and asks it for riid.
template <class T>
struct creator;

template <class Base>
struct creator<CComObject<Base>> {
    static HRESULT CreateInstance(void* outer, REFIID riid, void** ppv)
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr)
            return CLASS_E_NOAGGREGATION;
        CComObject<Base>* p = nullptr;
        HRESULT hr = CComObject<Base>::CreateInstance(&p);
        if (FAILED(hr))
            return hr;
        p->AddRef();
        hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }
};

template <class Base>
struct creator<CComAggObject<Base>> {
    static HRESULT CreateInstance(void* outer, REFIID riid, void** ppv)
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (outer == nullptr)
            return E_INVALIDARG;
        if (riid != IID_IUnknown)
            return CLASS_E_NOAGGREGATION;
        CComAggObject<Base>* p = nullptr;
        HRESULT hr = CComAggObject<Base>::CreateInstance(static_cast<IUnknown*>(outer), &p);
        if (FAILED(hr))
            return hr;
        p->AddRef();
        hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }
};

template <class Base>
struct creator<CComPolyObject<Base>> {
    static HRESULT CreateInstance(void* outer, REFIID riid, void** ppv)
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (outer != nullptr && riid != IID_IUnknown)
            return CLASS_E_NOAGGREGATION;
        CComPolyObject<Base>* p = nullptr;
        HRESULT hr = CComPolyObject<Base>::CreateInstance(static_cast<IUnknown*>(outer), &p);
        if (FAILED(hr))
            return hr;
        p->AddRef();
        hr = p->QueryInterface(riid, ppv);
        p->Release();
        return hr;
    }
};

// Stand-alone without an outer object, aggregated with one.
template <class Plain, class Aggregated>
struct creator2 {
    static HRESULT CreateInstance(void* outer, REFIID riid, void** ppv)
    {
        return outer == nullptr ? creator<Plain>::CreateInstance(nullptr, riid, ppv)
                                : creator<Aggregated>::CreateInstance(outer, riid, ppv);
    }
};

} // namespace com

template <class T>
using CComCreator = com::creator<T>;

namespace com {

// What every class object shares: its own reference count and the two interfaces a class
// object answers, IUnknown and IClassFactory. A class object starts with the one reference its
// creator hands out.
class class_factory_base : public IClassFactory {
public:
    HRESULT QueryInterface(REFIID iid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~class_factory_base() = default;

private:
    std::atomic<ULONG> m_refs{1};
};

} // namespace com

// The class factory of one class: creates through the class's creator.
class CComClassFactory final : public com::class_factory_base {
public:
    using create_fn = HRESULT (*)(void* outer, REFIID riid, void** ppv);
    // module: the module whose lock count LockServer holds.
    CComClassFactory(create_fn create, CComModule* module) : m_create(create), m_module(module) {}

    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        // An aggregating creator must ask for IUnknown.
        if (outer != nullptr && riid != IID_IUnknown)
            return CLASS_E_NOAGGREGATION;
        return m_create(outer, riid, ppv);
    }
    HRESULT LockServer(BOOL lock) override
    {
        if (m_module != nullptr) {
            if (lock) {
                m_module->Lock();
            } else {
                m_module->Unlock();
            }
        }
        return S_OK;
    }

private:
    ~CComClassFactory() override = default;
    create_fn m_create;
    CComModule* m_module;
};

#define DECLARE_AGGREGATABLE(x) using _CreatorClass = ::com::creator2<CComObject<x>, CComAggObject<x>>;
#define DECLARE_NOT_AGGREGATABLE(x) using _CreatorClass = ::com::creator<CComObject<x>>;
#define DECLARE_ONLY_AGGREGATABLE(x) using _CreatorClass = ::com::creator<CComAggObject<x>>;
#define DECLARE_POLY_AGGREGATABLE(x) using _CreatorClass = ::com::creator<CComPolyObject<x>>;
#define DECLARE_PROTECT_FINAL_CONSTRUCT()

// A creatable class with its class identifier; aggregatable unless it says otherwise.
template <class T, const CLSID* pclsid>
class CComCoClass {
public:
    DECLARE_AGGREGATABLE(T)
    static const CLSID& GetObjectCLSID() { return *pclsid; }

    // Leaves error information (description, the class's ProgID-less source, iid) for the
    // caller and returns hr (E_FAIL when 0), as a method does on failure.
    static HRESULT Error(const OLECHAR* description, REFIID iid = GUID_NULL, HRESULT hr = 0)
    {
        ICreateErrorInfo* create = nullptr;
        if (SUCCEEDED(CreateErrorInfo(&create))) {
            create->SetDescription(const_cast<LPOLESTR>(description));
            create->SetGUID(iid);
            IErrorInfo* info = nullptr;
            if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
                SetErrorInfo(0, info);
                info->Release();
            }
            create->Release();
        }
        return hr == 0 ? E_FAIL : hr;
    }

    template <class Q>
    static HRESULT CreateInstance(IUnknown* outer, Q** pp)
    {
        return T::_CreatorClass::CreateInstance(outer, com::uuidof<Q>(), reinterpret_cast<void**>(pp));
    }
    template <class Q>
    static HRESULT CreateInstance(Q** pp)
    {
        return T::_CreatorClass::CreateInstance(nullptr, com::uuidof<Q>(), reinterpret_cast<void**>(pp));
    }
};
