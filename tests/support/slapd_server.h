#pragma once
// An OpenLDAP slapd for the tests: tests/fixtures/slapd/start.sh puts it on 127.0.0.1 on free
// ports with all of its state in a directory of its own. The server's settings are the SLAPD_*
// variables start.sh writes (SLAPD_URI, SLAPD_PORT, SLAPD_BASE, SLAPD_CA, ...). A server this
// process started is stopped by its pid, and its directory removed, by the destructor; the
// server a test run shares (OSTREL_SLAPD_STATE, the CTest fixture "slapd") is only used.

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

    // The server of the test run (the one in $OSTREL_SLAPD_STATE), left running afterwards;
    // null with the reason in `error` when that folder holds no started server.
    static std::unique_ptr<slapd_server> attach(const std::string& state, std::string& error);

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
    slapd_server(std::string state, std::map<std::string, std::string> vars, bool owned)
        : state_(std::move(state)), vars_(std::move(vars)), owned_(owned)
    {
    }

    std::string state_;
    std::map<std::string, std::string> vars_;
    bool owned_;
};

// Whether this machine has the slapd the fixture starts.
bool slapd_available();

// The server a test suite shares, with TLS and its certificate trusted by this process (and the
// clients it starts later): the test run's own when OSTREL_SLAPD_STATE names it, else one
// started for this process. Null when slapd is missing, or with the reason in `error` when
// there is no server.
std::unique_ptr<slapd_server> start_trusted_slapd(std::string& error);

} // namespace ostrel::test

// Skips (or, under OSTREL_REQUIRE_SERVERS=1, fails) the current test when slapd is missing.
#define OSTREL_REQUIRE_SLAPD()                                                                                         \
    do {                                                                                                               \
        if (!::ostrel::test::slapd_available()) {                                                                      \
            if (::ostrel::test::servers_required())                                                                    \
                FAIL() << "slapd is not installed (/usr/sbin/slapd)";                                                  \
            GTEST_SKIP() << "slapd is not installed";                                                                  \
        }                                                                                                              \
    } while (0)
