// The directory layer against a server that misbehaves on purpose (tests/fixtures/hostile-ldap,
// on a loopback address): a message announced at 2 GB, a paging cookie handed back for ever, more
// pages than any count takes. Each ends the search at once with a failure that names the bound
// it broke, never with a count, and without holding what the server announced.

#include "tests/platform/ads/directory_count.h"
#include "tests/support/hostile_ldap_server.h"

#include "platform/ads/ldap_bounds.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ostream>
#include <sys/resource.h>
#include <thread>

using namespace ads_test;
using ostrel::test::hostile_ldap_server;

namespace {

constexpr const char* kAddress = "127.0.0.71";

hostile_ldap_server::options serving(const char* mode, int entries_per_page = 0)
{
    hostile_ldap_server::options how;
    how.mode = mode;
    how.address = kAddress;
    how.entries_per_page = entries_per_page;
    return how;
}

struct hostile_case {
    const char* name;
    hostile_ldap_server::options server;
    const char* reason; // in the last error's text
    long max_pages;     // the most page requests the server may have seen
    // Whether the server announces a message over the bound, which must never be held. (The
    // many small pages of the endless search are no such message, and under AddressSanitizer
    // their freed memory stays in its quarantine, so their resident size says nothing.)
    bool announces_huge_message = false;
};

void PrintTo(const hostile_case& c, std::ostream* os) { *os << c.name; }

class HostileServerSearch : public ::testing::TestWithParam<hostile_case> {};

// No ticket of the machine's user: the bind without credentials stays anonymous and asks no
// key distribution centre.
const bool g_no_ticket = setenv("KRB5CCNAME", "MEMORY:ostrel-no-ticket", 1) == 0;

long resident_kib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_P(HostileServerSearch, EndsTheCountWithTheBoundItBroke)
{
    ASSERT_TRUE(g_no_ticket);
    const hostile_case& c = GetParam();
    std::string error;
    const auto server = hostile_ldap_server::start(c.server, error);
    ASSERT_TRUE(server) << error;

    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(u16("LDAP://" + server->host_port()), nullptr, nullptr, searcher), S_OK) << last_error_text();

    const long resident_before = resident_kib();
    const auto started = std::chrono::steady_clock::now();
    const count_result result = count_rows(searcher, u"(objectClass=Computer)");
    const auto took = std::chrono::steady_clock::now() - started;

    EXPECT_EQ(result.start, S_OK);
    EXPECT_EQ(result.end, HRESULT_FROM_WIN32(ads::kRefusedAnswerCode)) << last_error_text();
    EXPECT_NE(last_error_text().find(c.reason), std::string::npos) << last_error_text();
    searcher.Release(); // the server counts a client's searches when it leaves
    for (int wait = 0; wait < 50 && server->searches() < 1; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_LE(server->searches(), c.max_pages);
    // Refused as it came, not after the operation timeout (LDAPTIMEOUT of this test).
    EXPECT_LT(took, std::chrono::seconds(30));
    if (c.announces_huge_message) {
        EXPECT_LT(resident_kib() - resident_before, 64 * 1024) << "the announced message was held";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, HostileServerSearch,
    ::testing::Values(hostile_case{"HugeMessage", serving("huge-message"), "larger than 16 MiB", 1, true},
                      hostile_case{"RepeatedCookieWithoutEntries", serving("repeat-cookie"), "same paging cookie", 2},
                      hostile_case{"EndlessPages", serving("endless-pages", 1), "after 100000 pages", ads::kMaxPages}),
    [](const ::testing::TestParamInfo<hostile_case>& info) { return std::string(info.param.name); });

// A message over the bound kills the connection: the next search over the same object fails at
// once with the same reason instead of reading the rest of the 2 GB.
TEST(HostileServerSession, AMessageOverTheBoundLeavesTheConnectionDead)
{
    std::string error;
    const auto server = hostile_ldap_server::start(serving("huge-message"), error);
    ASSERT_TRUE(server) << error;
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(u16("LDAP://" + server->host_port()), nullptr, nullptr, searcher), S_OK) << last_error_text();
    ASSERT_EQ(count_rows(searcher, u"(objectClass=*)").end, HRESULT_FROM_WIN32(ads::kRefusedAnswerCode));

    const count_result again = count_rows(searcher, u"(objectClass=*)");
    const HRESULT failed = FAILED(again.start) ? again.start : again.end;
    EXPECT_EQ(failed, HRESULT_FROM_WIN32(ads::kRefusedAnswerCode));
    EXPECT_NE(last_error_text().find("larger than 16 MiB"), std::string::npos) << last_error_text();
    EXPECT_EQ(server->searches(), 1);
}

} // namespace
