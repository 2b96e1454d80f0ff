#include "collector/netapi/netapi_network_backend.h"

#include "collector/netapi/computers_collector.h"
#include "collector/netapi/groups_collector.h"
#include "collector/netapi/net_enumerator.h"
#include "collector/netapi/users_collector.h"

namespace {

class platform_credentials_scope final : public network_credentials_scope {
public:
    platform_credentials_scope(net_platform& platform, const std::u16string& user, const std::u16string& password)
        : m_platform(platform)
    {
        m_platform.use_credentials(user.c_str(), password.c_str());
    }
    ~platform_credentials_scope() override { m_platform.use_credentials(nullptr, nullptr); }
    platform_credentials_scope(const platform_credentials_scope&) = delete;
    platform_credentials_scope& operator=(const platform_credentials_scope&) = delete;

private:
    net_platform& m_platform;
};

} // namespace

netapi_network_backend::netapi_network_backend(net_platform& platform) : m_platform(platform) {}

collector_table netapi_network_backend::make_netapi_collectors()
{
    const auto computers = std::make_shared<computers_collector>(m_platform);
    const auto users = std::make_shared<users_collector>(m_platform);
    const auto groups = std::make_shared<groups_collector>(m_platform);
    // Enabled users come with the user count. Unknown computers and universal groups lead to
    // the collector of their kind, which has no management count of them (they stay -1).
    return {
        {oxcDC, computers}, {oxcServer, computers},   {oxcWorkstation, computers}, {oxcUnknownComputerType, computers},
        {oxcUser, users},   {oxcGlobalGroup, groups}, {oxcLocalGroup, groups},     {oxcUniversalGroup, groups},
    };
}

std::unique_ptr<network_credentials_scope> netapi_network_backend::use_credentials(const std::u16string& user,
                                                                                   const std::u16string& password)
{
    return std::make_unique<platform_credentials_scope>(m_platform, user, password);
}

DWORD netapi_network_backend::enumerate_domains(VARIANT* domains)
{
    CNetEnumerator enumerator(m_platform);
    return enumerator.EnumerateDomains(domains);
}
