#pragma once
// The LDAP half of the module's default back end: the table for domains that answer an LDAP
// bind, the bind itself, and the Exchange 5.5 organisation collectors. The network-management
// half (its table and the domain list) is another back end's, which this one is given and
// forwards to.
//
// Composition: each half registers itself when the module is loaded by wrapping whatever back
// end is the default at that moment and forwarding the other half's calls to it:
//   set_default_collector_backend(std::make_shared<ldap_collector_backend>(default_collector_backend()));
// so the two halves compose into one default whichever of them registers first.

#include "collector/collector_backend.h"

#include <memory>

class ldap_collector_backend final : public collector_backend {
public:
    // `network` serves make_netapi_collectors and enumerate_domains; null: the empty back end.
    explicit ldap_collector_backend(std::shared_ptr<collector_backend> network);

    collector_table make_netapi_collectors() override;
    collector_table make_ad_collectors() override;
    IUnknown* connect(const std::u16string& name, std::u16string& error) override;
    void init(collector& ad_collector, IUnknown* searcher) override;
    std::unique_ptr<exchange5_counter> make_exchange5_collector(IUnknown* searcher) override;
    DWORD enumerate_domains(VARIANT* domains) override;

private:
    std::shared_ptr<collector_backend> m_network;
};
