#pragma once
// The network back end of the module: the table of management collectors for the names that
// do not answer an LDAP bind, the credentials of an entry for their calls, and the network's
// domain list.

#include "collector/netapi/net_platform.h"
#include "collector/network_backend.h"

class netapi_network_backend final : public network_backend {
public:
    // `platform` is what the collectors and the domain list call.
    explicit netapi_network_backend(net_platform& platform = system_net_platform());

    collector_table make_netapi_collectors() override;
    std::unique_ptr<network_credentials_scope> use_credentials(const std::u16string& user,
                                                               const std::u16string& password) override;
    // A fresh CNetEnumerator's domain list for each call.
    DWORD enumerate_domains(VARIANT* domains) override;

private:
    net_platform& m_platform;
};
