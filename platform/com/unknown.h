#pragma once
// The root interface of every object, and the class factory.
// Interfaces are abstract classes without virtual destructors: an object is always destroyed
// by its own implementation (the last Release), never through an interface pointer.

#include "platform/com/guid.h"

struct IUnknown {
    virtual HRESULT QueryInterface(REFIID riid, void** ppv) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

    // Typed convenience over QueryInterface.
    template <class Q>
    HRESULT QueryInterface(Q** pp)
    {
        return QueryInterface(com::uuidof<Q>(), reinterpret_cast<void**>(pp));
    }

protected:
    ~IUnknown() = default;
};
COM_DECLARE_IID(IUnknown, "00000000-0000-0000-C000-000000000046");

struct IClassFactory : IUnknown {
    virtual HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** ppv) = 0;
    virtual HRESULT LockServer(BOOL lock) = 0;

protected:
    ~IClassFactory() = default;
};
COM_DECLARE_IID(IClassFactory, "00000001-0000-0000-C000-000000000046");

using LPUNKNOWN = IUnknown*;
using LPCLASSFACTORY = IClassFactory*;
