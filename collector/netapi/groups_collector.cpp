#include "collector/netapi/groups_collector.h"

#include "collector/netapi/net_error_description.h"

bool groups_collector::Collect(const std::u16string& domain, pairs& result, std::u16string& error)
{
    result.clear();

    const LONG global = m_enumerator.NetGroupCount(domain, false);
    result.emplace_back(oxcGlobalGroup, global);
    if (global == -1)
        append_net_error_line(error, u"Error while enumerating global groups: ", m_enumerator.GetLastError());

    const LONG local = m_enumerator.NetGroupCount(domain, true);
    result.emplace_back(oxcLocalGroup, local);
    if (local == -1)
        append_net_error_line(error, u"Error while enumerating local groups: ", m_enumerator.GetLastError());

    return error.empty();
}
