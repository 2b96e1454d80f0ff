#pragma once
// Counts a domain's global and local groups over the management calls.

#include "collector/collector.h"
#include "collector/netapi/net_enumerator.h"

class groups_collector final : public collector {
public:
    explicit groups_collector(net_platform& platform = system_net_platform()) : m_enumerator(platform) {}

    // Pushes oxcGlobalGroup, then oxcLocalGroup; one line for each that failed.
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;

private:
    CNetEnumerator m_enumerator;
};
