#include "program/client/wizard_collector.h"

#include "program/client/collector_calls.h"
#include "program/client/collector_events.h"
#include "program/client/com_error.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/connection_points.h"
#include "platform/com/runtime.h"
#include "platform/com/variant.h"
#include "platform/forms/core/vb_error.h"

namespace program {

namespace {

// The collector object with the program's sink advised on its event interface. The COM
// runtime delivers the events through the UI thread's apartment queue, so the handlers run
// on the UI thread. Releasing it cancels a run and waits for the collector's worker.
class ComWizardCollector final : public WizardCollector {
public:
    ComWizardCollector()
    {
        program::check(CoCreateInstance(CLSID_OstrelCollector, nullptr, CLSCTX_INPROC_SERVER,
                                        com::uuidof<IOstrelCollector>(), reinterpret_cast<void**>(&m_oxc)));
        CComPtr<IConnectionPointContainer> container;
        program::check(m_oxc.QueryInterface(&container));
        program::check(container->FindConnectionPoint(com::uuidof<_IOstrelCollectorEvents>(), &m_point));
        m_events = make_collector_events(nullptr, nullptr);
        if (!m_events)
            forms::raise(forms::vberr::OutOfMemory);
        program::check(m_point->Advise(m_events->GetUnknown(), &m_cookie));
        m_calls = program::collector_calls(m_oxc);
    }
    ~ComWizardCollector() override
    {
        m_events->Forward(nullptr, nullptr);
        m_point->Unadvise(m_cookie);
        // Cancel returns when the worker has ended, so no thread of the collector outlives us.
        m_oxc->Cancel();
    }
    ComWizardCollector(const ComWizardCollector&) = delete;
    ComWizardCollector& operator=(const ComWizardCollector&) = delete;

    void Advise(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed) override
    {
        m_events->Forward(std::move(domainCollected), std::move(completed));
    }
    QStringList EnumerateNetwork() override
    {
        CComVariant names;
        program::check(m_oxc->EnumerateNetwork(&names));
        return program::names_of(names);
    }
    void Collect(const QStringList& names, std::int32_t mask) override { m_calls.collect(names, mask); }
    void Cancel() override { m_calls.cancel(); }

private:
    CComPtr<IOstrelCollector> m_oxc;
    CComPtr<IConnectionPoint> m_point;
    CComPtr<CCollectorEvents> m_events;
    DWORD m_cookie = 0;
    program::CollectorCalls m_calls;
};

} // namespace

std::shared_ptr<WizardCollector> CreateWizardCollector() { return std::make_shared<ComWizardCollector>(); }

} // namespace program
