#include "platform/ads/ads_open_object.h"

#include "platform/ads/ads_last_error.h"
#include "platform/ads/directory_object.h"
#include "platform/ads/ldap_session.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <ldap.h>

namespace {

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
    hr = ads::ldap_session::open(path, credentials, session);
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
