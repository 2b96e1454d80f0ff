#pragma once
// COstrelCollector: the object a client drives. Forwards EnumerateNetwork, Collect and Cancel
// to the engine, implements the engine's callback, and raises the events. The module makes
// its objects over the back ends it made when it was loaded (module.cpp).

#include "collector/ostrel_collector_events_proxy.h"
#include "collector/ostrel_collector_impl.h"
#include "collector/ostrel_collector_lib.h"
#include "platform/com/atl/com_object.h"
#include "platform/com/atl/connection_point.h"
#include "platform/com/atl/dispatch_impl.h"
#include "platform/com/error_info.h"

class COstrelCollector : public COstrelCollectorImpl,
                         public COstrelCollectorImpl::collector_callback,
                         public CComObjectRootEx<CComMultiThreadModel>,
                         public ISupportErrorInfo,
                         public IConnectionPointContainerImpl<COstrelCollector>,
                         public IDispatchImpl<IOstrelCollector, &IID_IOstrelCollector, &LIBID_OSTRELCOLLECTORLib>,
                         public CProxy_IOstrelCollectorEvents<COstrelCollector>,
                         public CComCoClass<COstrelCollector, &CLSID_OstrelCollector> {
public:
    DECLARE_REGISTRY_RESOURCEID(101)

    COstrelCollector(std::shared_ptr<directory_backend> directory, std::shared_ptr<network_backend> network)
        : COstrelCollectorImpl(std::move(directory), std::move(network))
    {
    }

    BEGIN_COM_MAP(COstrelCollector)
    COM_INTERFACE_ENTRY(IOstrelCollector)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(ISupportErrorInfo)
    COM_INTERFACE_ENTRY(IConnectionPointContainer)
    END_COM_MAP()

    BEGIN_CONNECTION_POINT_MAP(COstrelCollector)
    CONNECTION_POINT_ENTRY(DIID__IOstrelCollectorEvents)
    END_CONNECTION_POINT_MAP()

    // The run is cancelled and its worker joined before the sink list and the lock go.
    void FinalRelease();

    // Hides the root's count so that CComObject's Release reaches it: a last release on the
    // worker thread, from inside an event, must not destroy the object under the event being
    // raised nor wait for its own thread. It is handed to the worker, which destroys the object
    // once its run has ended; every other last release destroys it at once, and FinalRelease
    // waits for the worker first.
    ULONG InternalRelease();

    HRESULT InterfaceSupportsErrorInfo(REFIID riid) override;
    HRESULT EnumerateNetwork(VARIANT* pDomains) override;
    HRESULT Collect(VARIANT* pDomains, oxcOstrelCounter flags) override;
    HRESULT Cancel() override;

    void DomainCollected(const std::u16string& name, const std::u16string& error) override;
    void CollectionComplete() override;
};
