// The LDAP collectors against the Samba AD domain controller of the test run: every counter
// against the counts the fixture derived from the population it created.

#include "tests/collector/ldap/engine_run.h"
#include "tests/support/server_env.h"

#include "collector/ldap/computers_collector_ad.h"
#include "collector/ldap/exchange_collector_ad.h"
#include "collector/ldap/groups_collector_ad.h"
#include "collector/ldap/ldap_directory_backend.h"
#include "collector/ldap/users_collector_ad.h"
#include "platform/com/runtime.h"
#include "platform/win32/text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using ostrel::test::dc_count;
using ostrel::test::dc_fixture;
using ostrel::test::env;

std::u16string u16(const std::string& text) { return utf8_to_utf16(text); }

class SambaLdapCollectorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        // The password travels only inside TLS: trust the DC's own CA.
        setenv("LDAPTLS_CACERT", (*env("SAMBA_DC_STATE") + "/private/tls/ca.pem").c_str(), 1);
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    }
    void TearDown() override
    {
        if (searcher != nullptr)
            searcher->Release();
        CoUninitialize();
    }

    // The domain as a collector entry: the DC's name with the administrator's credentials,
    // as the fixture counted. (The fixture's reader account does not see the Exchange server
    // objects of the configuration partition: their class grants plain users no read.)
    static std::u16string entry()
    {
        return u16(*env("SAMBA_DC_FQDN") + "/" + *env("SAMBA_DC_ADMIN_BINDDN") + "/" + *env("SAMBA_DC_ADMIN_PASSWORD"));
    }

    void connect()
    {
        std::u16string error;
        searcher = collector_ad::Connect(entry(), error);
        ASSERT_NE(searcher, nullptr) << utf16_to_utf8(error);
        EXPECT_TRUE(error.empty());
    }

    template <class Collector>
    std::map<oxcOstrelCounter, LONG> run(std::u16string& error)
    {
        Collector collector;
        collector.Init(searcher);
        collector::pairs pairs;
        const bool ok = collector.Collect(entry(), pairs, error);
        EXPECT_EQ(ok, error.empty());
        std::map<oxcOstrelCounter, LONG> counts;
        for (const auto& [counter, count] : pairs)
            counts[counter] = count;
        EXPECT_EQ(counts.size(), pairs.size()) << "a counter pushed twice";
        return counts;
    }

    IDirectorySearch* searcher = nullptr;
};

TEST_F(SambaLdapCollectorsTest, ComputersMatchThePopulation)
{
    connect();
    std::u16string error;
    const auto counts = run<computers_collector_ad>(error);
    EXPECT_EQ(error, u"");
    const std::map<oxcOstrelCounter, LONG> expected{
        {oxcDC, dc_count("COUNT_DC")},
        {oxcServer, dc_count("COUNT_SERVER") + dc_count("COUNT_DC")}, // controllers are servers too
        {oxcWorkstation, dc_count("COUNT_WORKSTATION")},
        {oxcUnknownComputerType, dc_count("COUNT_UNKNOWN_COMPUTER")},
    };
    EXPECT_EQ(counts, expected);
}

TEST_F(SambaLdapCollectorsTest, UsersMatchThePopulation)
{
    connect();
    std::u16string error;
    const auto counts = run<users_collector_ad>(error);
    EXPECT_EQ(error, u"");
    const std::map<oxcOstrelCounter, LONG> expected{
        {oxcUser, dc_count("COUNT_USER")},
        {oxcEnabledUser, dc_count("COUNT_ENABLED_USER")},
        {oxcMSA, dc_count("COUNT_MSA")},
        {oxcLyncEnabledUser, dc_count("COUNT_LYNC_ENABLED_USER")},
    };
    EXPECT_EQ(counts, expected);
}

TEST_F(SambaLdapCollectorsTest, GroupsMatchThePopulation)
{
    connect();
    std::u16string error;
    const auto counts = run<groups_collector_ad>(error);
    EXPECT_EQ(error, u"");
    const std::map<oxcOstrelCounter, LONG> expected{
        {oxcGlobalGroup, dc_count("COUNT_GLOBAL_GROUP")}, // universal groups included
        {oxcLocalGroup, dc_count("COUNT_LOCAL_GROUP")},
        {oxcUniversalGroup, dc_count("COUNT_UNIVERSAL_GROUP")},
    };
    EXPECT_EQ(counts, expected);
}

TEST_F(SambaLdapCollectorsTest, ExchangeCountsMatchThePopulation)
{
    connect();
    std::u16string error;
    const auto counts = run<exchange_collector_ad>(error);
    EXPECT_EQ(error, u"");
    const std::map<oxcOstrelCounter, LONG> expected{
        {oxcMailEnabledUser, dc_count("COUNT_MAIL_ENABLED_USER")},
        {oxcMailboxEnabledUser, dc_count("COUNT_MAILBOX_ENABLED_USER")},
        {oxcMailEnabledGroup, dc_count("COUNT_MAIL_ENABLED_GROUP")},
        {oxcContact, dc_count("COUNT_CONTACT")},
        // EXCH3 has no computer account in the domain.
        {oxcExchangeServer, dc_count("FIXTURE_EXCHANGE_SERVERS_WITH_COMPUTER")},
    };
    EXPECT_EQ(counts, expected);
}

// Exchange server objects of this test's own, whose names are filter syntax, for the time of
// one test: added with ldapadd as the administrator and removed again however the test ends.
class temporary_exchange_servers {
public:
    explicit temporary_exchange_servers(std::vector<std::string> names) : names_(std::move(names))
    {
        const std::string ldif = std::string(std::getenv("SAMBA_DC_STATE")) + "/ldapcol-escape-test.ldif";
        std::ofstream out(ldif);
        out << "dn: " << container() << "\nobjectClass: container\n\n";
        for (const auto& name : names_)
            out << "dn: CN=" << name << "," << container() << "\nobjectClass: msExchExchangeServer\n\n";
        out.close();
        remove();
        added_ = std::system((tool("ldapadd") + " -f " + ldif + " >/dev/null").c_str()) == 0;
        std::remove(ldif.c_str());
    }
    ~temporary_exchange_servers() { remove(); }
    bool added() const { return added_; }

private:
    static std::string container() { return "CN=ldapcol-escape-test,CN=Services," + *env("SAMBA_DC_CONFIGDN"); }
    static std::string tool(const std::string& name)
    {
        return name + " -x -H " + *env("SAMBA_DC_URI") + " -D " + *env("SAMBA_DC_ADMIN_BINDDN") + " -w " +
               *env("SAMBA_DC_ADMIN_PASSWORD");
    }
    void remove() const
    {
        const int ignored = std::system((tool("ldapdelete") + " -r '" + container() + "' >/dev/null 2>&1").c_str());
        (void)ignored;
    }

    std::vector<std::string> names_;
    bool added_ = false;
};

TEST_F(SambaLdapCollectorsTest, ExchangeServerNamesAreFilterValuesNotFilterSyntax)
{
    // Unescaped, "EXCH*" would find the computers EXCH1 and EXCH2 and count once more, and
    // "EX(1)" would make the per-server filter malformed and add an error line.
    const temporary_exchange_servers servers({"EXCH*", "EX(1)", "EX\\5c"});
    ASSERT_TRUE(servers.added());
    connect();
    std::u16string error;
    const auto counts = run<exchange_collector_ad>(error);
    EXPECT_EQ(error, u"");
    EXPECT_EQ(counts.at(oxcExchangeServer), dc_count("FIXTURE_EXCHANGE_SERVERS_WITH_COMPUTER"));
}

TEST_F(SambaLdapCollectorsTest, FailedBindLineNamesTheEntryWithoutItsPassword)
{
    std::u16string error = u"before\r\n";
    const std::u16string shown = u16(*env("SAMBA_DC_FQDN") + "/" + dc_fixture().at("FIXTURE_READER_UPN"));
    EXPECT_EQ(collector_ad::Connect(shown + u"/Wrong-Pa55word", error), nullptr);
    EXPECT_EQ(error.find(u"Wrong-Pa55word"), std::u16string::npos) << utf16_to_utf8(error);
    const std::u16string prefix = u"before\r\nerror while connecting to LDAP server '" + shown + u"': ";
    ASSERT_EQ(error.rfind(prefix, 0), 0u) << utf16_to_utf8(error);
    EXPECT_GT(error.size(), prefix.size() + 2);
    EXPECT_EQ(error.substr(error.size() - 2), u"\r\n");
    EXPECT_EQ(error.find(u"\r\n", 8), error.size() - 2) << "one line per failure";
}

TEST_F(SambaLdapCollectorsTest, BackEndTablesShareOneCollectorPerKind)
{
    ldap_directory_backend backend;
    const directory_collector_table table = backend.make_ad_collectors();
    EXPECT_EQ(table.count(oxcEnabledUser), 0u);
    EXPECT_EQ(table.at(oxcDC), table.at(oxcUnknownComputerType));
    EXPECT_EQ(table.at(oxcUser), table.at(oxcLyncEnabledUser));
    EXPECT_EQ(table.at(oxcGlobalGroup), table.at(oxcUniversalGroup));
    EXPECT_EQ(table.at(oxcContact), table.at(oxcExchangeServer));

    // The bind hands one searcher to the table's collectors.
    std::u16string error;
    const CComPtr<IDirectorySearch> bound = backend.connect(entry(), error, bind_line::plain);
    ASSERT_NE(bound, nullptr) << utf16_to_utf8(error);
    table.at(oxcUser)->Init(bound);
    collector::pairs pairs;
    table.at(oxcUser)->Collect(entry(), pairs, error);
    ASSERT_FALSE(pairs.empty());
    EXPECT_EQ(pairs.front(), collector::pair(oxcUser, dc_count("COUNT_USER")));
    EXPECT_EQ(error, u"");
}

TEST_F(SambaLdapCollectorsTest, EngineCountsTheDomainOverLdap)
{
    const auto infos = ldap_collectors_test::run_engine({entry()}, oxcNetwork);
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(infos[0].error, u"");
    const std::map<oxcOstrelCounter, LONG> expected{
        {oxcDC, dc_count("COUNT_DC")},
        {oxcServer, dc_count("COUNT_SERVER") + dc_count("COUNT_DC")},
        {oxcWorkstation, dc_count("COUNT_WORKSTATION")},
        {oxcUnknownComputerType, dc_count("COUNT_UNKNOWN_COMPUTER")},
        {oxcUser, dc_count("COUNT_USER")},
        {oxcEnabledUser, dc_count("COUNT_ENABLED_USER")},
        {oxcMSA, dc_count("COUNT_MSA")},
        {oxcLyncEnabledUser, dc_count("COUNT_LYNC_ENABLED_USER")}, // reported, though never asked
        {oxcGlobalGroup, dc_count("COUNT_GLOBAL_GROUP")},
        {oxcLocalGroup, dc_count("COUNT_LOCAL_GROUP")},
        {oxcUniversalGroup, dc_count("COUNT_UNIVERSAL_GROUP")},
        {oxcMailEnabledUser, dc_count("COUNT_MAIL_ENABLED_USER")},
        {oxcMailboxEnabledUser, dc_count("COUNT_MAILBOX_ENABLED_USER")},
        {oxcMailEnabledGroup, dc_count("COUNT_MAIL_ENABLED_GROUP")},
        {oxcContact, dc_count("COUNT_CONTACT")},
        {oxcExchangeServer, dc_count("FIXTURE_EXCHANGE_SERVERS_WITH_COMPUTER")},
    };
    std::map<oxcOstrelCounter, LONG> counts;
    for (const auto& [counter, count] : infos[0].counts)
        if (count != -1)
            counts[counter] = count;
    EXPECT_EQ(counts, expected);
}

} // namespace
