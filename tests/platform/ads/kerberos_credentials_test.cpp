// How the password form decides, before any key distribution centre is asked, that Kerberos
// does not apply: no realm to ask, or a user that names no principal. The answers of a real
// centre are in kerberos_bind_dc_test.cpp.

#include "platform/ads/kerberos_credentials.h"
#include "platform/ads/ads_interfaces.h"
#include "platform/ads/ads_last_error.h"
#include "platform/ads/ads_open_object.h"
#include "platform/win32/win_errors.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using outcome = ads::kerberos_credentials::outcome;

TEST(KerberosCredentialsTest, WithoutARealmToAskKerberosDoesNotApply)
{
    // A configuration with no default realm, no realms, and no DNS lookups: nothing is sent.
    const auto dir = std::filesystem::temp_directory_path() / ("ostrel-krb-unit-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const auto conf = dir / "krb5.conf";
    std::ofstream(conf) << "[libdefaults]\n dns_lookup_realm = false\n dns_lookup_kdc = false\n";
    const char* old = std::getenv("KRB5_CONFIG");
    const std::string saved = old != nullptr ? old : "";
    setenv("KRB5_CONFIG", conf.c_str(), 1);

    struct user_case {
        const char* user;
        outcome expected;
    };
    const user_case cases[] = {
        {"alice", outcome::no_kdc},                 // no default realm
        {"EXAMPLE\\alice", outcome::no_kdc},        // a NetBIOS domain is no realm
        {"alice@example.invalid", outcome::no_kdc}, // a realm with no centre known
        {"CN=alice,OU=Users,DC=example", outcome::not_a_principal},
        {"cn=reader,o=Fixture Org", outcome::not_a_principal},
        {"@EXAMPLE.INVALID", outcome::not_a_principal},
    };
    for (const auto& c : cases) {
        std::unique_ptr<ads::kerberos_credentials> credentials;
        std::string diagnostic;
        EXPECT_EQ(ads::kerberos_credentials::acquire(c.user, "secret", "dc.example.invalid", credentials, diagnostic),
                  c.expected)
            << c.user << ": " << diagnostic;
        EXPECT_EQ(credentials, nullptr) << c.user;
    }

    if (old != nullptr)
        setenv("KRB5_CONFIG", saved.c_str(), 1);
    else
        unsetenv("KRB5_CONFIG");
    std::filesystem::remove_all(dir);
}

} // namespace

namespace {

// A ticket cache that is a FIFO would hang libkrb5 inside the bind: the open is refused at
// once, with the reason in the last error, before any connection.
TEST(KerberosEnvironment, AFifoAsTheTicketCacheIsRefusedBeforeAnyBind)
{
    char folder[] = "/tmp/krb5-fifo.XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string fifo = std::string(folder) + "/cache";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::setenv("KRB5CCNAME", ("FILE:" + fifo).c_str(), 1);
    void* object = nullptr;
    const HRESULT hr = ADsOpenObject(u"LDAP://127.0.0.1:9/DC=example,DC=com", nullptr, nullptr,
                                     ADS_SECURE_AUTHENTICATION, IID_IDirectorySearch, &object);
    ::unsetenv("KRB5CCNAME");
    EXPECT_EQ(hr, HRESULT_FROM_WIN32(ERROR_BAD_ENVIRONMENT));
    DWORD code = 0;
    char16_t text[512] = {};
    char16_t provider[64] = {};
    ADsGetLastError(&code, text, 512, provider, 64);
    EXPECT_NE(std::u16string(text).find(u"not a regular file"), std::u16string::npos);
    ::unlink(fifo.c_str());
    ::rmdir(folder);
}

} // namespace
