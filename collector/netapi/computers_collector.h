#pragma once
// Counts a domain's controllers, servers and workstations over the management calls.

#include "collector/collector.h"
#include "collector/netapi/net_enumerator.h"

class computers_collector final : public collector {
public:
    explicit computers_collector(net_platform& platform = system_net_platform()) : m_enumerator(platform) {}

    // Pushes oxcDC, oxcServer (servers that are no controllers, plus the controllers) and
    // oxcWorkstation (machine accounts less servers and controllers), in that order.
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;

private:
    LONG CollectItem(DWORD server_type, const std::u16string& domain, std::u16string& error);

    CNetEnumerator m_enumerator;
};
