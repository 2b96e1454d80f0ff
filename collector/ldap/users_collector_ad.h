#pragma once
// Counts the users, enabled users, managed service accounts and Lync-enabled users of a domain over LDAP.

#include "collector/ldap/collector_ad.h"

class users_collector_ad final : public collector_ad {
public:
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;
};
