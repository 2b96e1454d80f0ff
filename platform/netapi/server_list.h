#pragma once
// The answer of NetServerEnum for a list of controllers: SERVER_INFO_100 or 101 records, as
// many as fit into the preferred length (all for MAX_PREFERRED_LENGTH), ERROR_MORE_DATA when
// some did not fit, the total always the whole list.

#include "platform/netapi/net_api.h"

#include <string>
#include <vector>

namespace netapi {

NET_API_STATUS pack_server_list(const std::vector<std::u16string>& names, DWORD level, DWORD type, DWORD prefmaxlen,
                                LPBYTE* bufptr, LPDWORD entriesread, LPDWORD totalentries);

} // namespace netapi
