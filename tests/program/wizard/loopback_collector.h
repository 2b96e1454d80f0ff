#pragma once
// The real collector without the network's enumeration, for runs that must ask nothing but
// the loopback addresses they name: the domain list starts empty.

#include "program/client/wizard_collector.h"

#include <memory>
#include <utility>

namespace program_test {

class LoopbackCollector : public program::WizardCollector {
public:
    explicit LoopbackCollector(std::shared_ptr<program::WizardCollector> real) : real_(std::move(real)) {}
    void Advise(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed) override
    {
        real_->Advise(std::move(domainCollected), std::move(completed));
    }
    QStringList EnumerateNetwork() override { return {}; }
    void Collect(const QStringList& names, std::int32_t mask) override { real_->Collect(names, mask); }
    void Cancel() override { real_->Cancel(); }

private:
    std::shared_ptr<program::WizardCollector> real_;
};

} // namespace program_test
