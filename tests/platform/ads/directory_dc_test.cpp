// The directory layer against the Samba AD domain controller of the test run (through
// tests/fixtures/run_with_servers.sh, or /tmp/devdc's with-dc-env.sh): real AD semantics for
// the collector's own filters, counted against the population the fixture created.

#include "tests/platform/ads/directory_count.h"
#include "tests/support/server_env.h"

#include "platform/ads/ads_last_error.h"
#include "platform/com/bstr.h"
#include "platform/com/variant.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace ads_test;
using ostrel::test::dc_count;
using ostrel::test::env;

namespace {

class DcDirectoryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The DC's certificate names dc1.test.local, which the run's hosts file resolves to
        // loopback; libldap takes these settings at its first use, from here.
        if (auto state = env("SAMBA_DC_STATE")) {
            setenv("LDAPTLS_CACERT", (*state + "/private/tls/ca.pem").c_str(), 1);
            setenv("LDAPTLS_REQCERT", "demand", 1);
        }
    }
    void SetUp() override { OSTREL_REQUIRE_SAMBA_DC(); }

    static std::u16string host() { return u16(env("SAMBA_DC_FQDN").value_or("dc1.test.local")); }
    static std::u16string admin() { return u16(env("SAMBA_DC_ADMIN_BINDDN").value_or("Administrator@test.local")); }
    static std::u16string password() { return u16(env("SAMBA_DC_ADMIN_PASSWORD").value_or("")); }
};

TEST_F(DcDirectoryTest, CollectorFiltersCountThePopulation)
{
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(u"LDAP://" + host(), admin().c_str(), password().c_str(), searcher), S_OK) << last_error_text();

    struct filter_case {
        const char16_t* filter;
        const char* count;
    };
    // The string table's texts, byte for byte (105 and 125 with their bare NOT operands).
    const filter_case cases[] = {
        {u"(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512))", "COUNT_USER"},
        {u"(&(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512)"
         u"(!userAccountControl:1.2.840.113556.1.4.803:=2)))",
         "COUNT_ENABLED_USER"},
        {u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.804:=10))", "COUNT_GLOBAL_GROUP"},
        {u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.803:=4))", "COUNT_LOCAL_GROUP"},
        {u"(&(objectCategory=computer)(!(primaryGroupId=516))(operatingSystem=*)(!(operatingSystem=*Server*)))",
         "COUNT_WORKSTATION"},
        {u"(&(objectCategory=computer)(primaryGroupId=516))", "COUNT_DC"},
        {u"(&(objectCategory=computer)(!(primaryGroupId=516))(operatingSystem=*Server*))", "COUNT_SERVER"},
        {u"(&(objectCategory=computer)(!(primaryGroupId=516))(!(operatingSystem=*)))", "COUNT_UNKNOWN_COMPUTER"},
        {u"(&(objectCategory=group)(groupType:1.2.840.113556.1.4.803:=8))", "COUNT_UNIVERSAL_GROUP"},
        {u"(&(objectCategory=msDS-ManagedServiceAccount)(objectClass=msDS-ManagedServiceAccount))", "COUNT_MSA"},
        {u"(&(objectCategory=person)(objectClass=user)(userAccountControl:1.2.840.113556.1.4.803:=512)"
         u"(!userAccountControl:1.2.840.113556.1.4.803:=2)(msRTCSIP-UserEnabled=TRUE))",
         "COUNT_LYNC_ENABLED_USER"},
        {u"(&(objectCategory=person)(objectClass=user)(mail=*))", "COUNT_MAIL_ENABLED_USER"},
        {u"(&(objectCategory=group)(mail=*))", "COUNT_MAIL_ENABLED_GROUP"},
        {u"(&(objectCategory=person)(objectClass=contact)(mail=*))", "COUNT_CONTACT"},
    };
    for (const auto& c : cases) {
        const auto result = count_rows(searcher, c.filter);
        EXPECT_EQ(result.start, S_OK) << c.count;
        // Complete: the DC's three search references were skipped, not chased.
        EXPECT_EQ(result.end, S_ADS_NOMORE_ROWS) << c.count << ": " << last_error_text();
        EXPECT_EQ(result.rows, dc_count(c.count)) << c.count;
    }
}

TEST_F(DcDirectoryTest, RootDseNamesTheConfigurationPartition)
{
    CComPtr<IADs> root;
    const std::u16string path = u"LDAP://" + host() + u"/RootDSE";
    ASSERT_EQ(ADsOpenObject(path.c_str(), admin().c_str(), password().c_str(), ADS_SECURE_AUTHENTICATION, IID_IADs,
                            reinterpret_cast<void**>(&root.p)),
              S_OK)
        << last_error_text();
    CComVariant value;
    CComBSTR name(u"configurationNamingContext");
    ASSERT_EQ(root->Get(name.m_str, &value), S_OK);
    ASSERT_EQ(value.vt, VT_BSTR);
    const std::u16string config(value.bstrVal);
    EXPECT_EQ(config, u16(env("SAMBA_DC_CONFIGDN").value_or("CN=Configuration,DC=test,DC=local")));

    // The Exchange server search of the collector: a second searcher on that partition.
    CComPtr<IDirectorySearch> searcher;
    ASSERT_EQ(open(u"LDAP://" + host() + u"/" + config, admin().c_str(), password().c_str(), searcher), S_OK);
    const auto servers = count_rows(searcher, u"(objectCategory=msExchExchangeServer)", {u"name", u"cn"});
    EXPECT_EQ(servers.end, S_ADS_NOMORE_ROWS);
    EXPECT_EQ(servers.rows, dc_count("COUNT_EXCHANGE_SERVER_OBJECT"));
}

TEST_F(DcDirectoryTest, AnonymousBindFailsWithTheServersDiagnostic)
{
    // Without a ticket the caller's own credentials are anonymous, and an AD DC lets an
    // anonymous client read nothing below the rootDSE.
    setenv("KRB5CCNAME", "FILE:/nonexistent/ostrel-no-ticket", 1);
    CComPtr<IDirectorySearch> searcher;
    HRESULT hr = open(u"LDAP://127.0.0.1", nullptr, nullptr, searcher);
    EXPECT_EQ(hr, HRESULT_FROM_WIN32(ERROR_DS_OPERATIONS_ERROR));
    EXPECT_NE(last_error_text().find("00002020"), std::string::npos) << last_error_text();
}

TEST_F(DcDirectoryTest, WrongPasswordIsALogonFailure)
{
    // The realm's key distribution centre answers here, so it is the one that refuses; the
    // server's own refusal (its "52e") is in kerberos_bind_dc_test.cpp, without a centre.
    CComPtr<IDirectorySearch> searcher;
    EXPECT_EQ(open(u"LDAP://" + host(), admin().c_str(), u"not-the-password", searcher),
              HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE));
    EXPECT_NE(last_error_text().find("refused the password"), std::string::npos) << last_error_text();
}

} // namespace

namespace {

TEST(DcKerberosTest, OwnCredentialsUseTheCallersTicket)
{
    OSTREL_REQUIRE_SAMBA_DC();
    // A ticket of the run's own, in a cache of its own, as a logged-on user would have one.
    char cache_dir[] = "/tmp/ostrel-krb5.XXXXXX";
    ASSERT_NE(mkdtemp(cache_dir), nullptr);
    const std::string cache = std::string("FILE:") + cache_dir + "/cc";
    setenv("KRB5CCNAME", cache.c_str(), 1);
    const std::string kinit = "printf '%s\\n' '" + env("SAMBA_DC_ADMIN_PASSWORD").value_or("") + "' | kinit " +
                              env("SAMBA_DC_ADMIN_USER").value_or("Administrator") + "@" +
                              env("SAMBA_DC_REALM").value_or("TEST.LOCAL") + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(kinit.c_str()), 0) << "kinit failed";

    CComPtr<IDirectorySearch> searcher;
    const std::u16string path = u"LDAP://" + u16(env("SAMBA_DC_FQDN").value_or("dc1.test.local"));
    EXPECT_EQ(open(path, nullptr, nullptr, searcher), S_OK) << last_error_text();
    if (searcher.p != nullptr) {
        EXPECT_EQ(count_rows(searcher, u"(&(objectCategory=computer)(primaryGroupId=516))").rows, dc_count("COUNT_DC"));
    }

    searcher.Release();
    const std::string cleanup = std::string("rm -rf '") + cache_dir + "'";
    EXPECT_EQ(std::system(cleanup.c_str()), 0);
}

} // namespace
