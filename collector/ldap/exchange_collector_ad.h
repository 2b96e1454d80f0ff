#pragma once
// Counts a domain's mail-enabled users, mailbox-enabled users, mail-enabled groups, contacts
// and Exchange servers over LDAP. An Exchange server object of the configuration partition
// counts when a computer of the same "cn" exists in the domain.

#include "collector/ldap/collector_ad.h"

class exchange_collector_ad final : public collector_ad {
public:
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;

private:
    // -1 after appending the bare description of a failed step; a failing per-server test
    // adds its own line and makes the count -1 too (the other servers are still tested).
    LONG CollectServers(const std::u16string& domain, std::u16string& error);
};
