// The LDAP collectors of one domain entry when the Samba DC goes away in the middle of a count:
// frozen (its processes stopped: the connection stays, nothing answers) or gone (the connection
// ends). Every count the outage cut short, and every later one of the entry, reads -1 with its
// line; the entry waits at most one operation timeout, which the test sets short (LDAPTIMEOUT,
// libldap's own setting) and counts in whole timeouts, not in seconds.

#include "tests/collector/ldap/interrupting_searcher.h"
#include "tests/support/dc_pause.h"
#include "tests/support/server_env.h"

#include "collector/collector_strings.h"
#include "collector/ldap/computers_collector_ad.h"
#include "collector/ldap/exchange_collector_ad.h"
#include "collector/ldap/groups_collector_ad.h"
#include "collector/ldap/users_collector_ad.h"
#include "collector/load_string.h"
#include "platform/ads/ldap_timeouts.h"
#include "platform/com/runtime.h"
#include "platform/win32/text.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using ldap_collectors_test::interrupting_searcher;
using ostrel::test::env;

// The user count reads this many rows before the outage: well inside it (the fixture has
// about a thousand users), after the first page.
constexpr int kRowsBeforeTheOutage = 150;

struct entry_outcome {
    std::map<oxcOstrelCounter, LONG> counts;
    std::vector<std::u16string> lines;
    int timeouts_waited = 0;
};

// Ends, as a server that went away would, the reading side of every connection of this process
// to the DC's LDAP port: libldap then reads the end of the connection.
void cut_ldap_connections()
{
    DIR* dir = opendir("/proc/self/fd");
    ASSERT_NE(dir, nullptr);
    int cut = 0;
    while (dirent* entry = readdir(dir)) {
        const int fd = std::atoi(entry->d_name);
        sockaddr_storage peer{};
        socklen_t size = sizeof peer;
        if (fd <= 2 || getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0 || peer.ss_family != AF_INET)
            continue;
        if (ntohs(reinterpret_cast<sockaddr_in*>(&peer)->sin_port) == 389 && shutdown(fd, SHUT_RD) == 0)
            ++cut;
    }
    closedir(dir);
    EXPECT_GT(cut, 0) << "no connection to the DC's LDAP port to cut";
}

std::vector<std::u16string> lines_of(const std::u16string& text)
{
    std::vector<std::u16string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find(u"\r\n", start);
        if (end == std::u16string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class DcOutageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        setenv("LDAPTLS_CACERT", (*env("SAMBA_DC_STATE") + "/private/tls/ca.pem").c_str(), 1);
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        // Injected by the test's environment, so that a frozen server costs seconds.
        ASSERT_LE(ads::configured_timeouts().operation, std::chrono::seconds(5)) << "LDAPTIMEOUT is not set short";
    }
    void TearDown() override { CoUninitialize(); }

    static std::u16string entry()
    {
        return utf8_to_utf16(*env("SAMBA_DC_FQDN") + "/" + *env("SAMBA_DC_ADMIN_BINDDN") + "/" +
                             *env("SAMBA_DC_ADMIN_PASSWORD"));
    }

    // One domain entry as the engine counts it: one searcher shared by the four LDAP
    // collectors, with `outage` run once the user count has read some rows.
    entry_outcome count_entry(const std::function<void()>& outage)
    {
        entry_outcome outcome;
        std::u16string error;
        IDirectorySearch* bound = collector_ad::Connect(entry(), error);
        EXPECT_NE(bound, nullptr) << utf16_to_utf8(error);
        if (bound == nullptr)
            return outcome;
        interrupting_searcher searcher(bound, kRowsBeforeTheOutage, outage);
        bound->Release();

        users_collector_ad users;
        computers_collector_ad computers;
        groups_collector_ad groups;
        exchange_collector_ad exchange;
        const auto start = std::chrono::steady_clock::now();
        const std::pair<const char*, collector_ad*> collectors[] = {
            {"users", &users}, {"computers", &computers}, {"groups", &groups}, {"exchange", &exchange}};
        for (const auto& [name, c] : collectors) {
            SCOPED_TRACE(name);
            c->Init(&searcher);
            collector::pairs pairs;
            EXPECT_FALSE(c->Collect(entry(), pairs, error));
            for (const auto& [counter, count] : pairs)
                outcome.counts[counter] = count;
            c->Init(nullptr);
        }
        const auto elapsed = std::chrono::steady_clock::now() - start;
        outcome.timeouts_waited = static_cast<int>(elapsed / ads::configured_timeouts().operation);
        outcome.lines = lines_of(error);
        EXPECT_GE(searcher.rows(), kRowsBeforeTheOutage);
        return outcome;
    }

    // Every count of the entry reads -1, each with its own line, all of one reason.
    static void expect_no_data_with_one_reason(const entry_outcome& outcome)
    {
        for (const auto& [counter, count] : outcome.counts)
            EXPECT_EQ(count, -1) << "counter " << counter << " kept a number";
        EXPECT_EQ(outcome.counts.size(), 16u);
        // 4 user, 4 computer, 3 group, 4 mail counts, and the Exchange server search's bare line.
        ASSERT_EQ(outcome.lines.size(), 16u);
        std::u16string user_filter;
        ASSERT_TRUE(utils::load_string(collector_strings::IDS_FILTER_USER, user_filter));
        const std::u16string prefix = u"error processing LDAP query '" + user_filter + u"': ";
        ASSERT_EQ(outcome.lines[0].rfind(prefix, 0), 0u) << utf16_to_utf8(outcome.lines[0]);
        const std::u16string reason = outcome.lines[0].substr(prefix.size());
        EXPECT_FALSE(reason.empty());
        for (const auto& line : outcome.lines) {
            ASSERT_GE(line.size(), reason.size());
            EXPECT_EQ(line.substr(line.size() - reason.size()), reason) << utf16_to_utf8(line);
        }
        EXPECT_EQ(outcome.lines.back(), reason) << "the Exchange server search adds the bare description";
    }
};

TEST_F(DcOutageTest, FrozenDcCostsOneTimeoutAndEveryCountReadsNoData)
{
    std::optional<ostrel::test::dc_pause> pause;
    const entry_outcome outcome = count_entry([&] {
        pause.emplace();
        ASSERT_TRUE(pause->paused()) << pause->why();
    });
    pause.reset(); // the DC answers again before anything else is asserted
    expect_no_data_with_one_reason(outcome);
    EXPECT_EQ(outcome.timeouts_waited, 1);
    EXPECT_NE(outcome.lines[0].find(u"timeout"), std::u16string::npos) << utf16_to_utf8(outcome.lines[0]);
}

TEST_F(DcOutageTest, LostConnectionFailsEveryCountAtOnce)
{
    const entry_outcome outcome = count_entry(cut_ldap_connections);
    expect_no_data_with_one_reason(outcome);
    EXPECT_EQ(outcome.timeouts_waited, 0);
}

TEST_F(DcOutageTest, TheNextEntryConnectsAfresh)
{
    // A dead connection is not kept for later entries: on a new worker thread (as each run
    // has) the domain is bound and counted again.
    count_entry(cut_ldap_connections);
    std::thread later([&] {
        std::u16string error;
        IDirectorySearch* bound = collector_ad::Connect(entry(), error);
        ASSERT_NE(bound, nullptr) << utf16_to_utf8(error);
        users_collector_ad users;
        users.Init(bound);
        bound->Release();
        collector::pairs pairs;
        EXPECT_TRUE(users.Collect(entry(), pairs, error)) << utf16_to_utf8(error);
        ASSERT_FALSE(pairs.empty());
        EXPECT_EQ(pairs.front().second, ostrel::test::dc_count("COUNT_USER"));
    });
    later.join();
}

} // namespace
