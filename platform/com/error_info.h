#pragma once
// Error information: a description (and source, help) that a failing method leaves for its
// caller, one slot per thread.

#include "platform/com/bstr.h"
#include "platform/com/unknown.h"

struct IErrorInfo : IUnknown {
    virtual HRESULT GetGUID(GUID* pGUID) = 0;
    virtual HRESULT GetSource(BSTR* pBstrSource) = 0;
    virtual HRESULT GetDescription(BSTR* pBstrDescription) = 0;
    virtual HRESULT GetHelpFile(BSTR* pBstrHelpFile) = 0;
    virtual HRESULT GetHelpContext(DWORD* pdwHelpContext) = 0;

protected:
    ~IErrorInfo() = default;
};
COM_DECLARE_IID(IErrorInfo, "1CF2B120-547D-101B-8E65-08002B2BD119");

struct ICreateErrorInfo : IUnknown {
    virtual HRESULT SetGUID(REFGUID rguid) = 0;
    virtual HRESULT SetSource(LPOLESTR szSource) = 0;
    virtual HRESULT SetDescription(LPOLESTR szDescription) = 0;
    virtual HRESULT SetHelpFile(LPOLESTR szHelpFile) = 0;
    virtual HRESULT SetHelpContext(DWORD dwHelpContext) = 0;

protected:
    ~ICreateErrorInfo() = default;
};
COM_DECLARE_IID(ICreateErrorInfo, "22F03340-547D-101B-8E65-08002B2BD119");

struct ISupportErrorInfo : IUnknown {
    virtual HRESULT InterfaceSupportsErrorInfo(REFIID riid) = 0;

protected:
    ~ISupportErrorInfo() = default;
};
COM_DECLARE_IID(ISupportErrorInfo, "DF0B3D60-548F-101B-8E65-08002B2BD119");

// A new, empty error object (free-threaded; it may be handed to any thread).
HRESULT CreateErrorInfo(ICreateErrorInfo** pperrinfo);
// Replaces the calling thread's error information (null clears it). dwReserved must be 0.
HRESULT SetErrorInfo(ULONG dwReserved, IErrorInfo* perrinfo);
// Hands over the calling thread's error information and clears the slot: S_OK with the
// object, or S_FALSE and null when there is none.
HRESULT GetErrorInfo(ULONG dwReserved, IErrorInfo** pperrinfo);
