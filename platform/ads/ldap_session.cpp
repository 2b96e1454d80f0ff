#include "platform/ads/ldap_session.h"

#include "platform/ads/ads_last_error.h"
#include "platform/ads/kerberos_credentials.h"
#include "platform/ads/ldap_bounds.h"
#include "platform/ads/ldap_error_map.h"
#include "platform/ads/ldap_timeouts.h"
#include "platform/ads/operation_cancel.h"
#include "platform/win32/win_errors.h"

#include <ldap.h>
#include <openldap.h>
#include <sasl/sasl.h>
#include <sys/time.h>

#include <cerrno>

namespace ads {

namespace {

constexpr int kLdapsPort = 636;

// The SASL GSSAPI exchange needs no answers from the user: the ticket is the credential.
int sasl_no_prompts(LDAP*, unsigned, void*, void* prompts)
{
    for (auto* p = static_cast<sasl_interact_t*>(prompts); p != nullptr && p->id != SASL_CB_LIST_END; ++p) {
        p->result = "";
        p->len = 0;
    }
    return LDAP_SUCCESS;
}

// StartTLS refused by the server (as opposed to a TLS handshake or certificate failure).
bool starttls_not_offered(int rc)
{
    return rc == LDAP_PROTOCOL_ERROR || rc == LDAP_UNAVAILABLE || rc == LDAP_UNWILLING_TO_PERFORM ||
           rc == LDAP_OPERATIONS_ERROR || rc == LDAP_NOT_SUPPORTED || rc == LDAP_OTHER;
}

// The connection itself failed, not one request: nothing more will come over it. An answer
// that cannot be decoded leaves libldap's reading of the stream in doubt (it keeps the request
// it was for half looked up, and reading on over it can trip its own assertions), so a server
// that sent one is not read again either.
bool ends_the_connection(int rc)
{
    return rc == LDAP_TIMEOUT || rc == LDAP_SERVER_DOWN || rc == LDAP_CONNECT_ERROR || rc == LDAP_DECODING_ERROR;
}

std::string too_large_text()
{
    return "The server sent a message larger than " + std::to_string(kMaxIncomingMessage >> 20) +
           " MiB, the most a directory answer may have, so the connection was closed";
}

} // namespace

struct ldap_session::socket_watch {
    explicit socket_watch(std::shared_ptr<operation_cancel> cancel) : cancel(std::move(cancel))
    {
        callbacks.lc_add = &socket_watch::added;
        callbacks.lc_del = &socket_watch::removed;
        callbacks.lc_arg = this;
    }

    static int socket_of(Sockbuf* sb)
    {
        int socket = -1;
        if (sb == nullptr || ber_sockbuf_ctrl(sb, LBER_SB_OPT_GET_FD, &socket) != 1)
            return -1;
        return socket;
    }
    static int added(LDAP*, Sockbuf* sb, LDAPURLDesc*, sockaddr*, ldap_conncb* ctx)
    {
        if (const int socket = socket_of(sb); socket >= 0)
            static_cast<socket_watch*>(ctx->lc_arg)->cancel->add(socket);
        return 0;
    }
    // Called before the socket is closed, so a cancel never shuts a number reused meanwhile.
    static void removed(LDAP*, Sockbuf* sb, ldap_conncb* ctx)
    {
        if (const int socket = socket_of(sb); socket >= 0)
            static_cast<socket_watch*>(ctx->lc_arg)->cancel->remove(socket);
    }

    std::shared_ptr<operation_cancel> cancel;
    ldap_conncb callbacks{};
};

ldap_session::ldap_session(const ads_path& path) : path_(path) {}

ldap_session::~ldap_session() { close(); }

void ldap_session::close()
{
    if (ld_ != nullptr) {
        ldap_unbind_ext_s(ld_, nullptr, nullptr);
        ld_ = nullptr;
    }
}

HRESULT ldap_session::fail(int rc, const std::string& diagnostic) const
{
    // libldap reports a message over the incoming bound as a lost connection with ERANGE, the
    // errno of its socket buffer's refusal; nothing between that refusal and here sets errno.
    if (rc == LDAP_SERVER_DOWN && errno == ERANGE)
        return refuse(too_large_text(), true);
    std::string text = diagnostic;
    if (text.empty() && ld_ != nullptr) {
        char* message = nullptr;
        if (ldap_get_option(ld_, LDAP_OPT_DIAGNOSTIC_MESSAGE, &message) == LDAP_OPT_SUCCESS && message != nullptr) {
            text = message;
            ldap_memfree(message);
        }
    }
    if (text.empty())
        text = ldap_err2string(rc);
    set_last_error(win32_from_ldap(rc), text);
    const HRESULT hr = hresult_from_ldap(rc);
    if (ends_the_connection(rc) && dead_ == S_OK) {
        dead_ = hr;
        dead_code_ = win32_from_ldap(rc);
        dead_text_ = text;
    }
    return hr;
}

HRESULT ldap_session::refuse(const std::string& reason, bool ends_connection) const
{
    set_last_error(kRefusedAnswerCode, reason);
    const HRESULT hr = HRESULT_FROM_WIN32(kRefusedAnswerCode);
    if (ends_connection && dead_ == S_OK) {
        dead_ = hr;
        dead_code_ = kRefusedAnswerCode;
        dead_text_ = reason;
    }
    return hr;
}

void ldap_session::bound_incoming_messages()
{
    // On the handle's own socket buffer, which every connection of the handle reads through
    // (LDAPS and StartTLS layers sit below it), so the bound holds before and after TLS.
    Sockbuf* sb = nullptr;
    ber_len_t max = kMaxIncomingMessage;
    if (ldap_get_option(ld_, LDAP_OPT_SOCKBUF, &sb) == LDAP_OPT_SUCCESS && sb != nullptr)
        ber_sockbuf_ctrl(sb, LBER_SB_OPT_SET_MAX_INCOMING, &max);
}

HRESULT ldap_session::alive() const
{
    if (dead_ == S_OK)
        return S_OK;
    set_last_error(dead_code_, dead_text_);
    return dead_;
}

HRESULT ldap_session::connect(const std::string& uri)
{
    close();
    dead_ = S_OK; // a new connection
    int rc = ldap_initialize(&ld_, uri.c_str());
    if (rc != LDAP_SUCCESS) {
        ld_ = nullptr;
        return fail(rc);
    }
    configure();
    return S_OK;
}

void ldap_session::configure()
{
    bound_incoming_messages();
    int version = LDAP_VERSION3;
    ldap_set_option(ld_, LDAP_OPT_PROTOCOL_VERSION, &version);
    // References are not followed: the counts are of this server's entries, and chasing them
    // would look up names the caller never gave.
    ldap_set_option(ld_, LDAP_OPT_REFERRALS, LDAP_OPT_OFF);
    const timeval connect_timeout = to_timeval(configured_timeouts().connect);
    ldap_set_option(ld_, LDAP_OPT_NETWORK_TIMEOUT, &connect_timeout);
    const timeval operation_timeout = to_timeval(configured_timeouts().operation);
    ldap_set_option(ld_, LDAP_OPT_TIMEOUT, &operation_timeout);
    if (cancel_) {
        if (!watch_)
            watch_ = std::make_unique<socket_watch>(cancel_);
        ldap_set_option(ld_, LDAP_OPT_CONNECT_CB, &watch_->callbacks);
    }
}

HRESULT ldap_session::bind_own_credentials()
{
    // The caller's Kerberos ticket when there is one. Without one the GSSAPI mechanism fails
    // locally before anything is sent, and the session stays anonymous, as the directory
    // service of the other platform does for a caller without domain credentials.
    int rc = ldap_sasl_interactive_bind_s(ld_, nullptr, "GSSAPI", nullptr, nullptr, LDAP_SASL_QUIET, sasl_no_prompts,
                                          nullptr);
    if (rc == LDAP_SUCCESS) {
        auth_method_ = "GSSAPI";
        return S_OK;
    }
    if (rc == LDAP_SERVER_DOWN || rc == LDAP_TIMEOUT || rc == LDAP_CONNECT_ERROR)
        return fail(rc);
    auth_method_ = "anonymous";
    return S_OK;
}

HRESULT ldap_session::simple_bind(const bind_credentials& credentials)
{
    berval password{static_cast<ber_len_t>(credentials.password.size()),
                    const_cast<char*>(credentials.password.data())};
    int rc = ldap_sasl_bind_s(ld_, credentials.user.c_str(), LDAP_SASL_SIMPLE, &password, nullptr, nullptr, nullptr);
    if (rc != LDAP_SUCCESS)
        return fail(rc);
    auth_method_ = "simple";
    return S_OK;
}

HRESULT ldap_session::bind_with_password(const bind_credentials& credentials)
{
    // Kerberos first: the password then goes only to the realm's key distribution centre.
    std::unique_ptr<kerberos_credentials> kerberos;
    std::string diagnostic;
    switch (kerberos_credentials::acquire(credentials.user, credentials.password, path_.host, kerberos, diagnostic)) {
    case kerberos_credentials::outcome::logon_failure:
        set_last_error(ERROR_LOGON_FAILURE, diagnostic);
        return HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE);
    case kerberos_credentials::outcome::acquired: {
        int rc = LDAP_LOCAL_ERROR;
        const bool ran = kerberos->with_thread_default_cache([&] {
            rc = ldap_sasl_interactive_bind_s(ld_, nullptr, "GSSAPI", nullptr, nullptr, LDAP_SASL_QUIET,
                                              sasl_no_prompts, nullptr);
        });
        if (ran && rc == LDAP_SUCCESS) {
            auth_method_ = "GSSAPI";
            return S_OK;
        }
        if (rc == LDAP_SERVER_DOWN || rc == LDAP_TIMEOUT || rc == LDAP_CONNECT_ERROR)
            return fail(rc);
        // The credentials are good but this server took no Kerberos bind (no service
        // principal for the name the path gives, say): the protected simple bind remains, on
        // a fresh connection.
        HRESULT hr = connect(path_.uri());
        if (FAILED(hr))
            return hr;
        break;
    }
    default: break; // no reachable centre, or a user only the server knows: the simple bind decides
    }
    return bind_inside_tls(credentials);
}

HRESULT ldap_session::bind_inside_tls(const bind_credentials& credentials)
{
    int rc = ldap_start_tls_s(ld_, nullptr, nullptr);
    if (rc == LDAP_SUCCESS)
        return simple_bind(credentials);
    if (rc == LDAP_CONNECT_ERROR) {
        // The server answered StartTLS and the handshake then failed: most often its
        // certificate did not verify, which libldap's own text ("(unknown error code)" with
        // some TLS libraries) does not say.
        std::string detail;
        char* message = nullptr;
        if (ldap_get_option(ld_, LDAP_OPT_DIAGNOSTIC_MESSAGE, &message) == LDAP_OPT_SUCCESS && message != nullptr) {
            detail = message;
            ldap_memfree(message);
        }
        if (detail.empty() || detail == "(unknown error code)")
            detail = "the TLS handshake failed";
        return fail(rc, "The server's certificate was not accepted or TLS could not be set up: " + detail);
    }
    if (!starttls_not_offered(rc))
        return fail(rc); // the server could not be reached

    std::string starttls_refusal;
    {
        char* message = nullptr;
        if (ldap_get_option(ld_, LDAP_OPT_DIAGNOSTIC_MESSAGE, &message) == LDAP_OPT_SUCCESS && message != nullptr) {
            starttls_refusal = message;
            ldap_memfree(message);
        }
    }
    // A path with a port of its own names exactly that endpoint; otherwise LDAPS on its
    // standard port is the other protected way in.
    if (!path_.explicit_port) {
        HRESULT hr = connect(path_.uri(true, kLdapsPort));
        if (FAILED(hr))
            return hr;
        // The TLS handshake happens at the bind; a refused connection means no LDAPS either.
        berval password{static_cast<ber_len_t>(credentials.password.size()),
                        const_cast<char*>(credentials.password.data())};
        rc = ldap_sasl_bind_s(ld_, credentials.user.c_str(), LDAP_SASL_SIMPLE, &password, nullptr, nullptr, nullptr);
        if (rc == LDAP_SUCCESS) {
            auth_method_ = "simple";
            return S_OK;
        }
        if (rc != LDAP_SERVER_DOWN && rc != LDAP_CONNECT_ERROR)
            return fail(rc);
    }
    return fail(LDAP_CONFIDENTIALITY_REQUIRED,
                "The server offers neither StartTLS nor LDAPS, so the password was not sent" +
                    (starttls_refusal.empty() ? std::string() : " (StartTLS: " + starttls_refusal + ")"));
}

HRESULT ldap_session::open(const ads_path& path, const std::optional<bind_credentials>& credentials,
                           std::shared_ptr<ldap_session>& out)
{
    std::shared_ptr<ldap_session> session(new ldap_session(path));
    session->cancel_ = current_operation_cancel();
    if (session->cancel_ && session->cancel_->cancelled()) {
        set_last_error(ERROR_CANCELLED, "The operation was cancelled");
        return HRESULT_FROM_WIN32(ERROR_CANCELLED);
    }
    HRESULT hr = session->connect(path.uri());
    if (FAILED(hr))
        return hr;
    errno = 0; // fail() reads libldap's reason for a lost connection from it
    hr = credentials ? session->bind_with_password(*credentials) : session->bind_own_credentials();
    if (FAILED(hr))
        return hr;
    out = std::move(session);
    set_last_error(0, {});
    return S_OK;
}

HRESULT ldap_session::open_over(int socket, const ads_path& path, std::shared_ptr<ldap_session>& out)
{
    std::shared_ptr<ldap_session> session(new ldap_session(path));
    const int rc = ldap_init_fd(socket, LDAP_PROTO_TCP, path.uri().c_str(), &session->ld_);
    if (rc != LDAP_SUCCESS) {
        session->ld_ = nullptr;
        return session->fail(rc);
    }
    session->configure();
    session->auth_method_ = "anonymous";
    out = std::move(session);
    set_last_error(0, {});
    return S_OK;
}

HRESULT ldap_session::read_values(const std::string& dn, const std::string& attribute,
                                  std::vector<std::string>& values) const
{
    values.clear();
    if (HRESULT hr = alive(); FAILED(hr))
        return hr;
    char* attrs[] = {const_cast<char*>(attribute.c_str()), nullptr};
    LDAPMessage* result = nullptr;
    timeval timeout = to_timeval(configured_timeouts().operation);
    errno = 0; // fail() reads libldap's reason for a lost connection from it
    int rc = ldap_search_ext_s(ld_, dn.c_str(), LDAP_SCOPE_BASE, "(objectClass=*)", attrs, 0, nullptr, nullptr,
                               &timeout, 1, &result);
    if (rc != LDAP_SUCCESS) {
        if (result != nullptr)
            ldap_msgfree(result);
        return fail(rc, rc == LDAP_TIMEOUT ? no_answer_text() : std::string());
    }
    LDAPMessage* entry = ldap_first_entry(ld_, result);
    if (entry == nullptr) {
        ldap_msgfree(result);
        // An object the caller may not read is, to the caller, not there.
        return fail(LDAP_NO_SUCH_OBJECT, "The object '" + dn + "' cannot be read");
    }
    if (attribute != LDAP_NO_ATTRS) {
        berval** found = ldap_get_values_len(ld_, entry, attribute.c_str());
        if (found != nullptr) {
            for (berval** v = found; *v != nullptr; ++v)
                values.emplace_back((*v)->bv_val, (*v)->bv_len);
            ldap_value_free_len(found);
        }
    }
    ldap_msgfree(result);
    return S_OK;
}

HRESULT ldap_session::default_naming_context(std::string& dn) const
{
    std::vector<std::string> values;
    HRESULT hr = read_values("", "defaultNamingContext", values);
    if (FAILED(hr))
        return hr;
    if (values.empty()) {
        hr = read_values("", "namingContexts", values);
        if (FAILED(hr))
            return hr;
    }
    if (values.empty())
        return fail(LDAP_NO_SUCH_OBJECT, "The server names no naming context");
    dn = values.front();
    return S_OK;
}

} // namespace ads
