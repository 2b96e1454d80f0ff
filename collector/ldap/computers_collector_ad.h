#pragma once
// Counts the domain controllers, servers that are no domain controllers (reported with the controllers added),
// workstations and computers without an operating system of a domain over LDAP.

#include "collector/ldap/collector_ad.h"

class computers_collector_ad final : public collector_ad {
public:
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;
};
