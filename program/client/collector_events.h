#pragma once
// CCollectorEvents: the program's receiver of the collector's events (the "WithEvents" of
// CCollector). It is a dispatch sink advised on the collector's connection point; the COM
// runtime delivers each call on the program's own thread, and the sink hands it to the
// callbacks. The runtime's templates give it its IUnknown (the COM map) and its IDispatch
// (late binding over the program's own description of the event interface, which converts
// the arguments); nothing escapes Invoke: a failing handler becomes a failing HRESULT.

#include "collector/ostrel_collector_lib.h"

#include "platform/com/atl/com_object.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/atl/dispatch_impl.h"

#include <QString>

#include <functional>

namespace program {

// The event interface as the program receives it: the members of _IOstrelCollectorEvents
// with their dispatch identifiers, bound to C++ members.
struct ICollectorEventsSink : IDispatch {
    virtual HRESULT CollectionCompleted(IOstrelInfoCollection* pInfos, BSTR ErrorString) = 0;
    virtual HRESULT DomainCollected(BSTR sDomainName, BSTR ErrorString) = 0;

protected:
    ~ICollectorEventsSink() = default;
};

// The program's own type library: the description that drives the sink's IDispatch.
inline constexpr GUID LIBID_OstrelProgram = com::make_guid("5B0E4F2C-8D4A-4C71-9E3B-2A6F1D7C9E40");

class CCollectorEventsBase
    : public CComObjectRootEx<CComSingleThreadModel>,
      public IDispatchImpl<ICollectorEventsSink, &DIID__IOstrelCollectorEvents, &LIBID_OstrelProgram> {
public:
    using DomainCollectedHandler = std::function<void(const QString& name, const QString& errorText)>;
    using CollectionCompletedHandler = std::function<void(IOstrelInfoCollection* infos, const QString& errorText)>;

    BEGIN_COM_MAP(CCollectorEventsBase)
    COM_INTERFACE_ENTRY_IID(DIID__IOstrelCollectorEvents, ICollectorEventsSink)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    HRESULT CollectionCompleted(IOstrelInfoCollection* pInfos, BSTR ErrorString) override;
    HRESULT DomainCollected(BSTR sDomainName, BSTR ErrorString) override;

    // Forwards the events to the handlers; empty handlers stop forwarding (calls that still
    // arrive are answered and dropped).
    void Forward(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed);

private:
    DomainCollectedHandler m_domainCollected;
    CollectionCompletedHandler m_completed;
};

using CCollectorEvents = CComObject<CCollectorEventsBase>;

// A new sink that forwards to the handlers.
CComPtr<CCollectorEvents> make_collector_events(CCollectorEventsBase::DomainCollectedHandler domainCollected,
                                                CCollectorEventsBase::CollectionCompletedHandler completed);

} // namespace program
