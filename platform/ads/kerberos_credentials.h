#pragma once
// Initial Kerberos credentials for a user and password, in a private in-memory credential
// cache of their own: never the user's cache, never a file. The password form of a bind uses
// them for a SASL GSSAPI bind, so the password goes only to the key distribution centre, as
// key material, and never to the directory server.

#include <functional>
#include <memory>
#include <string>

namespace ads {

class kerberos_credentials {
public:
    enum class outcome {
        acquired,        // the credentials are in the cache
        no_kdc,          // no realm, or no key distribution centre of it answered in time
        not_a_principal, // the user names no Kerberos principal (a distinguished name)
        logon_failure,   // the key distribution centre refused the password
        failed,          // any other refusal: the server's own logon may still decide
    };

    ~kerberos_credentials();
    kerberos_credentials(const kerberos_credentials&) = delete;
    kerberos_credentials& operator=(const kerberos_credentials&) = delete;

    // Asks the realm's key distribution centre for initial credentials of `user` ("name",
    // "name@domain", "DOMAIN\name") with `password`. A user without a realm takes the realm
    // krb5.conf maps `host` to, else its default realm. Bounded: a centre that does not answer
    // gives no_kdc after the connect timeout (ldap_timeouts.h). `diagnostic` gets the library's text of a failure.
    static outcome acquire(const std::string& user, const std::string& password, const std::string& host,
                           std::unique_ptr<kerberos_credentials>& out, std::string& diagnostic);

    // "MEMORY:..." of the private cache.
    const std::string& cache_name() const;
    // The client principal, "name@REALM".
    const std::string& principal() const;

    // Runs `call` with the GSS-API default credential cache of this thread, and of this thread
    // only, set to the private cache; afterwards the thread follows KRB5CCNAME again.
    // False, without calling, when the setting cannot be made.
    bool with_thread_default_cache(const std::function<void()>& call) const;

    struct state;

private:
    explicit kerberos_credentials(std::shared_ptr<state> s) : state_(std::move(s)) {}
    std::shared_ptr<state> state_;
};

} // namespace ads
