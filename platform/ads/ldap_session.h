#pragma once
// One bound connection to a directory server over libldap, shared by the directory objects
// and searches made from it. A session is used by one thread at a time.
//
// Binding follows the directory service's rules: without credentials the caller's own (a
// SASL GSSAPI bind with the user's Kerberos ticket when there is one, else anonymous); with a
// user and password a SASL GSSAPI bind with initial credentials got for them from the realm's
// key distribution centre, and where no centre answers a simple bind, but only inside TLS
// (StartTLS, else LDAPS on 636 when the path names no port): the password never travels in
// clear. Referral chasing is off. Every wait is bounded by the figures of ldap_timeouts.h.
//
// A session that timed out or lost its connection is dead: every later call over it (and every
// search of an object bound over it) fails at once with the same reason, so a server that stops
// answering costs one timeout, not one per search. A session opened inside a cancel_scope
// (operation_cancel.h) registers its connections with that switch, so cancelling it ends a
// wait on the server at once; one opened after the switch was thrown fails with
// ERROR_CANCELLED without connecting.

#include "platform/ads/ads_path.h"
#include "platform/win32/win_errors.h"
#include "platform/win32/win_types.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

typedef struct ldap LDAP;

namespace ads {

class operation_cancel;

struct bind_credentials {
    std::string user;
    std::string password;
};

class ldap_session {
public:
    ~ldap_session();
    ldap_session(const ldap_session&) = delete;
    ldap_session& operator=(const ldap_session&) = delete;

    // Connects to the path's server and binds; the thread's directory last error holds the
    // server's diagnostic text when it fails.
    static HRESULT open(const ads_path& path, const std::optional<bind_credentials>& credentials,
                        std::shared_ptr<ldap_session>& out);

    // A session over a connection the caller already made (a connected stream socket, which
    // the session then owns and closes), left anonymous: the answers of whatever is at the
    // other end meet the same bounds and parsing as a server's. The fuzz target of the LDAP
    // answers feeds a stream through it.
    static HRESULT open_over(int socket, const ads_path& path, std::shared_ptr<ldap_session>& out);

    LDAP* handle() const { return ld_; }
    const ads_path& path() const { return path_; }
    // How the session authenticated: "GSSAPI", "simple", "anonymous".
    const std::string& auth_method() const { return auth_method_; }

    // The HRESULT of an LDAP result code, after setting the thread's last directory error to
    // the diagnostic (or the session's own diagnostic message when none is given). A timeout
    // or a lost connection marks the session dead with that reason.
    HRESULT fail(int ldap_result, const std::string& diagnostic = {}) const;

    // The HRESULT of a server answer the layer refuses (one that breaks a bound of
    // ldap_bounds.h), after setting the thread's last directory error to `reason`; with
    // `ends_connection` the session is dead with that reason.
    HRESULT refuse(const std::string& reason, bool ends_connection) const;

    // S_OK while the session can be used; once it is dead, the HRESULT it died with, after
    // setting the thread's last directory error to the same text again.
    HRESULT alive() const;
    bool dead() const { return dead_ != S_OK; }

    // The values of one attribute of one object (a base search); S_OK with no values when the
    // object lacks the attribute, ERROR_DS_NO_SUCH_OBJECT when the object cannot be read.
    HRESULT read_values(const std::string& dn, const std::string& attribute, std::vector<std::string>& values) const;

    // The DN a path without one binds: rootDSE defaultNamingContext, else its first
    // namingContexts value.
    HRESULT default_naming_context(std::string& dn) const;

private:
    explicit ldap_session(const ads_path& path);

    HRESULT connect(const std::string& uri);
    void configure();
    void bound_incoming_messages();
    HRESULT bind_own_credentials();
    HRESULT bind_with_password(const bind_credentials& credentials);
    HRESULT bind_inside_tls(const bind_credentials& credentials);
    HRESULT simple_bind(const bind_credentials& credentials);
    void close();

    // The connection callbacks that tell the switch about each socket; kept for the handle's life.
    struct socket_watch;

    ads_path path_;
    std::shared_ptr<operation_cancel> cancel_;
    std::unique_ptr<socket_watch> watch_;
    LDAP* ld_ = nullptr;
    std::string auth_method_;

    // Why the session died; S_OK while it lives. Written by fail(), which const readers call.
    mutable HRESULT dead_ = S_OK;
    mutable DWORD dead_code_ = 0;
    mutable std::string dead_text_;
};

} // namespace ads
