// The LDAP collectors against OpenLDAP slapd (tests/fixtures/slapd): an Exchange 5.5-shaped
// organisation that only bound users may read, a reader whose searches hit a size limit
// part-way, and a directory without the domain's or Exchange's objects.

#include "tests/collector/ldap/engine_run.h"
#include "tests/support/server_env.h"
#include "tests/support/slapd_server.h"

#include "collector/ldap/exchange5_collector.h"
#include "collector/ldap/exchange_collector_ad.h"
#include "collector/ldap/get_ads_object.h"
#include "collector/ldap/ldap_directory_backend.h"
#include "collector/ldap/users_collector_ad.h"
#include "platform/com/runtime.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::unique_ptr<ostrel::test::slapd_server> g_server;
std::string g_start_error;

std::u16string u16(const std::string& text) { return utf8_to_utf16(text); }

class SlapdLdapCollectorsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { g_server = ostrel::test::start_trusted_slapd(g_start_error); }
    static void TearDownTestSuite() { g_server.reset(); }

    void SetUp() override
    {
        OSTREL_REQUIRE_SLAPD();
        ASSERT_TRUE(g_server) << g_start_error;
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    }
    void TearDown() override
    {
        if (searcher != nullptr)
            searcher->Release();
        CoUninitialize();
    }

    static std::u16string entry(const std::string& user_key = "SLAPD_READER_DN")
    {
        return u16(g_server->host_port() + "/" + g_server->var(user_key) + "/" +
                   g_server->var("SLAPD_READER_PASSWORD"));
    }

    void connect(const std::u16string& name)
    {
        std::u16string error;
        searcher = collector_ad::Connect(name, error);
        ASSERT_NE(searcher, nullptr) << utf16_to_utf8(error);
        EXPECT_EQ(error, u"");
    }

    template <class Collector>
    collector::pairs run(std::u16string& error)
    {
        Collector collector;
        collector.Init(searcher);
        collector::pairs pairs{{oxcDC, 5}};
        const bool ok = collector.Collect(entry(), pairs, error);
        EXPECT_EQ(ok, error.empty());
        return pairs;
    }

    IDirectorySearch* searcher = nullptr;
};

TEST_F(SlapdLdapCollectorsTest, OrganizationNameAndCounts)
{
    connect(entry());
    exchange5_collector collector;
    collector.Init(searcher);
    std::u16string error;
    EXPECT_EQ(collector.GetOrganizationName(u"ignored", error), u"Fixture Org");
    collector::pairs pairs;
    EXPECT_TRUE(collector.Collect(u"Fixture Org", pairs, error));
    const collector::pairs expected{{oxcExchange5Servers, g_server->count("SLAPD_COUNT_SERVERS")},
                                    {oxcExchange5Mailbox, g_server->count("SLAPD_COUNT_MAILBOXES")}};
    EXPECT_EQ(pairs, expected);
    EXPECT_EQ(error, u"");
}

TEST_F(SlapdLdapCollectorsTest, SizeLimitPartWayMakesTheCountNoDataBesideTheLine)
{
    connect(entry("SLAPD_LIMITED_DN"));
    std::u16string error;
    const collector::pairs pairs = run<exchange5_collector>(error);
    // The rows read before the limit (SLAPD_SIZE_LIMIT of them) are no count of the mailboxes.
    const collector::pairs expected{{oxcExchange5Servers, g_server->count("SLAPD_COUNT_SERVERS")},
                                    {oxcExchange5Mailbox, -1}};
    EXPECT_EQ(pairs, expected);
    EXPECT_EQ(error, u"error processing LDAP query '(objectClass=organizationalPerson)': "
                     u"The size limit for this request was exceeded.\r\n");
}

TEST_F(SlapdLdapCollectorsTest, BaseThatIsNoOrganizationHasNoName)
{
    ASSERT_TRUE(SUCCEEDED(GetADsObject(entry().c_str(), nullptr, u"ou=Site1,o=Fixture Org", IID_IDirectorySearch,
                                       reinterpret_cast<void**>(&searcher))));
    exchange5_collector collector;
    collector.Init(searcher);
    std::u16string error;
    EXPECT_EQ(collector.GetOrganizationName(u"ignored", error), u"");
    EXPECT_EQ(error, u"");
}

TEST_F(SlapdLdapCollectorsTest, AnonymousBindOfAClosedTreeFailsWithTheWholeName)
{
    // The tree refuses anonymous reads, so a bind with the caller's (anonymous) credentials
    // cannot read the bound object and fails.
    const std::u16string name = u16(g_server->host_port());
    std::u16string error;
    EXPECT_EQ(collector_ad::Connect(name, error), nullptr);
    EXPECT_EQ(error.rfind(u"error while connecting to LDAP server '" + name + u"': ", 0), 0u) << utf16_to_utf8(error);
}

TEST_F(SlapdLdapCollectorsTest, BackEndServesTheExchange5Road)
{
    ldap_directory_backend backend;
    std::u16string error;
    const CComPtr<IDirectorySearch> bound = backend.connect(entry(), error, bind_line::plain);
    ASSERT_NE(bound, nullptr) << utf16_to_utf8(error);
    const std::unique_ptr<exchange5_counter> counter = backend.make_exchange5_collector(bound);
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(counter->GetOrganizationName(entry(), error), u"Fixture Org");
    collector::pairs pairs;
    EXPECT_TRUE(counter->Collect(u"Fixture Org", pairs, error));
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[1], collector::pair(oxcExchange5Mailbox, g_server->count("SLAPD_COUNT_MAILBOXES")));
}

TEST_F(SlapdLdapCollectorsTest, DirectoryWithoutExchangeOrLyncRecordsWhatTheCountersGive)
{
    connect(entry());
    std::u16string error;
    const collector::pairs users = run<users_collector_ad>(error);
    const collector::pairs exchange = run<exchange_collector_ad>(error);
    const collector::pairs expected_users{{oxcUser, 0}, {oxcEnabledUser, 0}, {oxcMSA, 0}, {oxcLyncEnabledUser, 0}};
    EXPECT_EQ(users, expected_users);
    const collector::pairs expected_exchange{{oxcMailEnabledUser, 0},
                                             {oxcMailboxEnabledUser, 0},
                                             {oxcMailEnabledGroup, 0},
                                             {oxcContact, 0},
                                             {oxcExchangeServer, -1}};
    EXPECT_EQ(exchange, expected_exchange);
    // What a directory without that schema gives: every user, mail and Lync filter finds
    // nothing (0, no error); the Exchange server count fails at its first step, since the
    // rootDSE names no configuration partition, and adds the bare description.
    EXPECT_EQ(error, u"The directory property cannot be found in the cache.\r\n");
}

TEST_F(SlapdLdapCollectorsTest, EngineNamesTheOrganizationAndCountsIt)
{
    const auto infos = ldap_collectors_test::run_engine({entry(), u16(g_server->host_port())}, oxcExchange5);
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(infos[0].name, u"Fixture Org");
    EXPECT_EQ(infos[0].error, u"");
    EXPECT_EQ(infos[0].counts.at(oxcExchange5Servers), g_server->count("SLAPD_COUNT_SERVERS"));
    EXPECT_EQ(infos[0].counts.at(oxcExchange5Mailbox), g_server->count("SLAPD_COUNT_MAILBOXES"));
    // Anonymous: the bind fails and its line stays in the entry.
    EXPECT_EQ(infos[1].error.rfind(u"error while connecting to LDAP server '" + u16(g_server->host_port()) + u"': ", 0),
              0u);
}

} // namespace
