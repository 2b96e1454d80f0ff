#pragma once
// Connection points: an object's outgoing interfaces, to which clients connect sinks.

#include "platform/com/unknown.h"

struct IConnectionPointContainer;

struct CONNECTDATA {
    IUnknown* pUnk;
    DWORD dwCookie;
};
using LPCONNECTDATA = CONNECTDATA*;

struct IEnumConnections : IUnknown {
    virtual HRESULT Next(ULONG cConnections, CONNECTDATA* rgcd, ULONG* pcFetched) = 0;
    virtual HRESULT Skip(ULONG cConnections) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumConnections** ppEnum) = 0;

protected:
    ~IEnumConnections() = default;
};
COM_DECLARE_IID(IEnumConnections, "B196B287-BAB4-101A-B69C-00AA00341D07");

struct IConnectionPoint : IUnknown {
    virtual HRESULT GetConnectionInterface(IID* pIID) = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) = 0;
    virtual HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) = 0;
    virtual HRESULT Unadvise(DWORD dwCookie) = 0;
    virtual HRESULT EnumConnections(IEnumConnections** ppEnum) = 0;

protected:
    ~IConnectionPoint() = default;
};
COM_DECLARE_IID(IConnectionPoint, "B196B286-BAB4-101A-B69C-00AA00341D07");

struct IEnumConnectionPoints : IUnknown {
    virtual HRESULT Next(ULONG cConnections, IConnectionPoint** ppCP, ULONG* pcFetched) = 0;
    virtual HRESULT Skip(ULONG cConnections) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumConnectionPoints** ppEnum) = 0;

protected:
    ~IEnumConnectionPoints() = default;
};
COM_DECLARE_IID(IEnumConnectionPoints, "B196B285-BAB4-101A-B69C-00AA00341D07");

struct IConnectionPointContainer : IUnknown {
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) = 0;
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) = 0;

protected:
    ~IConnectionPointContainer() = default;
};
COM_DECLARE_IID(IConnectionPointContainer, "B196B284-BAB4-101A-B69C-00AA00341D07");
