#pragma once
// A dispatch sink of a single-threaded apartment as seen from other threads: every call,
// and the release of the sink, runs on the apartment's thread (see apartment.h).

#include "platform/com/apartment.h"

#include <atomic>

namespace com {

class CStaDispatchProxy final : public IDispatch {
public:
    // Takes one reference to sink.
    CStaDispatchProxy(IDispatch* sink, std::shared_ptr<sta_queue> sta, REFIID event_iid);

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                   VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    ~CStaDispatchProxy() = default;

    std::atomic<ULONG> refs_{1};
    IDispatch* sink_;
    std::shared_ptr<sta_queue> sta_;
    IID event_iid_;
};

} // namespace com
