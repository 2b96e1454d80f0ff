#include "platform/com/sta_dispatch_proxy.h"

#include "platform/com/connection_points.h"

#include <new>

namespace com {

CStaDispatchProxy::CStaDispatchProxy(IDispatch* sink, std::shared_ptr<sta_queue> sta, REFIID event_iid)
    : sink_(sink), sta_(std::move(sta)), event_iid_(event_iid)
{
    sink_->AddRef();
}

HRESULT CStaDispatchProxy::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == event_iid_) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CStaDispatchProxy::AddRef() { return ++refs_; }

ULONG CStaDispatchProxy::Release()
{
    ULONG left = --refs_;
    if (left == 0) {
        IDispatch* sink = sink_;
        HRESULT hr = call_in_sta(sta_, [sink]() {
            sink->Release();
            return S_OK;
        });
        // An apartment that has ended no longer runs calls; its objects are released here
        // rather than kept forever.
        if (hr == RPC_E_DISCONNECTED)
            sink->Release();
        delete this;
    }
    return left;
}

HRESULT CStaDispatchProxy::GetTypeInfoCount(UINT* pctinfo)
{
    return call_in_sta(sta_, [&]() { return sink_->GetTypeInfoCount(pctinfo); });
}

HRESULT CStaDispatchProxy::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo)
{
    return call_in_sta(sta_, [&]() { return sink_->GetTypeInfo(iTInfo, lcid, ppTInfo); });
}

HRESULT CStaDispatchProxy::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId)
{
    return call_in_sta(sta_, [&]() { return sink_->GetIDsOfNames(riid, rgszNames, cNames, lcid, rgDispId); });
}

HRESULT CStaDispatchProxy::Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                  VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    return call_in_sta(sta_, [&]() {
        return sink_->Invoke(dispIdMember, riid, lcid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
    });
}

HRESULT wrap_sink_for_caller(IUnknown* sink, REFIID event_iid, IUnknown** wrapped)
{
    if (wrapped == nullptr)
        return E_POINTER;
    *wrapped = nullptr;
    if (sink == nullptr)
        return E_POINTER;
    auto sta = current_sta();
    if (!sta) {
        sink->AddRef();
        *wrapped = sink;
        return S_OK;
    }
    IDispatch* disp = nullptr;
    if (FAILED(sink->QueryInterface(event_iid, reinterpret_cast<void**>(&disp))) || disp == nullptr) {
        if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp))) || disp == nullptr) {
            return CONNECT_E_CANNOTCONNECT;
        }
    }
    auto* proxy = new (std::nothrow) CStaDispatchProxy(disp, sta, event_iid);
    disp->Release();
    if (proxy == nullptr)
        return E_OUTOFMEMORY;
    *wrapped = static_cast<IDispatch*>(proxy);
    return S_OK;
}

} // namespace com
