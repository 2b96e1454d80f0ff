#include "collector/ldap/get_ads_object.h"

#include "platform/win32/entry_name.h"
#include "platform/ads/ads_open_object.h"
#include "platform/ads/ads_types.h"
#include "platform/win32/win_errors.h"

#include <string_view>

namespace ldap_collectors {

ads_bind_request make_bind_request(const WCHAR* name, const WCHAR* server, const WCHAR* suffix)
{
    win32::entry_name entry = win32::parse_entry_name(name != nullptr ? std::u16string_view(name) : std::u16string_view());
    ads_bind_request request;
    request.path = u"LDAP://";
    request.path += server != nullptr ? std::u16string(server) : entry.host;
    if (suffix != nullptr) {
        if (suffix[0] != u'/')
            request.path += u'/';
        request.path += suffix;
    }
    request.user = std::move(entry.user);
    request.password = std::move(entry.password);
    return request;
}

} // namespace ldap_collectors

HRESULT GetADsObject(const WCHAR* name, const WCHAR* server, const WCHAR* suffix, REFIID riid, void** object)
{
    if (name == nullptr || object == nullptr)
        return E_POINTER;
    const ldap_collectors::ads_bind_request request = ldap_collectors::make_bind_request(name, server, suffix);
    if (!request.user)
        return ADsGetObject(request.path.c_str(), riid, object);
    return ADsOpenObject(request.path.c_str(), request.user->c_str(), request.password.c_str(),
                         ADS_SECURE_AUTHENTICATION, riid, object);
}
