#pragma once
// The enumerator of a collection: VARIANTs, one position per enumerator.

#include "platform/com/variant.h"

struct IEnumVARIANT : IUnknown {
    // Fetches up to celt items; S_FALSE when fewer than celt were left.
    virtual HRESULT Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumVARIANT** ppEnum) = 0;

protected:
    ~IEnumVARIANT() = default;
};
COM_DECLARE_IID(IEnumVARIANT, "00020404-0000-0000-C000-000000000046");
