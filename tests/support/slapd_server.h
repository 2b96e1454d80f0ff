#pragma once
// An OpenLDAP slapd for one test executable: tests/fixtures/slapd/start.sh puts it on
// 127.0.0.1 on free ports with all of its state in a fresh temporary directory, and the
// destructor stops it by its pid and removes that directory. The server's settings are the
// SLAPD_* variables start.sh writes (SLAPD_URI, SLAPD_PORT, SLAPD_BASE, SLAPD_CA, ...).

#include <map>
#include <memory>
#include <string>

namespace ostrel::test {

class slapd_server {
public:
    // Starts a server (with StartTLS and LDAPS unless tls is false; answering every operation
    // of a client that is not strongly authenticated with strongerAuthRequired when
    // require_strong is true); null with the reason in `error` when it cannot.
    static std::unique_ptr<slapd_server> start(bool tls, std::string& error, bool require_strong = false);

    ~slapd_server();
    slapd_server(const slapd_server&) = delete;
    slapd_server& operator=(const slapd_server&) = delete;

    // One SLAPD_* setting; empty when start.sh wrote none of that name.
    std::string var(const std::string& key) const;
    int count(const std::string& key) const { return std::stoi(var(key)); }
    // "127.0.0.1:port", for directory paths.
    std::string host_port() const { return var("SLAPD_HOST") + ":" + var("SLAPD_PORT"); }
    // Makes this process (and the clients it starts afterwards) trust the server's
    // certificate. libldap reads its TLS settings once per process, at its first use, so this
    // must come before the first bind.
    void trust_certificate() const;

private:
    slapd_server(std::string state, std::map<std::string, std::string> vars)
        : state_(std::move(state)), vars_(std::move(vars)) {}

    std::string state_;
    std::map<std::string, std::string> vars_;
};

// Whether this machine has the slapd the fixture starts.
bool slapd_available();

// The server a test suite shares: started with TLS and its certificate trusted by this process
// (and the clients it starts later); null when slapd is missing, or with the reason in `error`
// when it did not start.
std::unique_ptr<slapd_server> start_trusted_slapd(std::string& error);

} // namespace ostrel::test

// Skips (or, under OSTREL_REQUIRE_SERVERS=1, fails) the current test when slapd is missing.
#define OSTREL_REQUIRE_SLAPD()                                                               \
    do {                                                                                     \
        if (!::ostrel::test::slapd_available()) {                                            \
            if (::ostrel::test::servers_required())                                          \
                FAIL() << "slapd is not installed (/usr/sbin/slapd)";                        \
            GTEST_SKIP() << "slapd is not installed";                                        \
        }                                                                                    \
    } while (0)
