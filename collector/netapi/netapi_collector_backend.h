#pragma once
// The network-management half of the module's default back end: the table for domains that
// do not answer an LDAP bind, and the network's domain list. The LDAP half (the other table,
// the bind, the Exchange 5.5 collectors) is another back end's, which this one is given and
// forwards to.
//
// Composition: each half registers itself when the module is loaded by wrapping whatever back
// end is the default at that moment and forwarding the other half's calls to it:
//   set_default_collector_backend(std::make_shared<netapi_collector_backend>(default_collector_backend()));
// so the two halves compose into one default whichever of them registers first.

#include "collector/collector_backend.h"
#include "collector/netapi/net_platform.h"

#include <memory>

class netapi_collector_backend final : public collector_backend {
public:
    // `directory` serves make_ad_collectors, connect, init and make_exchange5_collector; null:
    // the empty back end. `platform` is what the collectors and the domain list call.
    explicit netapi_collector_backend(std::shared_ptr<collector_backend> directory,
                                      net_platform& platform = system_net_platform());

    collector_table make_netapi_collectors() override;
    collector_table make_ad_collectors() override;
    IUnknown* connect(const std::u16string& name, std::u16string& error) override;
    void init(collector& ad_collector, IUnknown* searcher) override;
    std::unique_ptr<exchange5_counter> make_exchange5_collector(IUnknown* searcher) override;
    // A fresh CNetEnumerator's domain list for each call.
    DWORD enumerate_domains(VARIANT* domains) override;

private:
    std::shared_ptr<collector_backend> m_directory;
    net_platform& m_platform;
};
