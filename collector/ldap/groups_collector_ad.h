#pragma once
// Counts the global groups (universal ones included, as the bitwise-or rule on 10 finds both), domain-local groups and
// universal groups of a domain over LDAP.

#include "collector/ldap/collector_ad.h"

class groups_collector_ad final : public collector_ad {
public:
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;
};
