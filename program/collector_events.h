#pragma once
// CCollectorEvents: the program's receiver of the collector's events (the "WithEvents" of
// CCollector). It is a dispatch sink advised on the collector's connection point; the COM
// runtime delivers each call on the program's own thread, and the sink hands it to the
// callbacks. Nothing escapes Invoke: a failing handler becomes a failing HRESULT.

#include "collector/ostrel_collector_lib.h"

#include <QString>

#include <atomic>
#include <functional>

class CCollectorEvents final : public _IOstrelCollectorEvents {
public:
    using DomainCollectedHandler = std::function<void(const QString& name, const QString& errorText)>;
    using CollectionCompletedHandler = std::function<void(IOstrelInfoCollection* infos, const QString& errorText)>;

    // A new sink with one reference held by the caller.
    static CCollectorEvents* Create(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed);

    // Stops forwarding: calls that still arrive are answered and dropped.
    void Detach();

    HRESULT QueryInterface(REFIID riid, void** ppv) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                   VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    CCollectorEvents(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed);
    ~CCollectorEvents() = default;

    std::atomic<ULONG> m_refs{1};
    DomainCollectedHandler m_domainCollected;
    CollectionCompletedHandler m_completed;
};
