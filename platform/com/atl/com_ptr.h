#pragma once
// Smart interface pointers: CComPtr holds one counted reference; CComQIPtr also converts by
// QueryInterface on assignment from another interface.

#include "platform/com/unknown.h"

#include <memory>
#include <utility>

template <class T>
class CComPtr {
public:
    T* p = nullptr;

    CComPtr() noexcept = default;
    CComPtr(std::nullptr_t) noexcept {}
    CComPtr(T* raw) noexcept : p(raw)
    {
        if (p != nullptr)
            p->AddRef();
    }
    CComPtr(const CComPtr& other) noexcept : CComPtr(other.p) {}
    CComPtr(CComPtr&& other) noexcept : p(std::exchange(other.p, nullptr)) {}
    ~CComPtr() { Release(); }

    CComPtr& operator=(T* raw) noexcept
    {
        if (raw != nullptr)
            raw->AddRef();
        T* old = std::exchange(p, raw);
        if (old != nullptr)
            old->Release();
        return *this;
    }
    CComPtr& operator=(const CComPtr& other) noexcept { return *this = other.p; }
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != std::addressof(other)) {
            T* old = std::exchange(p, std::exchange(other.p, nullptr));
            if (old != nullptr)
                old->Release();
        }
        return *this;
    }

    operator T*() const noexcept { return p; }
    T* operator->() const noexcept { return p; }
    T& operator*() const noexcept { return *p; }
    // For out-parameters: the pointer must be empty.
    T** operator&() noexcept { return &p; }
    bool operator!() const noexcept { return p == nullptr; }
    bool operator==(std::nullptr_t) const noexcept { return p == nullptr; }
    bool operator==(T* other) const noexcept { return p == other; }

    void Release() noexcept
    {
        T* old = std::exchange(p, nullptr);
        if (old != nullptr)
            old->Release();
    }
    void Attach(T* raw) noexcept
    {
        T* old = std::exchange(p, raw);
        if (old != nullptr)
            old->Release();
    }
    T* Detach() noexcept { return std::exchange(p, nullptr); }
    HRESULT CopyTo(T** out) const noexcept
    {
        if (out == nullptr)
            return E_POINTER;
        *out = p;
        if (p != nullptr)
            p->AddRef();
        return S_OK;
    }
    template <class Q>
    HRESULT QueryInterface(Q** out) const noexcept
    {
        if (out == nullptr)
            return E_POINTER;
        *out = nullptr;
        if (p == nullptr)
            return E_POINTER;
        return p->QueryInterface(com::uuidof<Q>(), reinterpret_cast<void**>(out));
    }
    // Same object: compares the IUnknown identities.
    bool IsEqualObject(IUnknown* other) const noexcept
    {
        if (p == nullptr || other == nullptr)
            return p == nullptr && other == nullptr;
        CComPtr<IUnknown> a;
        CComPtr<IUnknown> b;
        p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&a.p));
        other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&b.p));
        return a.p == b.p;
    }
    HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer = nullptr, DWORD context = 0x17);
};

template <class T, const IID* piid = nullptr>
class CComQIPtr : public CComPtr<T> {
public:
    CComQIPtr() noexcept = default;
    CComQIPtr(std::nullptr_t) noexcept {}
    CComQIPtr(T* raw) noexcept : CComPtr<T>(raw) {}
    CComQIPtr(const CComQIPtr& other) noexcept : CComPtr<T>(other.p) {}
    CComQIPtr(IUnknown* other) noexcept { query(other); }
    template <class Q>
    CComQIPtr(const CComPtr<Q>& other) noexcept
    {
        query(other.p);
    }
    CComQIPtr& operator=(const CComQIPtr& other) noexcept
    {
        CComPtr<T>::operator=(other.p);
        return *this;
    }
    CComQIPtr& operator=(T* raw) noexcept
    {
        CComPtr<T>::operator=(raw);
        return *this;
    }
    CComQIPtr& operator=(IUnknown* other) noexcept
    {
        this->Release();
        query(other);
        return *this;
    }

private:
    static const IID& iid() noexcept
    {
        if constexpr (piid != nullptr) {
            return *piid;
        } else {
            return com::uuidof<T>();
        }
    }
    void query(IUnknown* other) noexcept
    {
        if (other != nullptr)
            other->QueryInterface(iid(), reinterpret_cast<void**>(&this->p));
    }
};

#include "platform/com/runtime.h"

template <class T>
HRESULT CComPtr<T>::CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context)
{
    Release();
    return ::CoCreateInstance(clsid, outer, context, com::uuidof<T>(), reinterpret_cast<void**>(&p));
}
