#pragma once
// Counts a domain's users and enabled users over the management calls.

#include "collector/collector.h"
#include "collector/netapi/net_enumerator.h"

class users_collector final : public collector {
public:
    explicit users_collector(net_platform& platform = system_net_platform()) : m_enumerator(platform) {}

    // Pushes oxcUser, then oxcEnabledUser; one line when either failed.
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;

private:
    CNetEnumerator m_enumerator;
};
