#pragma once
// Counts the servers and mailboxes of an Exchange 5.5 organisation through the directory of
// one of its servers, and names the organisation whose entry that server's searcher is bound
// to.

#include "collector/ldap/collector_ad.h"

class exchange5_collector final : public collector_ad {
public:
    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override;

    // The "o" of the bound object when it is an organisation; empty otherwise. A failing
    // step appends its bare description to `error`. The server name is not consulted: the
    // searcher handed over with Init is bound to that server already.
    std::u16string GetOrganizationName(const std::u16string& server, std::u16string& error);
};
