// The module's network back end: its table, its domain list, and an entry's credentials.

#include "collector/netapi/netapi_network_backend.h"

#include "collector/netapi/computers_collector.h"
#include "collector/netapi/groups_collector.h"
#include "collector/netapi/users_collector.h"
#include "fake_net_platform.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using netcol_test::fake_net_platform;

TEST(NetapiNetworkBackend, TableLeadsEachKindToOneSharedCollector)
{
    fake_net_platform net;
    netapi_network_backend backend(net);
    const collector_table table = backend.make_netapi_collectors();

    const auto computers = table.at(oxcDC);
    EXPECT_NE(std::dynamic_pointer_cast<computers_collector>(computers), nullptr);
    for (oxcOstrelCounter key : {oxcServer, oxcWorkstation, oxcUnknownComputerType}) {
        SCOPED_TRACE(key);
        EXPECT_EQ(table.at(key), computers);
    }
    EXPECT_NE(std::dynamic_pointer_cast<users_collector>(table.at(oxcUser)), nullptr);
    const auto groups = table.at(oxcGlobalGroup);
    EXPECT_NE(std::dynamic_pointer_cast<groups_collector>(groups), nullptr);
    EXPECT_EQ(table.at(oxcLocalGroup), groups);
    EXPECT_EQ(table.at(oxcUniversalGroup), groups);
    // Enabled users come with the user count; nothing counts the rest over management calls.
    for (oxcOstrelCounter key :
         {oxcEnabledUser, oxcMSA, oxcLyncEnabledUser, oxcExchangeServer, oxcContact, oxcExchange5Servers})
        EXPECT_EQ(table.count(key), 0u) << key;
    EXPECT_EQ(table.size(), 8u);
}

TEST(NetapiNetworkBackend, DomainListAndAnEntrysCredentials)
{
    fake_net_platform net;
    net.records = {{RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER, u"TEST"}};
    netapi_network_backend backend(net);

    VARIANT domains;
    VariantInit(&domains);
    ASSERT_EQ(backend.enumerate_domains(&domains), 0u);
    EXPECT_EQ(domains.vt, VT_ARRAY | VT_BSTR);
    VariantClear(&domains);
    EXPECT_EQ(net.open_handles, 0);

    // The credentials hold for as long as their scope lives, then the caller's own again.
    {
        const auto scope = backend.use_credentials(u"reader", u"Pa/55");
        EXPECT_EQ(net.credentials, std::vector<std::u16string>{u"reader:Pa/55"});
    }
    EXPECT_EQ(net.credentials, (std::vector<std::u16string>{u"reader:Pa/55", u""}));
}

} // namespace
