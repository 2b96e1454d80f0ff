#include "platform/netapi/net_api.h"

#include "platform/netapi/samba_session.h"
#include "platform/netapi/server_list.h"
#include "platform/netapi/server_name.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <vector>

namespace {

constexpr DWORD CONTROLLER_TYPES = SV_TYPE_DOMAIN_CTRL | SV_TYPE_DOMAIN_BAKCTRL;

} // namespace

// The browse list behind this call is not served on a network without a browse master (an
// Active Directory domain with SMB1 off is one): the controllers are answered from the
// domain's server trust accounts instead, and every other type as such a network answers.
NET_API_STATUS NetServerEnum(LPCWSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                             LPDWORD totalentries, DWORD servertype, LPCWSTR domain, LPDWORD resume_handle)
{
    if (!bufptr || !entriesread || !totalentries)
        return ERROR_INVALID_PARAMETER;
    *bufptr = nullptr;
    *entriesread = 0;
    *totalentries = 0;
    if (level != 100 && level != 101)
        return ERROR_INVALID_LEVEL;
    if (resume_handle && *resume_handle != 0)
        return ERROR_INVALID_PARAMETER; // the list is answered whole, never resumed
    if (servertype == 0 || (servertype & ~CONTROLLER_TYPES) != 0)
        return ERROR_NO_BROWSER_SERVERS_FOUND;

    auto& session = netapi::samba_session::instance();
    std::string server = netapi::server_name(servername);
    if (server.empty()) {
        if (!domain || !*domain)
            return ERROR_NO_BROWSER_SERVERS_FOUND;
        NET_API_STATUS located = session.locate_controller(netapi::name_arg(domain), server);
        if (located != NERR_Success)
            return ERROR_NO_BROWSER_SERVERS_FOUND;
    }
    std::vector<std::string> accounts;
    NET_API_STATUS status = session.server_trust_accounts(server, accounts);
    if (status != NERR_Success)
        return status;
    std::vector<std::u16string> names;
    for (const auto& account : accounts)
        names.push_back(utf8_to_utf16(account));
    // Every controller of an Active Directory domain is writable: each is reported as one.
    return netapi::pack_server_list(names, level, SV_TYPE_SERVER | SV_TYPE_SERVER_NT | SV_TYPE_DOMAIN_CTRL, prefmaxlen,
                                    bufptr, entriesread, totalentries);
}
