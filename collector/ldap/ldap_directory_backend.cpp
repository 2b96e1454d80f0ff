#include "collector/ldap/ldap_directory_backend.h"

#include "collector/ldap/computers_collector_ad.h"
#include "collector/ldap/exchange5_collector.h"
#include "collector/ldap/exchange_collector_ad.h"
#include "collector/ldap/groups_collector_ad.h"
#include "collector/ldap/users_collector_ad.h"
#include "platform/ads/ads_last_error.h"
#include "platform/win32/win_errors.h"

namespace {

// The engine's Exchange 5.5 collector type, served by an exchange5_collector (which is an
// LDAP collector and so cannot also derive from the engine's type without two collector bases).
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

} // namespace

CComPtr<IDirectorySearch> ldap_directory_backend::connect(const std::u16string& name, std::u16string& error,
                                                          bind_line line)
{
    CComPtr<IDirectorySearch> searcher;
    searcher.Attach(collector_ad::Connect(name, error, line == bind_line::with_reason));
    return searcher;
}

bool ldap_directory_backend::bind_timed_out() const
{
    // The directory layer's last error is the thread's own and still the failed bind's.
    DWORD code = 0;
    return SUCCEEDED(ADsGetLastError(&code, nullptr, 0, nullptr, 0)) && code == ERROR_TIMEOUT;
}

directory_collector_table ldap_directory_backend::make_ad_collectors()
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

std::unique_ptr<exchange5_counter> ldap_directory_backend::make_exchange5_collector(IDirectorySearch* searcher)
{
    return std::make_unique<exchange5_counter_ad>(searcher);
}
