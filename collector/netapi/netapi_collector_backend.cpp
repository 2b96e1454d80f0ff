#include "collector/netapi/netapi_collector_backend.h"

#include "collector/netapi/computers_collector.h"
#include "collector/netapi/groups_collector.h"
#include "collector/netapi/net_enumerator.h"
#include "collector/netapi/users_collector.h"

netapi_collector_backend::netapi_collector_backend(std::shared_ptr<collector_backend> directory, net_platform& platform)
    : m_directory(directory ? std::move(directory) : make_empty_collector_backend()), m_platform(platform)
{
}

collector_table netapi_collector_backend::make_netapi_collectors()
{
    const auto computers = std::make_shared<computers_collector>(m_platform);
    const auto users = std::make_shared<users_collector>(m_platform);
    const auto groups = std::make_shared<groups_collector>(m_platform);
    // Enabled users come with the user count. Unknown computers and universal groups lead to
    // the collector of their kind, which has no management count of them (they stay -1).
    return {
        {oxcDC, computers},
        {oxcServer, computers},
        {oxcWorkstation, computers},
        {oxcUnknownComputerType, computers},
        {oxcUser, users},
        {oxcGlobalGroup, groups},
        {oxcLocalGroup, groups},
        {oxcUniversalGroup, groups},
    };
}

collector_table netapi_collector_backend::make_ad_collectors()
{
    return m_directory->make_ad_collectors();
}

IUnknown* netapi_collector_backend::connect(const std::u16string& name, std::u16string& error)
{
    return m_directory->connect(name, error);
}

void netapi_collector_backend::init(collector& ad_collector, IUnknown* searcher)
{
    m_directory->init(ad_collector, searcher);
}

std::unique_ptr<exchange5_counter> netapi_collector_backend::make_exchange5_collector(IUnknown* searcher)
{
    return m_directory->make_exchange5_collector(searcher);
}

DWORD netapi_collector_backend::enumerate_domains(VARIANT* domains)
{
    CNetEnumerator enumerator(m_platform);
    return enumerator.EnumerateDomains(domains);
}
