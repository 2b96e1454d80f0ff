#include "collector/ldap/ldap_collector_backend.h"

#include "collector/ldap/computers_collector_ad.h"
#include "collector/ldap/exchange5_collector.h"
#include "collector/ldap/exchange_collector_ad.h"
#include "collector/ldap/groups_collector_ad.h"
#include "collector/ldap/users_collector_ad.h"

namespace {

// The seam's Exchange 5.5 collector type, served by an exchange5_collector (which is an LDAP
// collector and so cannot also derive from the seam's type without two collector bases).
class exchange5_counter_ad final : public exchange5_counter {
public:
    explicit exchange5_counter_ad(IDirectorySearch* searcher) { m_collector.Init(searcher); }

    bool Collect(const std::u16string& domain, pairs& result, std::u16string& error) override
    {
        return m_collector.Collect(domain, result, error);
    }
    std::u16string GetOrganizationName(const std::u16string& server, std::u16string& error) override
    {
        return m_collector.GetOrganizationName(server, error);
    }

private:
    exchange5_collector m_collector;
};

// The searcher behind the seam's IUnknown (a reference the caller releases), or null.
IDirectorySearch* as_searcher(IUnknown* searcher)
{
    IDirectorySearch* result = nullptr;
    if (searcher == nullptr || FAILED(searcher->QueryInterface(&result)))
        return nullptr;
    return result;
}

} // namespace

ldap_collector_backend::ldap_collector_backend(std::shared_ptr<collector_backend> network)
    : m_network(network ? std::move(network) : make_empty_collector_backend())
{
}

collector_table ldap_collector_backend::make_netapi_collectors()
{
    return m_network->make_netapi_collectors();
}

collector_table ldap_collector_backend::make_ad_collectors()
{
    const auto computers = std::make_shared<computers_collector_ad>();
    const auto users = std::make_shared<users_collector_ad>();
    const auto groups = std::make_shared<groups_collector_ad>();
    const auto exchange = std::make_shared<exchange_collector_ad>();
    return {
        {oxcDC, computers},
        {oxcServer, computers},
        {oxcWorkstation, computers},
        {oxcUnknownComputerType, computers},
        {oxcUser, users},
        {oxcMSA, users},
        {oxcLyncEnabledUser, users},
        {oxcGlobalGroup, groups},
        {oxcLocalGroup, groups},
        {oxcUniversalGroup, groups},
        {oxcExchangeServer, exchange},
        {oxcMailEnabledUser, exchange},
        {oxcMailboxEnabledUser, exchange},
        {oxcMailEnabledGroup, exchange},
        {oxcContact, exchange},
    };
}

IUnknown* ldap_collector_backend::connect(const std::u16string& name, std::u16string& error)
{
    return collector_ad::Connect(name, error);
}

void ldap_collector_backend::init(collector& ad_collector, IUnknown* searcher)
{
    auto* target = dynamic_cast<collector_ad*>(&ad_collector);
    if (target == nullptr)
        return;
    IDirectorySearch* search = as_searcher(searcher);
    target->Init(search);
    if (search != nullptr)
        search->Release();
}

std::unique_ptr<exchange5_counter> ldap_collector_backend::make_exchange5_collector(IUnknown* searcher)
{
    IDirectorySearch* search = as_searcher(searcher);
    auto counter = std::make_unique<exchange5_counter_ad>(search);
    if (search != nullptr)
        search->Release();
    return counter;
}

DWORD ldap_collector_backend::enumerate_domains(VARIANT* domains)
{
    return m_network->enumerate_domains(domains);
}
