// The management half of the collector counting a host that accepts TCP connections and never
// answers (a silent listener on the directory's and the file service's ports of a loopback
// address), as the wizard counts it once its LDAP bind has timed out: the address locates no
// controller, so every count fails at that lookup, and each line of the entry's error text names
// that reason (the workstations too, whose count meets the lookup's failure kept from before).
//
// Label addc: the lookups of the management calls follow smb.conf and resolv.conf, which only the
// test run's server environment keeps on loopback; outside it the test skips and looks nothing up.

#include "collector/ldap/ldap_directory_backend.h"
#include "collector/netapi/netapi_network_backend.h"

#include "engine_run.h"

#include "platform/com/runtime.h"
#include "platform/win32/text.h"
#include "tests/support/server_env.h"
#include "tests/support/silent_listener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kSilentHost = "127.0.0.91";
constexpr const char16_t* kSilentDomain = u"127.0.0.91";

class SilentHostCollectors : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        for (int port : {389, 445}) {
            auto listener = std::make_unique<ostrel::test::silent_listener>(kSilentHost, port);
            if (!listener->listening()) {
                if (ostrel::test::servers_required())
                    FAIL() << listener->failure();
                GTEST_SKIP() << listener->failure();
            }
            listeners.push_back(std::move(listener));
        }
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    }
    void TearDown() override
    {
        if (!IsSkipped() && listeners.size() == 2)
            CoUninitialize();
    }

    std::vector<std::unique_ptr<ostrel::test::silent_listener>> listeners;
};

TEST_F(SilentHostCollectors, EveryFailedCountNamesItsReason)
{
    const auto infos = netcol_test::collect_over(std::make_shared<netapi_network_backend>(), {kSilentDomain}, nullptr);
    ASSERT_EQ(infos.size(), 1u);
    const std::vector<std::u16string> lines = netcol_test::lines_of(infos[0].error);

    // Every line the management collectors write for a failed count, once each, in their order.
    static const std::u16string kPrefixes[] = {
        u"error while enumerating computers (domain controllers): ",
        u"error while enumerating computers (servers): ",
        u"error while enumerating computers (workstations): ",
        u"Error while enumerating users: ",
        u"Error while enumerating global groups: ",
        u"Error while enumerating local groups: ",
    };
    for (const std::u16string& prefix : kPrefixes) {
        SCOPED_TRACE(utf16_to_utf8(prefix));
        [&] { // an ASSERT ends this row only
            const auto line = std::find_if(lines.begin(), lines.end(),
                                           [&](const std::u16string& l) { return l.rfind(prefix, 0) == 0; });
            ASSERT_NE(line, lines.end()) << utf16_to_utf8(infos[0].error);
            // The host's address locates no controller: that is the reason of every count.
            EXPECT_EQ(line->substr(prefix.size()), u"Could not find domain controller for this domain.");
        }();
    }
    EXPECT_EQ(lines.size(), std::size(kPrefixes)) << utf16_to_utf8(infos[0].error);
}

// Counted as the module counts it, the LDAP bind first: the bind runs out of time on the silent
// directory port, and the entry's text says so before the management counts' lines.
TEST_F(SilentHostCollectors, TheBindsTimeOutIsNamedBeforeTheControllerLines)
{
    const auto infos = netcol_test::collect_over(std::make_shared<netapi_network_backend>(), {kSilentDomain}, nullptr,
                                                 std::make_shared<ldap_directory_backend>());
    ASSERT_EQ(infos.size(), 1u);
    const std::vector<std::u16string> lines = netcol_test::lines_of(infos[0].error);
    ASSERT_EQ(lines.size(), 7u) << utf16_to_utf8(infos[0].error);
    EXPECT_EQ(lines[0], u"error while connecting to LDAP server '127.0.0.91': This operation returned because the "
                        u"timeout period expired. (The server did not answer within 2 seconds)");
    for (std::size_t i = 1; i < lines.size(); ++i)
        EXPECT_NE(lines[i].find(u"Could not find domain controller for this domain."), std::u16string::npos)
            << utf16_to_utf8(lines[i]);
}

} // namespace
