#include "collector/ldap/get_ads_object.h"

#include "platform/ads/ads_open_object.h"
#include "platform/ads/ads_types.h"
#include "platform/win32/win_errors.h"

#include <string_view>

namespace ldap_collectors {

ads_bind_request make_bind_request(const WCHAR* name, const WCHAR* server, const WCHAR* suffix)
{
    const std::u16string_view whole = name != nullptr ? std::u16string_view(name) : std::u16string_view();
    const std::size_t first_slash = whole.find(u'/');

    ads_bind_request request;
    request.path = u"LDAP://";
    if (server != nullptr)
        request.path += server;
    else
        request.path += whole.substr(0, first_slash);
    if (suffix != nullptr) {
        if (suffix[0] != u'/')
            request.path += u'/';
        request.path += suffix;
    }

    if (first_slash != std::u16string_view::npos) {
        const std::u16string_view rest = whole.substr(first_slash + 1);
        const std::size_t second_slash = rest.find(u'/');
        request.user = std::u16string(rest.substr(0, second_slash));
        if (second_slash != std::u16string_view::npos)
            request.password = std::u16string(rest.substr(second_slash + 1));
    }
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
