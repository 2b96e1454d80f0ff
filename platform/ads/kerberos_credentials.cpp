#include "platform/ads/kerberos_credentials.h"

#include "platform/ads/ldap_timeouts.h"

#include <gssapi/gssapi_krb5.h>
#include <krb5.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string.h>
#include <thread>

namespace ads {

namespace {

using outcome = kerberos_credentials::outcome;

outcome classify(krb5_error_code code)
{
    switch (code) {
    case 0: return outcome::acquired;
    case KRB5KDC_ERR_PREAUTH_FAILED:
    case KRB5KRB_AP_ERR_BAD_INTEGRITY:
        // The centre tried the password and it was wrong: that is the answer, not a reason to
        // try the same password elsewhere.
        return outcome::logon_failure;
    case KRB5_KDC_UNREACH:
    case KRB5_REALM_UNKNOWN:
    case KRB5_REALM_CANT_RESOLVE:
    case KRB5_CONFIG_NODEFREALM:
    case KRB5_CONFIG_CANTOPEN:
    case KRB5_CONFIG_BADFORMAT:
    case KRB5_NO_LOCALNAME: return outcome::no_kdc;
    default: return outcome::failed;
    }
}

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

// Shared by the caller and the thread that talks to the centre, so that a caller that stops
// waiting leaves the thread everything it still uses; the last owner frees it.
struct kerberos_credentials::state {
    std::string user, password, host;

    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    outcome result = outcome::failed;
    std::string diagnostic;

    krb5_context context = nullptr;
    krb5_ccache cache = nullptr;
    std::string cache_name;
    std::string principal;

    ~state()
    {
        explicit_bzero(password.data(), password.size());
        if (cache != nullptr)
            krb5_cc_destroy(context, cache);
        if (context != nullptr)
            krb5_free_context(context);
    }

    std::string message(krb5_error_code code) const
    {
        if (context == nullptr)
            return "Kerberos error " + std::to_string(code);
        const char* text = krb5_get_error_message(context, code);
        std::string copy = text != nullptr ? text : "";
        krb5_free_error_message(context, text);
        return copy;
    }

    // The name part and realm of the user; an empty realm is looked up. False for a name that
    // is no principal.
    bool split_user(std::string& name, std::string& realm) const
    {
        if (user.find('=') != std::string::npos)
            return false; // a distinguished name: only a simple bind knows it
        name = user;
        realm.clear();
        if (auto slash = name.find('\\'); slash != std::string::npos)
            name = name.substr(slash + 1); // the NetBIOS domain names no realm
        else if (auto at = name.rfind('@'); at != std::string::npos) {
            // A directory's realm is its DNS domain in capitals.
            realm = upper(name.substr(at + 1));
            name = name.substr(0, at);
        }
        return !name.empty();
    }

    krb5_error_code find_realm(std::string& realm)
    {
        char** realms = nullptr;
        if (!host.empty() && krb5_get_host_realm(context, host.c_str(), &realms) == 0) {
            if (realms != nullptr && realms[0] != nullptr && realms[0][0] != '\0')
                realm = realms[0];
            krb5_free_host_realm(context, realms);
            if (!realm.empty())
                return 0;
        }
        char* default_realm = nullptr;
        krb5_error_code code = krb5_get_default_realm(context, &default_realm);
        if (code != 0)
            return code;
        realm = default_realm;
        krb5_free_default_realm(context, default_realm);
        return 0;
    }

    void run()
    {
        std::string text;
        const outcome result = acquire(text);
        explicit_bzero(password.data(), password.size());
        std::lock_guard lock(mutex);
        this->result = result;
        diagnostic = std::move(text);
        done = true;
        finished.notify_all();
    }

    outcome acquire(std::string& text)
    {
        std::string name, realm;
        if (!split_user(name, realm))
            return outcome::not_a_principal;
        krb5_error_code code = krb5_init_context(&context);
        if (code != 0) {
            context = nullptr;
            text = message(code);
            return outcome::no_kdc; // no usable Kerberos configuration at all
        }
        if (realm.empty() && (code = find_realm(realm)) != 0) {
            text = message(code);
            return outcome::no_kdc;
        }
        // One component, built rather than parsed, so that a '/' or '@' in the name stays
        // part of the name.
        krb5_principal client = nullptr;
        code = krb5_build_principal(context, &client, static_cast<unsigned>(realm.size()), realm.c_str(), name.c_str(),
                                    static_cast<char*>(nullptr));
        if (code != 0) {
            text = message(code);
            return outcome::failed;
        }
        char* unparsed = nullptr;
        if (krb5_unparse_name(context, client, &unparsed) == 0) {
            principal = unparsed;
            krb5_free_unparsed_name(context, unparsed);
        }

        krb5_get_init_creds_opt* options = nullptr;
        code = krb5_get_init_creds_opt_alloc(context, &options);
        krb5_creds creds{};
        if (code == 0) {
            krb5_get_init_creds_opt_set_forwardable(options, 0);
            krb5_get_init_creds_opt_set_proxiable(options, 0);
            // No prompter: an expired password is a failure here, never a question.
            code = krb5_get_init_creds_password(context, &creds, client, password.c_str(), nullptr, nullptr, 0, nullptr,
                                                options);
            krb5_get_init_creds_opt_free(context, options);
        }
        if (code == 0)
            code = krb5_cc_new_unique(context, "MEMORY", nullptr, &cache);
        if (code == 0)
            code = krb5_cc_initialize(context, cache, creds.client);
        if (code == 0)
            code = krb5_cc_store_cred(context, cache, &creds);
        char* full_name = nullptr;
        if (code == 0 && (code = krb5_cc_get_full_name(context, cache, &full_name)) == 0) {
            cache_name = full_name;
            krb5_free_string(context, full_name);
        }
        krb5_free_cred_contents(context, &creds);
        krb5_free_principal(context, client);
        if (code != 0) {
            text = message(code);
            if (classify(code) == outcome::logon_failure)
                text = "The key distribution centre refused the password of " + principal + ": " + text;
            return classify(code);
        }
        return outcome::acquired;
    }
};

kerberos_credentials::~kerberos_credentials() = default;

const std::string& kerberos_credentials::cache_name() const { return state_->cache_name; }

const std::string& kerberos_credentials::principal() const { return state_->principal; }

outcome kerberos_credentials::acquire(const std::string& user, const std::string& password, const std::string& host,
                                      std::unique_ptr<kerberos_credentials>& out, std::string& diagnostic)
{
    out.reset();
    diagnostic.clear();
    auto s = std::make_shared<state>();
    s->user = user;
    s->password = password;
    s->host = host;
    // Each attempt has a context of its own, so attempts on several threads share nothing.
    std::thread([s] { s->run(); }).detach();

    // libkrb5 retries a silent centre for much longer than a logon should wait, and offers no
    // bound of its own here: the centre gets the connect timeout, then the bind goes on without
    // Kerberos.
    const auto deadline = configured_timeouts().connect;
    std::unique_lock lock(s->mutex);
    if (!s->finished.wait_for(lock, deadline, [&] { return s->done; })) {
        diagnostic = "No key distribution centre of the realm answered within " + describe_wait(deadline);
        return outcome::no_kdc; // the thread finishes and frees what it holds
    }
    diagnostic = s->diagnostic;
    const outcome result = s->result;
    lock.unlock();
    if (result == outcome::acquired)
        out.reset(new kerberos_credentials(std::move(s)));
    return result;
}

bool kerberos_credentials::with_thread_default_cache(const std::function<void()>& call) const
{
    // The GSS-API library keeps this setting per thread, so another thread's binds, and the
    // process environment (KRB5CCNAME), never see the private cache.
    OM_uint32 minor = 0;
    if (gss_krb5_ccache_name(&minor, state_->cache_name.c_str(), nullptr) != GSS_S_COMPLETE)
        return false; // binding now would use the user's own ticket under another identity
    call();
    // Cleared rather than set back to the name it had: the library reports the then-current
    // default (KRB5CCNAME) as the previous name, and pinning that would stop the thread
    // following a later change of KRB5CCNAME. This layer is the only one that sets it.
    gss_krb5_ccache_name(&minor, nullptr, nullptr);
    return true;
}

} // namespace ads
