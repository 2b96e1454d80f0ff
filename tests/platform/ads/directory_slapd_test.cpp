// The directory layer against a real OpenLDAP slapd (tests/fixtures/slapd): an Exchange 5.5-
// shaped organisation that only bound users may read, with a reader whose searches hit a size
// limit part-way, a search reference, and TLS from a CA made for the run.

#include "tests/platform/ads/directory_count.h"
#include "tests/support/dc_pause.h"
#include "tests/support/server_env.h"
#include "tests/support/slapd_server.h"

#include "platform/ads/ads_last_error.h"
#include "platform/ads/ldap_timeouts.h"
#include "platform/com/bstr.h"
#include "platform/com/variant.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>

using namespace ads_test;

namespace {

std::unique_ptr<ostrel::test::slapd_server> g_server;
std::unique_ptr<ostrel::test::slapd_server> g_plain_server; // no StartTLS, no LDAPS
std::string g_start_error;

class SlapdDirectoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { g_server = ostrel::test::start_trusted_slapd(g_start_error); }
    static void TearDownTestSuite()
    {
        g_server.reset();
        g_plain_server.reset();
    }
    void SetUp() override
    {
        OSTREL_REQUIRE_SLAPD();
        ASSERT_TRUE(g_server) << g_start_error;
    }

    static std::u16string path(const std::string& suffix = {})
    {
        return u16("LDAP://" + g_server->host_port() + suffix);
    }
    // The server without TLS, started by the tests that need it.
    static bool start_plain_server()
    {
        if (!g_plain_server)
            g_plain_server = ostrel::test::slapd_server::start(false, g_start_error);
        return g_plain_server != nullptr;
    }
    static std::u16string reader() { return u16(g_server->var("SLAPD_READER_DN")); }
    static std::u16string password() { return u16(g_server->var("SLAPD_READER_PASSWORD")); }
};

TEST_F(SlapdDirectoryTest, CredentialsFormCountsTheOrganisationOverStartTls)
{
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(path(), reader().c_str(), password().c_str(), searcher), S_OK) << last_error_text();

    const auto servers = count_rows(searcher, u"(objectClass=Computer)");
    EXPECT_EQ(servers.start, S_OK);
    EXPECT_EQ(servers.end, S_ADS_NOMORE_ROWS);
    EXPECT_EQ(servers.rows, g_server->count("SLAPD_COUNT_SERVERS"));

    // 260 mailboxes: three pages of 100.
    const auto mailboxes = count_rows(searcher, u"(objectClass=organizationalPerson)");
    EXPECT_EQ(mailboxes.end, S_ADS_NOMORE_ROWS);
    EXPECT_EQ(mailboxes.rows, g_server->count("SLAPD_COUNT_MAILBOXES"));

    // Everything: the servers, the mailboxes, the organisation, its site, three containers
    // and the two readers; the search reference below the base is no entry.
    const auto all = count_rows(searcher, u"(objectClass=*)");
    EXPECT_EQ(all.end, S_ADS_NOMORE_ROWS);
    EXPECT_EQ(all.rows, g_server->count("SLAPD_COUNT_SERVERS") + g_server->count("SLAPD_COUNT_MAILBOXES") + 7);
}

TEST_F(SlapdDirectoryTest, PathWithoutDnBindsTheFirstNamingContext)
{
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(path(), reader().c_str(), password().c_str(), searcher), S_OK);
    EXPECT_EQ(first_row_values(searcher, u"(objectClass=organization)", u"o"),
              std::vector<std::u16string>{u"Fixture Org"});

    CComPtr<IADs> object;
    ASSERT_EQ(searcher->QueryInterface(&object.p), S_OK);
    CComBSTR ads_path;
    ASSERT_EQ(object->get_ADsPath(&ads_path.m_str), S_OK);
    EXPECT_EQ(std::u16string(ads_path.m_str), path());
}

TEST_F(SlapdDirectoryTest, BaseSearchBelowANamedDn)
{
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(path("/cn=Servers,cn=Configuration,ou=Site1,o=Fixture Org"), reader().c_str(), password().c_str(),
                   searcher),
              S_OK);
    EXPECT_EQ(count_rows(searcher, u"(objectClass=Computer)").rows, g_server->count("SLAPD_COUNT_SERVERS"));
    // The base object itself is no organisation: the lookup finds no row.
    EXPECT_TRUE(first_row_values(searcher, u"(objectClass=organization)", u"o").empty());
}

TEST_F(SlapdDirectoryTest, AnonymousBindFailsWhenTheObjectCannotBeRead)
{
    CComPtr<IDirectorySearch> searcher;
    // No Kerberos ticket in the test: the caller's own credentials are anonymous.
    setenv("KRB5CCNAME", "FILE:/nonexistent/ostrel-no-ticket", 1);
    HRESULT hr = open(path("/o=Fixture Org"), nullptr, nullptr, searcher);
    EXPECT_TRUE(FAILED(hr));
    EXPECT_EQ(searcher.p, nullptr);

    // The rootDSE is open to everyone.
    CComPtr<IADs> root;
    ASSERT_EQ(ADsGetObject(path("/RootDSE").c_str(), IID_IADs, reinterpret_cast<void**>(&root.p)), S_OK);
    CComVariant contexts;
    CComBSTR name(u"namingContexts");
    ASSERT_EQ(root->Get(name.m_str, &contexts), S_OK);
    ASSERT_EQ(contexts.vt, VT_BSTR);
    EXPECT_EQ(std::u16string(contexts.bstrVal), u"o=Fixture Org");
    CComVariant missing;
    CComBSTR other(u"configurationNamingContext");
    EXPECT_EQ(root->Get(other.m_str, &missing), E_ADS_PROPERTY_NOT_FOUND);
}

TEST_F(SlapdDirectoryTest, SizeLimitFailsAfterTheRowsRead)
{
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(path(), u16(g_server->var("SLAPD_LIMITED_DN")).c_str(), password().c_str(), searcher), S_OK);
    const auto result = count_rows(searcher, u"(objectClass=organizationalPerson)");
    EXPECT_EQ(result.start, S_OK);
    EXPECT_EQ(result.rows, g_server->count("SLAPD_SIZE_LIMIT"));
    EXPECT_EQ(result.end, HRESULT_FROM_WIN32(ERROR_DS_SIZELIMIT_EXCEEDED));
    DWORD code = 0;
    ADsGetLastError(&code, nullptr, 0, nullptr, 0);
    EXPECT_EQ(code, ERROR_DS_SIZELIMIT_EXCEEDED);
    // Every later call reports the same failure, never a quiet end.
}

TEST_F(SlapdDirectoryTest, WrongAndEmptyPasswordsFail)
{
    CComPtr<IDirectorySearch> searcher;
    EXPECT_EQ(open(path(), reader().c_str(), u"wrong", searcher), HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE));
    // "host/user" without a password: refused, not an anonymous bind that looks like a logon.
    EXPECT_EQ(open(path(), reader().c_str(), u"", searcher), HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE));
    EXPECT_EQ(searcher.p, nullptr);
}

TEST_F(SlapdDirectoryTest, ServerWithoutTlsNeverGetsThePassword)
{
    ASSERT_TRUE(start_plain_server()) << g_start_error;
    CComPtr<IDirectorySearch> searcher;
    const std::u16string plain = u16("LDAP://" + g_plain_server->host_port());
    EXPECT_EQ(open(plain, reader().c_str(), password().c_str(), searcher),
              HRESULT_FROM_WIN32(ERROR_DS_CONFIDENTIALITY_REQUIRED));
    EXPECT_NE(last_error_text().find("neither StartTLS nor LDAPS"), std::string::npos) << last_error_text();
}

TEST_F(SlapdDirectoryTest, FiltersInTheStringTableSyntaxAreAccepted)
{
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(path(), reader().c_str(), password().c_str(), searcher), S_OK);
    // A NOT whose operand has no parentheses of its own, as filters 105 and 125 write it.
    EXPECT_EQ(count_rows(searcher, u"(&(objectClass=Computer)(!cn=EXSRV01))").rows,
              g_server->count("SLAPD_COUNT_SERVERS") - 1);
    const auto bad = count_rows(searcher, u"(&(objectClass=Computer)");
    EXPECT_EQ(bad.start, E_ADS_INVALID_FILTER);
    const auto nothing = count_rows(searcher, u"(cn=no such thing)");
    EXPECT_EQ(nothing.start, S_OK);
    EXPECT_EQ(nothing.rows, 0);
}

TEST_F(SlapdDirectoryTest, SearchPreferences)
{
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(path(), reader().c_str(), password().c_str(), searcher), S_OK);
    // The collector's second caching record is typed as an integer: flagged, not fatal.
    EXPECT_EQ(set_collector_preferences(searcher, 100, ADS_SCOPE_SUBTREE), S_ADS_ERRORSOCCURRED);

    ADS_SEARCHPREF_INFO unknown{};
    unknown.dwSearchPref = static_cast<ADS_SEARCHPREF>(99);
    unknown.vValue.dwType = ADSTYPE_INTEGER;
    EXPECT_EQ(searcher->SetSearchPreference(&unknown, 1), S_OK);
    EXPECT_EQ(unknown.dwStatus, ADS_STATUS_S_OK);

    // One level below the base: the site, the readers and the reference (not counted).
    ASSERT_EQ(set_collector_preferences(searcher, 100, ADS_SCOPE_ONELEVEL), S_ADS_ERRORSOCCURRED);
    std::u16string filter = u"(objectClass=*)";
    std::u16string attr = u"cn";
    LPWSTR names[] = {attr.data()};
    ADS_SEARCH_HANDLE handle = nullptr;
    ASSERT_EQ(searcher->ExecuteSearch(filter.data(), names, 1, &handle), S_OK);
    int rows = 0;
    while (searcher->GetNextRow(handle) == S_OK)
        ++rows;
    EXPECT_EQ(rows, 3);
    searcher->CloseSearchHandle(handle);

    // Attribute names only: the column is there, its values are not.
    ASSERT_EQ(set_collector_preferences(searcher, 100, ADS_SCOPE_SUBTREE, true), S_ADS_ERRORSOCCURRED);
    filter = u"(cn=EXSRV01)";
    ASSERT_EQ(searcher->ExecuteSearch(filter.data(), names, 1, &handle), S_OK);
    ASSERT_EQ(searcher->GetNextRow(handle), S_OK);
    ADS_SEARCH_COLUMN column{};
    ASSERT_EQ(searcher->GetColumn(handle, attr.data(), &column), S_OK);
    EXPECT_EQ(column.dwNumValues, 0u);
    searcher->FreeColumn(&column);
    std::u16string absent = u"mail";
    EXPECT_EQ(searcher->GetColumn(handle, absent.data(), &column), E_ADS_COLUMN_NOT_SET);
    EXPECT_EQ(searcher->GetNextRow(handle), S_ADS_NOMORE_ROWS);
    searcher->CloseSearchHandle(handle);
}

TEST_F(SlapdDirectoryTest, UnreachableServerFailsWithinSeconds)
{
    // The plain server's port after it is gone: nothing listens there any more.
    ASSERT_TRUE(start_plain_server()) << g_start_error;
    const std::string host_port = g_plain_server->host_port();
    auto spare = std::move(g_plain_server);
    spare.reset();
    CComPtr<IDirectorySearch> searcher;
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(open(u16("LDAP://" + host_port), reader().c_str(), password().c_str(), searcher),
              HRESULT_FROM_WIN32(ERROR_DS_SERVER_DOWN));
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(10));
}

TEST_F(SlapdDirectoryTest, ServerDemandingStrongAuthenticationGetsAPlainError)
{
    auto strict = ostrel::test::slapd_server::start(false, g_start_error, true);
    ASSERT_TRUE(strict) << g_start_error;
    setenv("KRB5CCNAME", "FILE:/nonexistent/ostrel-no-ticket", 1);
    CComPtr<IDirectorySearch> searcher;
    EXPECT_EQ(open(u16("LDAP://" + strict->host_port()), nullptr, nullptr, searcher),
              HRESULT_FROM_WIN32(ERROR_DS_STRONG_AUTH_REQUIRED));
    EXPECT_NE(last_error_text().find("strong"), std::string::npos) << last_error_text();
}

TEST_F(SlapdDirectoryTest, ASilentServerCostsOneTimeoutThenEverythingOverItFailsAtOnce)
{
    // A server of this test's own, stopped after the bind: it keeps the connection and answers
    // nothing. The operation timeout is set short for this executable (LDAPTIMEOUT).
    std::string error;
    auto silent = ostrel::test::slapd_server::start(false, error);
    ASSERT_TRUE(silent) << error;
    setenv("KRB5CCNAME", "FILE:/nonexistent/ostrel-no-ticket", 1); // anonymous: the rootDSE is open
    const std::u16string root = u16("LDAP://" + silent->host_port() + "/RootDSE");
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(root, nullptr, nullptr, searcher), S_OK) << last_error_text();
    const pid_t pid = std::stoi(silent->var("SLAPD_PID"));
    ASSERT_EQ(kill(pid, SIGSTOP), 0);
    struct resume_on_exit {
        pid_t pid;
        ~resume_on_exit() { kill(pid, SIGCONT); }
    } resume{pid};
    ASSERT_TRUE(ostrel::test::wait_until_stopped({pid}));

    const auto timeout = ads::configured_timeouts().operation;
    ASSERT_LE(timeout, std::chrono::seconds(5)) << "LDAPTIMEOUT is not set short";
    const HRESULT timed_out = HRESULT_FROM_WIN32(ERROR_TIMEOUT);
    const auto begin = std::chrono::steady_clock::now();
    const count_result first = count_rows(searcher, u"(objectClass=*)", {}, 0);
    EXPECT_EQ(first.start, S_OK) << "the request is only sent";
    EXPECT_EQ(first.end, timed_out);
    const std::string reason = last_error_text();
    EXPECT_NE(reason.find("did not answer"), std::string::npos) << reason;
    // Every later search, and a new bind of the same server while the connection is held,
    // fails at once with the same reason.
    const count_result second = count_rows(searcher, u"(objectClass=*)", {}, 0);
    EXPECT_EQ(second.start == S_OK ? second.end : second.start, timed_out);
    EXPECT_EQ(last_error_text(), reason);
    CComPtr<IDirectorySearch> again;
    EXPECT_EQ(open(root, nullptr, nullptr, again), timed_out);
    EXPECT_EQ(last_error_text(), reason);
    EXPECT_EQ((std::chrono::steady_clock::now() - begin) / timeout, 1) << "whole timeouts waited";
}

TEST_F(SlapdDirectoryTest, BadPathsAreRefusedBeforeAnyConnection)
{
    CComPtr<IDirectorySearch> searcher;
    EXPECT_EQ(open(u"LDAP://", nullptr, nullptr, searcher), E_ADS_BAD_PATHNAME);
    EXPECT_EQ(open(u"GC://x", nullptr, nullptr, searcher), E_ADS_BAD_PATHNAME);
}

} // namespace
