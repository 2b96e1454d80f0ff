// The three management collectors over a scripted network: the arithmetic of the computer
// counts, the lines of failed counts and the contract of Collect.

#include "collector/netapi/computers_collector.h"
#include "collector/netapi/groups_collector.h"
#include "collector/netapi/users_collector.h"

#include "fake_net_platform.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using netcol_test::fake_net_platform;
using pairs = collector::pairs;

constexpr DWORD kControllers = SV_TYPE_DOMAIN_CTRL | SV_TYPE_DOMAIN_BAKCTRL;

class CounterCollectorsTest : public ::testing::Test {
protected:
    void SetUp() override { net.controllers[u"test.local"] = u"\\\\DC1"; }
    void TearDown() override { EXPECT_EQ(net.live_buffers(), 0u); }

    // Scripts one count: nullopt fails it with `failure`.
    void servers_of(DWORD type, std::optional<DWORD> total, NET_API_STATUS failure = ERROR_NO_BROWSER_SERVERS_FOUND)
    {
        net.servers[type] = total ? std::pair{NERR_Success, *total} : std::pair{failure, DWORD{0}};
    }

    fake_net_platform net;
};

struct computers_case {
    const char* what;
    std::optional<DWORD> dc, servers, all;
    LONG want_dc, want_servers, want_workstations;
};

class ComputersArithmetic : public CounterCollectorsTest, public ::testing::WithParamInterface<computers_case> {};

TEST_P(ComputersArithmetic, CombinesTheThreeCounts)
{
    const computers_case& c = GetParam();
    servers_of(kControllers, c.dc);
    servers_of(SV_TYPE_SERVER_NT, c.servers);
    if (c.all)
        net.display[2] = std::vector<DWORD>(*c.all, 0);
    else
        net.display_failure[2] = {1, ERROR_ACCESS_DENIED};
    computers_collector computers(net);
    pairs result{{oxcUser, 99}};
    std::u16string error;
    computers.Collect(u"test.local", result, error);
    EXPECT_EQ(result, (pairs{{oxcDC, c.want_dc}, {oxcServer, c.want_servers}, {oxcWorkstation, c.want_workstations}}));
}

INSTANTIATE_TEST_SUITE_P(Counts, ComputersArithmetic,
                         ::testing::Values(computers_case{"AllKnown", 2, 5, 40, 2, 7, 33},
                                           computers_case{"NoControllerCount", std::nullopt, 5, 40, -1, 5, 35},
                                           computers_case{"NoServerCount", 2, std::nullopt, 40, 2, -1, 38},
                                           computers_case{"NoMachineAccounts", 2, 5, std::nullopt, 2, 7, -1}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(CounterCollectorsTest, ControllerNotFoundGivesThreeLinesEachWithTheReason)
{
    computers_collector computers(net);
    pairs result;
    std::u16string error;
    EXPECT_FALSE(computers.Collect(u"nosuch.invalid", result, error));
    EXPECT_EQ(result, (pairs{{oxcDC, -1}, {oxcServer, -1}, {oxcWorkstation, -1}}));
    EXPECT_EQ(error,
              u"error while enumerating computers (domain controllers): Could not find domain controller for this "
              u"domain.\r\n"
              u"error while enumerating computers (servers): Could not find domain controller for this domain.\r\n"
              u"error while enumerating computers (workstations): Could not find domain controller for this "
              u"domain.\r\n");
    EXPECT_EQ(net.dc_lookups.size(), 1u);
}

TEST_F(CounterCollectorsTest, ServersLineCarriesTheBrowseListText)
{
    servers_of(kControllers, 1);
    servers_of(SV_TYPE_SERVER_NT, std::nullopt, ERROR_NO_BROWSER_SERVERS_FOUND);
    net.display[2] = std::vector<DWORD>(10, 0);
    computers_collector computers(net);
    pairs result;
    std::u16string error;
    EXPECT_FALSE(computers.Collect(u"test.local", result, error));
    EXPECT_EQ(error, u"error while enumerating computers (servers): The list of servers for this workgroup is not "
                     u"currently available\r\n");
}

TEST_F(CounterCollectorsTest, FailingUserEnumerationGivesMinusOneTwiceAndOneLine)
{
    net.display[1] = std::vector<DWORD>(150, 0);
    net.display_failure[1] = {2, ERROR_ACCESS_DENIED};
    users_collector users(net);
    pairs result;
    std::u16string error;
    EXPECT_FALSE(users.Collect(u"test.local", result, error));
    EXPECT_EQ(result, (pairs{{oxcUser, -1}, {oxcEnabledUser, -1}}));
    EXPECT_EQ(error, u"Error while enumerating users: Access is denied.\r\n");
}

TEST_F(CounterCollectorsTest, UsersAndEnabledUsers)
{
    net.display[1] = {0, UF_ACCOUNTDISABLE, 0};
    users_collector users(net);
    pairs result;
    std::u16string error;
    EXPECT_TRUE(users.Collect(u"test.local", result, error));
    EXPECT_EQ(result, (pairs{{oxcUser, 3}, {oxcEnabledUser, 2}}));
    EXPECT_TRUE(error.empty());
}

TEST_F(CounterCollectorsTest, GroupsFailEachWithItsOwnLine)
{
    net.display[3] = std::vector<DWORD>(22, 0);
    net.local_groups = 31;
    groups_collector groups(net);
    pairs result;
    std::u16string error;
    EXPECT_TRUE(groups.Collect(u"test.local", result, error));
    EXPECT_EQ(result, (pairs{{oxcGlobalGroup, 22}, {oxcLocalGroup, 31}}));

    net.display_failure[3] = {2, ERROR_ACCESS_DENIED}; // the next call of level 3
    net.local_failure_call = 2;
    net.local_failure_code = ERROR_BAD_NETPATH;
    EXPECT_FALSE(groups.Collect(u"test.local", result, error));
    EXPECT_EQ(result, (pairs{{oxcGlobalGroup, -1}, {oxcLocalGroup, -1}}));
    EXPECT_EQ(error, u"Error while enumerating global groups: Access is denied.\r\n"
                     u"Error while enumerating local groups: The network path was not found.\r\n");
}

TEST_F(CounterCollectorsTest, AnErrorTextThatHoldsALineMakesCollectFalseAndIsKept)
{
    net.display[1] = {0};
    users_collector users(net);
    pairs result;
    std::u16string error = u"earlier line\r\n";
    EXPECT_FALSE(users.Collect(u"test.local", result, error));
    EXPECT_EQ(result, (pairs{{oxcUser, 1}, {oxcEnabledUser, 1}}));
    EXPECT_EQ(error, u"earlier line\r\n");
}

} // namespace
