#pragma once
// The interfaces and identifiers of the type library OSTRELCOLLECTORLib 1.0. The three I
// interfaces are dual (their members follow IDispatch's four, in this order; the dispatch
// identifier is the member's position); the event interface is dispatch-only.

#include "collector/oxc_ostrel_counter.h"
#include "platform/com/dispatch.h"
#include "platform/com/guid.h"

struct IOstrelInfo;

struct IOstrelCollector : IDispatch {
    virtual HRESULT EnumerateNetwork(VARIANT* pDomains) = 0;
    virtual HRESULT Collect(VARIANT* pDomains, oxcOstrelCounter flags) = 0;
    virtual HRESULT Cancel() = 0;

protected:
    ~IOstrelCollector() = default;
};
COM_DECLARE_IID(IOstrelCollector, "7DDD0D92-7DEA-4C30-B190-4718A1F60FB0");

struct IOstrelInfo : IDispatch {
    virtual HRESULT get_DomainName(BSTR* pVal) = 0;
    virtual HRESULT GetInfo(oxcOstrelCounter counter, LONG* rv) = 0;
    virtual HRESULT get_ErrorString(BSTR* pVal) = 0;

protected:
    ~IOstrelInfo() = default;
};
COM_DECLARE_IID(IOstrelInfo, "78C383BC-0987-45BE-8C8D-6E3A72CF2A72");

struct IOstrelInfoCollection : IDispatch {
    virtual HRESULT get_Count(LONG* pVal) = 0;
    virtual HRESULT get_Item(LONG index, IOstrelInfo** ppVal) = 0;

protected:
    ~IOstrelInfoCollection() = default;
};
COM_DECLARE_IID(IOstrelInfoCollection, "460180ED-54F9-424C-B72B-36FEE407DC3A");

// Dispatch-only: sinks implement IDispatch and are called through Invoke.
struct _IOstrelCollectorEvents : IDispatch {
protected:
    ~_IOstrelCollectorEvents() = default;
};
COM_DECLARE_IID(_IOstrelCollectorEvents, "100ED59D-992F-4153-820E-80A37775B0E8");

inline constexpr DISPID DISPID_CollectionCompleted = 1;
inline constexpr DISPID DISPID_DomainCollected = 2;

inline constexpr GUID LIBID_OSTRELCOLLECTORLib = com::make_guid("37BBB4B6-3E12-4F77-93FB-E6795BB31482");
inline constexpr CLSID CLSID_OstrelCollector = com::make_guid("1F0B29AD-1CB8-4F95-99C1-563E3BDFA6D9");
inline constexpr CLSID CLSID_OstrelInfo = com::make_guid("D2F4BA9A-D3F7-4335-91F9-1BB12B615CB2");
inline constexpr CLSID CLSID_OstrelInfoCollection = com::make_guid("18D42C92-D907-4190-A4DD-010E8FB94CEF");

inline constexpr IID DIID__IOstrelCollectorEvents = IID__IOstrelCollectorEvents;
