#pragma once
// The interfaces of the tiny in-process server that the runtime tests load through the
// registry (test_module.cpp).

#include "platform/com/dispatch.h"

inline constexpr CLSID CLSID_TestCounter = com::make_guid("5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0001");
inline constexpr GUID LIBID_TestCounterLib = com::make_guid("5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0002");
inline constexpr IID DIID__ITestCounterEvents = com::make_guid("5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0004");

struct ITestCounter : IDispatch {
    virtual HRESULT Add(LONG amount, LONG* total) = 0;                             // 1
    virtual HRESULT get_Name(BSTR* pVal) = 0;                                      // 2
    virtual HRESULT put_Name(BSTR value) = 0;                                      // 2
    virtual HRESULT Echo(VARIANT* value, VARIANT* result) = 0;                     // 3
    virtual HRESULT Fail() = 0;                                                    // 4
    virtual HRESULT Fire(LONG value) = 0;                                          // 5
    virtual HRESULT Swap(BSTR* text, VARIANT_BOOL flag, VARIANT_BOOL* result) = 0; // 6

protected:
    ~ITestCounter() = default;
};
COM_DECLARE_IID(ITestCounter, "5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0003");
