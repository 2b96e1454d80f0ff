#include "platform/ads/ads_open_object.h"

#include "platform/ads/ads_last_error.h"
#include "platform/ads/directory_object.h"
#include "platform/ads/ldap_session.h"
#include "platform/win32/kerberos_paths.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <ldap.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>

namespace {

// What makes two binds the same connection: the server's URI and whose credentials, the
// caller's own (then the ticket cache they come from) or a user's and password.
struct connection_key {
    std::string uri;
    bool own_credentials = true;
    std::string user;
    std::string secret; // the password, or the caller's KRB5CCNAME; kept only in memory

    bool operator<(const connection_key& other) const
    {
        return std::tie(uri, own_credentials, user, secret) <
               std::tie(other.uri, other.own_credentials, other.user, other.secret);
    }
};

connection_key key_of(const ads::ads_path& path, const std::optional<ads::bind_credentials>& credentials)
{
    connection_key key;
    key.uri = path.uri();
    if (credentials) {
        key.own_credentials = false;
        key.user = credentials->user;
        key.secret = credentials->password;
    } else if (const char* cache = std::getenv("KRB5CCNAME")) {
        key.secret = cache;
    }
    return key;
}

// This thread's connections; an entry lives as long as an object bound over it does.
thread_local std::map<connection_key, std::weak_ptr<ads::ldap_session>> t_connections;

// The thread's connection for the key, or a new one opened and bound.
HRESULT open_connection(const ads::ads_path& path, const std::optional<ads::bind_credentials>& credentials,
                        std::shared_ptr<ads::ldap_session>& session)
{
    std::erase_if(t_connections, [](const auto& entry) { return entry.second.expired(); });
    const connection_key key = key_of(path, credentials);
    if (auto found = t_connections.find(key); found != t_connections.end()) {
        // (An object held by another thread may have let it go meanwhile.)
        if ((session = found->second.lock()) != nullptr) {
            if (session->dead())
                return session->alive(); // a dead connection answers at once, with its reason
            ads::set_last_error(0, {});
            return S_OK;
        }
    }
    // libkrb5 would wait for ever on a FIFO the environment names as its cache or its
    // configuration: such a path is refused before any bind.
    if (const std::string problem = win32::kerberos_environment_problem(); !problem.empty()) {
        ads::set_last_error(ERROR_BAD_ENVIRONMENT, problem);
        return HRESULT_FROM_WIN32(ERROR_BAD_ENVIRONMENT);
    }
    HRESULT hr = ads::ldap_session::open(path, credentials, session);
    if (SUCCEEDED(hr))
        t_connections[key] = session;
    return hr;
}

HRESULT bind_object(LPCWSTR path_name, const std::optional<ads::bind_credentials>& credentials, REFIID riid,
                    void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (path_name == nullptr)
        return E_ADS_BAD_PATHNAME;
    const std::u16string path_text(path_name);
    ads::ads_path path;
    HRESULT hr = ads::parse_ads_path(path_text, path);
    if (FAILED(hr)) {
        ads::set_last_error(HRESULT_CODE(hr), "The path '" + utf16_to_utf8(path_text) + "' is not a directory path");
        return hr;
    }
    std::shared_ptr<ads::ldap_session> session;
    hr = open_connection(path, credentials, session);
    if (FAILED(hr))
        return hr;

    // The bind succeeds only when the object it names can be read.
    std::string dn = path.dn;
    if (!path.root_dse && dn.empty()) {
        hr = session->default_naming_context(dn);
        if (FAILED(hr))
            return hr;
    }
    std::vector<std::string> none;
    hr = session->read_values(dn, LDAP_NO_ATTRS, none);
    if (FAILED(hr))
        return hr;

    ads::CDirectoryObject* bound = ads::CDirectoryObject::create(session, path_text, dn);
    if (bound == nullptr)
        return E_OUTOFMEMORY;
    hr = bound->QueryInterface(riid, object);
    bound->Release();
    return hr;
}

} // namespace

HRESULT ADsGetObject(LPCWSTR lpszPathName, REFIID riid, void** ppObject)
{
    return bind_object(lpszPathName, std::nullopt, riid, ppObject);
}

HRESULT ADsOpenObject(LPCWSTR lpszPathName, LPCWSTR lpszUserName, LPCWSTR lpszPassword, DWORD, REFIID riid,
                      void** ppObject)
{
    if (lpszUserName == nullptr && lpszPassword == nullptr)
        return bind_object(lpszPathName, std::nullopt, riid, ppObject);
    ads::bind_credentials credentials;
    credentials.user = lpszUserName != nullptr ? utf16_to_utf8(lpszUserName) : std::string();
    credentials.password = lpszPassword != nullptr ? utf16_to_utf8(lpszPassword) : std::string();
    if (credentials.password.empty()) {
        if (ppObject != nullptr)
            *ppObject = nullptr;
        // A simple bind with an empty password is an anonymous bind (RFC 4513) that servers
        // answer with success: it would pass for a logon the user never made.
        ads::set_last_error(ERROR_LOGON_FAILURE, "An empty password is not sent: it would bind anonymously");
        return HRESULT_FROM_WIN32(ERROR_LOGON_FAILURE);
    }
    return bind_object(lpszPathName, credentials, riid, ppObject);
}
