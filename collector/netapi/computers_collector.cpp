#include "collector/netapi/computers_collector.h"

#include "collector/netapi/net_error_description.h"

bool computers_collector::Collect(const std::u16string& domain, pairs& result, std::u16string& error)
{
    result.clear();

    const LONG dc = CollectItem(SV_TYPE_DOMAIN_CTRL | SV_TYPE_DOMAIN_BAKCTRL, domain, error);
    result.emplace_back(oxcDC, dc);

    const LONG servers = CollectItem(SV_TYPE_SERVER_NT, domain, error);
    result.emplace_back(oxcServer, servers == -1 ? -1 : servers + (dc == -1 ? 0 : dc));

    const LONG all = CollectItem(SV_TYPE_ALL, domain, error);
    LONG workstations = all;
    if (all != -1) {
        if (servers != -1)
            workstations -= servers;
        if (dc != -1)
            workstations -= dc;
    }
    result.emplace_back(oxcWorkstation, workstations);

    return error.empty();
}

LONG computers_collector::CollectItem(DWORD server_type, const std::u16string& domain, std::u16string& error)
{
    const LONG count = m_enumerator.NetServerCount(domain, server_type);
    if (count == -1) {
        const char16_t* what = server_type == SV_TYPE_SERVER_NT ? u"servers"
                               : server_type == SV_TYPE_ALL     ? u"workstations"
                                                                : u"domain controllers";
        append_net_error_line(error, u"error while enumerating computers (" + std::u16string(what) + u"): ",
                              m_enumerator.GetLastError());
    }
    return count;
}
