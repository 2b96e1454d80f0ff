#include "collector/ldap/groups_collector_ad.h"

#include "collector/collector_strings.h"

using namespace collector_strings;

bool groups_collector_ad::Collect(const std::u16string&, pairs& result, std::u16string& error)
{
    result.clear();
    result.emplace_back(oxcGlobalGroup, CollectItemCount(load_filter(IDS_FILTER_GLOBAL_GROUP), error));
    result.emplace_back(oxcLocalGroup, CollectItemCount(load_filter(IDS_FILTER_LOCAL_GROUP), error));
    result.emplace_back(oxcUniversalGroup, CollectItemCount(load_filter(IDS_FILTER_UNIVERSAL_GROUP), error));
    return error.empty();
}
