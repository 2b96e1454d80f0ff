#pragma once
// A directory server that misbehaves on purpose (tests/fixtures/hostile-ldap): a python3 script
// on a loopback address that answers binds and searches as its mode says (a 2 GB message, a
// paging cookie that never ends, a StartTLS refusal whose text holds line breaks, an
// organisation of a name the test chooses). Started by start(), stopped by its pid when the
// object goes.

#include <memory>
#include <string>
#include <vector>

namespace ostrel::test {

class hostile_ldap_server {
public:
    struct options {
        std::string mode; // directory, huge-message, repeat-cookie, endless-pages, starttls-refusal
        std::string address = "127.0.0.1";
        int port = 0;             // 0: a free one
        std::string organization; // the organisation's name (directory mode); empty: "Hostile"
        std::string text;         // the StartTLS refusal's diagnostic text
        int entries_per_page = 0; // repeat-cookie and endless-pages
    };

    // Null with the reason in `error` when the server could not be started or could not listen.
    static std::unique_ptr<hostile_ldap_server> start(const options& how, std::string& error);
    ~hostile_ldap_server();
    hostile_ldap_server(const hostile_ldap_server&) = delete;
    hostile_ldap_server& operator=(const hostile_ldap_server&) = delete;

    int port() const { return port_; }
    // "127.0.0.x:port", for directory paths.
    std::string host_port() const { return address_ + ":" + std::to_string(port_); }
    // Subtree search requests (pages) answered so far.
    long searches() const;

private:
    hostile_ldap_server() = default;

    int pid_ = -1;
    int port_ = 0;
    std::string address_;
    std::string stats_;
    std::string dir_;
};

} // namespace ostrel::test
