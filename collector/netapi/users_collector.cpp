#include "collector/netapi/users_collector.h"

#include "collector/netapi/net_error_description.h"

bool users_collector::Collect(const std::u16string& domain, pairs& result, std::u16string& error)
{
    result.clear();
    LONG enabled = -1;
    const LONG users = m_enumerator.NetUserCount(domain, enabled);
    result.emplace_back(oxcUser, users);
    result.emplace_back(oxcEnabledUser, enabled);
    if (users == -1 || enabled == -1)
        append_net_error_line(error, u"Error while enumerating users: ", m_enumerator.GetLastError());
    return error.empty();
}
