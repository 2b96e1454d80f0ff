#include "collector/ldap/users_collector_ad.h"

#include "collector/collector_strings.h"

using namespace collector_strings;

bool users_collector_ad::Collect(const std::u16string&, pairs& result, std::u16string& error)
{
    result.clear();
    result.emplace_back(oxcUser, CollectItemCount(load_filter(IDS_FILTER_USER), error));
    result.emplace_back(oxcEnabledUser, CollectItemCount(load_filter(IDS_FILTER_ENABLED_USER), error));
    result.emplace_back(oxcMSA, CollectItemCount(load_filter(IDS_FILTER_MSA), error));
    result.emplace_back(oxcLyncEnabledUser, CollectItemCount(load_filter(IDS_FILTER_LYNC_ENABLED_USER), error));
    return error.empty();
}
