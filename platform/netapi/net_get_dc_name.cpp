#include "platform/netapi/net_api.h"

#include "platform/netapi/net_buffer.h"
#include "platform/netapi/samba_session.h"
#include "platform/netapi/server_name.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

NET_API_STATUS NetGetDCName(LPCWSTR servername, LPCWSTR domainname, LPBYTE* bufptr)
{
    if (!bufptr)
        return ERROR_INVALID_PARAMETER;
    *bufptr = nullptr;
    auto& session = netapi::samba_session::instance();
    std::string controller;
    std::string server = netapi::server_name(servername);
    NET_API_STATUS status = server.empty() ? session.locate_controller(netapi::name_arg(domainname), controller)
                                           : session.ask_controller(server, netapi::name_arg(domainname), controller);
    // The locator's "no such domain" and "no controller" both mean that no controller of
    // the domain could be found, which is how this call reports it.
    if (status == ERROR_NO_SUCH_DOMAIN || status == ERROR_DOMAIN_CONTROLLER_NOT_FOUND)
        status = NERR_DCNotFound;
    if (status != NERR_Success)
        return status;
    std::u16string name = u"\\\\" + utf8_to_utf16(controller);
    netapi::net_buffer buffer(0, 0, netapi::block_chars(name));
    if (!buffer.ok())
        return ERROR_NOT_ENOUGH_MEMORY;
    buffer.put(name);
    *bufptr = static_cast<LPBYTE>(buffer.release());
    return NERR_Success;
}
