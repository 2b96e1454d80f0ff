#include "collector/ldap/computers_collector_ad.h"

#include "collector/collector_strings.h"

using namespace collector_strings;

bool computers_collector_ad::Collect(const std::u16string&, pairs& result, std::u16string& error)
{
    result.clear();
    const LONG controllers = CollectItemCount(load_filter(IDS_FILTER_DC), error);
    const LONG member_servers = CollectItemCount(load_filter(IDS_FILTER_SERVER), error);
    // Controllers are servers too; a failed controller count adds nothing, a failed server
    // count stays failed.
    LONG servers = member_servers;
    if (member_servers != -1 && controllers != -1)
        servers += controllers;
    result.emplace_back(oxcDC, controllers);
    result.emplace_back(oxcServer, servers);
    result.emplace_back(oxcWorkstation, CollectItemCount(load_filter(IDS_FILTER_WORKSTATION), error));
    result.emplace_back(oxcUnknownComputerType, CollectItemCount(load_filter(IDS_FILTER_UNKNOWN_COMPUTER), error));
    return error.empty();
}
