// The password form of a bind against the Samba AD domain controller of the test run (through
// tests/fixtures/run_with_servers.sh, or /tmp/devdc's with_dc_env.sh, whose KRB5_CONFIG names
// the DC's key distribution centre on 127.0.0.1): Kerberos where the centre answers, the
// TLS-protected simple bind where none does.

#include "tests/support/server_env.h"

#include "platform/ads/ads_last_error.h"
#include "platform/ads/ads_path.h"
#include "platform/ads/ldap_session.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <ldap.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <vector>

using ostrel::test::env;

namespace {

std::string last_error_text()
{
    DWORD code = 0;
    char16_t text[512] = {};
    ADsGetLastError(&code, text, 512, nullptr, 0);
    std::string out;
    for (const char16_t* c = text; *c != 0; ++c)
        out.push_back(*c < 0x80 ? static_cast<char>(*c) : '?');
    return out;
}

// An environment variable set for one scope, then put back.
class scoped_env {
public:
    scoped_env(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~scoped_env()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }
    scoped_env(const scoped_env&) = delete;
    scoped_env& operator=(const scoped_env&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A socket on 127.0.0.1 of the given type; port 0 takes a free one.
int loopback_socket(int type, int port)
{
    const int fd = socket(AF_INET, type, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0)
            close(fd);
        return -1;
    }
    return fd;
}

int port_of(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    return ntohs(address.sin_port);
}

class KerberosBindTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (auto state = env("SAMBA_DC_STATE")) {
            setenv("LDAPTLS_CACERT", (*state + "/private/tls/ca.pem").c_str(), 1);
            setenv("LDAPTLS_REQCERT", "demand", 1);
        }
    }

    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        // The user's own cache: the password form must neither read nor write it.
        dir_ = std::filesystem::temp_directory_path() / ("ostrel-krb-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir_);
        own_cache_ = dir_ / "own-cache";
        own_cache_env_.emplace("KRB5CCNAME", "FILE:" + own_cache_.string());
    }

    void TearDown() override
    {
        EXPECT_FALSE(std::filesystem::exists(own_cache_)) << "the user's own cache was written";
        own_cache_env_.reset();
        if (!dir_.empty())
            std::filesystem::remove_all(dir_);
    }

    // A krb5.conf whose realm TEST.LOCAL has its one centre on 127.0.0.1:port.
    std::string krb5_conf_with_kdc_port(int port)
    {
        const auto path = dir_ / "krb5.conf";
        std::ofstream(path) << "[libdefaults]\n default_realm = " << realm()
                            << "\n dns_lookup_realm = false\n dns_lookup_kdc = false\n"
                               "[realms]\n "
                            << realm() << " = {\n  kdc = 127.0.0.1:" << port << "\n }\n";
        return path.string();
    }

    static std::string realm() { return env("SAMBA_DC_REALM").value_or("TEST.LOCAL"); }
    static std::string password() { return env("SAMBA_DC_ADMIN_PASSWORD").value_or(""); }
    static ads::ads_path dc_path()
    {
        ads::ads_path path;
        const std::string fqdn = env("SAMBA_DC_FQDN").value_or("dc1.test.local");
        EXPECT_EQ(ads::parse_ads_path(std::u16string(fqdn.begin(), fqdn.end()).insert(0, u"LDAP://"), path), S_OK);
        return path;
    }

    static HRESULT open(const std::string& user, const std::string& password,
                        std::shared_ptr<ads::ldap_session>& session)
    {
        return ads::ldap_session::open(dc_path(), ads::bind_credentials{user, password}, session);
    }

    std::filesystem::path dir_;
    std::filesystem::path own_cache_;
    std::optional<scoped_env> own_cache_env_;
};

TEST_F(KerberosBindTest, PasswordFormBindsWithKerberos)
{
    const std::string admin = env("SAMBA_DC_ADMIN_USER").value_or("Administrator");
    const std::string domain = env("SAMBA_DC_DOMAIN").value_or("TEST");
    // A name alone takes the realm krb5.conf maps the host to; the other forms name theirs.
    for (const std::string& user :
         {admin, admin + "@" + env("SAMBA_DC_FQDN").value_or("x.test.local").substr(4), domain + "\\" + admin}) {
        SCOPED_TRACE(user);
        [&] { // an ASSERT ends this row only
            std::shared_ptr<ads::ldap_session> session;
            ASSERT_EQ(open(user, password(), session), S_OK) << user << ": " << last_error_text();
            EXPECT_EQ(session->auth_method(), "GSSAPI") << user;
            LDAP* ld = session->handle();
            // What the server negotiated: a Kerberos security layer, with no TLS beneath it.
            EXPECT_EQ(ldap_tls_inplace(ld), 0) << user;
            ber_len_t ssf = 0;
            ASSERT_EQ(ldap_get_option(ld, LDAP_OPT_X_SASL_SSF, &ssf), LDAP_OPT_SUCCESS);
            EXPECT_GT(ssf, 0u) << user;
            // The identity the exchange with the server established, and the server treating the
            // connection as that user's: an anonymous one may read nothing below the rootDSE.
            char* authenticated = nullptr;
            ASSERT_EQ(ldap_get_option(ld, LDAP_OPT_X_SASL_USERNAME, &authenticated), LDAP_OPT_SUCCESS);
            ASSERT_NE(authenticated, nullptr) << user;
            EXPECT_EQ(std::string(authenticated), admin + "@" + realm()) << user;
            ldap_memfree(authenticated);
            std::string naming_context;
            EXPECT_EQ(session->default_naming_context(naming_context), S_OK);
            std::vector<std::string> values;
            EXPECT_EQ(session->read_values(naming_context, "objectClass", values), S_OK) << last_error_text();
            EXPECT_FALSE(values.empty()) << user;
        }();
    }
}

TEST_F(KerberosBindTest, ConcurrentBindsKeepTheirOwnIdentities)
{
    // Each thread's private cache is that thread's alone: two users binding at the same time
    // are each bound as themselves.
    const auto& fixture = ostrel::test::dc_fixture();
    const std::string reader = fixture.at("FIXTURE_READER_UPN");
    const std::string reader_principal = reader.substr(0, reader.find('@')) + "@" + realm();
    struct bind_case {
        std::string user, password, expected;
        std::vector<std::string> seen;
    };
    bind_case cases[] = {
        {env("SAMBA_DC_ADMIN_USER").value_or("Administrator"),
         password(),
         env("SAMBA_DC_ADMIN_USER").value_or("Administrator") + "@" + realm(),
         {}},
        {reader, fixture.at("FIXTURE_READER_PASSWORD"), reader_principal, {}},
    };
    std::vector<std::thread> threads;
    for (auto& c : cases) {
        threads.emplace_back([&c] {
            for (int i = 0; i < 5; ++i) {
                std::shared_ptr<ads::ldap_session> session;
                std::string who = "bind failed";
                if (open(c.user, c.password, session) == S_OK) {
                    char* name = nullptr;
                    ldap_get_option(session->handle(), LDAP_OPT_X_SASL_USERNAME, &name);
                    who = session->auth_method() + " " + (name != nullptr ? name : "");
                    ldap_memfree(name);
                }
                c.seen.push_back(who);
            }
        });
    }
    for (auto& t : threads)
        t.join();
    for (const auto& c : cases)
        for (const auto& who : c.seen)
            EXPECT_EQ(who, "GSSAPI " + c.expected);
}

TEST_F(KerberosBindTest, WrongPasswordIsTheCentresLogonFailure)
{
    std::shared_ptr<ads::ldap_session> session;
    EXPECT_EQ(open(env("SAMBA_DC_ADMIN_USER").value_or("Administrator"), "not-the-password", session),
              HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE));
    EXPECT_EQ(session, nullptr);
    EXPECT_NE(last_error_text().find("The key distribution centre refused the password of Administrator@" + realm()),
              std::string::npos)
        << last_error_text();
}

TEST_F(KerberosBindTest, UnreachableCentreFallsBackToTheTlsSimpleBind)
{
    // A port nobody listens on: taken free, then let go.
    const int probe = loopback_socket(SOCK_DGRAM, 0);
    ASSERT_GE(probe, 0);
    const int port = port_of(probe);
    close(probe);
    scoped_env config("KRB5_CONFIG", krb5_conf_with_kdc_port(port));

    const auto start = std::chrono::steady_clock::now();
    std::shared_ptr<ads::ldap_session> session;
    ASSERT_EQ(open(env("SAMBA_DC_ADMIN_BINDDN").value_or("Administrator@test.local"), password(), session), S_OK)
        << last_error_text();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(session->auth_method(), "simple");
    EXPECT_NE(ldap_tls_inplace(session->handle()), 0);

    // Without a centre the server judges the password, and says so in its own words.
    session.reset();
    EXPECT_EQ(open(env("SAMBA_DC_ADMIN_BINDDN").value_or("Administrator@test.local"), "not-the-password", session),
              HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE));
    EXPECT_NE(last_error_text().find("52e"), std::string::npos) << last_error_text();
}

TEST_F(KerberosBindTest, SilentCentreFallsBackWithinSeconds)
{
    // A centre that takes the request, over either transport, and never answers.
    const int udp = loopback_socket(SOCK_DGRAM, 0);
    ASSERT_GE(udp, 0);
    const int tcp = loopback_socket(SOCK_STREAM, port_of(udp));
    ASSERT_GE(tcp, 0);
    ASSERT_EQ(listen(tcp, 8), 0);
    scoped_env config("KRB5_CONFIG", krb5_conf_with_kdc_port(port_of(udp)));

    const auto start = std::chrono::steady_clock::now();
    std::shared_ptr<ads::ldap_session> session;
    ASSERT_EQ(open(env("SAMBA_DC_ADMIN_BINDDN").value_or("Administrator@test.local"), password(), session), S_OK)
        << last_error_text();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
    EXPECT_EQ(session->auth_method(), "simple");
    close(tcp);
    close(udp);
}

} // namespace
