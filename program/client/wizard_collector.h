#pragma once
// What the wizard form uses of the statistics collector: the network's domains, a run over
// named entries, its cancel, and the two events. The form holds one for its whole life and
// detaches from its events before any of its widgets goes. The real one is the collector
// object created through the registry (CreateWizardCollector); tests may give their own.

#include "collector/ostrel_collector_lib.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

namespace program {

class WizardCollector {
public:
    using DomainCollectedHandler = std::function<void(const QString& sDomainName, const QString& ErrorString)>;
    using CollectionCompletedHandler = std::function<void(IOstrelInfoCollection* pInfos, const QString& ErrorString)>;

    virtual ~WizardCollector() = default;

    // The handlers that receive the events, on the UI thread; empty handlers detach (events
    // that still arrive are dropped).
    virtual void Advise(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed) = 0;
    // The names of the network's domains; raises forms::VbError on failure.
    virtual QStringList EnumerateNetwork() = 0;
    // Starts a run over `names` with the counters of `mask`; raises on failure.
    virtual void Collect(const QStringList& names, std::int32_t mask) = 0;
    // Stops a run and returns when it has ended; harmless when none runs.
    virtual void Cancel() = 0;
};

// The collector object created by class identifier, with its events connected. Raises
// forms::VbError (429 and the reason) when it cannot be created.
std::shared_ptr<WizardCollector> CreateWizardCollector();

} // namespace program
