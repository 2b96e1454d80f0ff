#include "platform/netapi/server_list.h"

#include "platform/netapi/net_buffer.h"
#include "platform/win32/win_errors.h"

namespace netapi {

NET_API_STATUS pack_server_list(const std::vector<std::u16string>& names, DWORD level, DWORD type, DWORD prefmaxlen,
                                LPBYTE* bufptr, LPDWORD entriesread, LPDWORD totalentries)
{
    std::size_t record = level == 100 ? sizeof(SERVER_INFO_100) : sizeof(SERVER_INFO_101);
    std::size_t fit = 0;
    std::size_t used = 0;
    std::size_t chars = 0;
    for (const auto& name : names) {
        // The name, and at level 101 the empty comment.
        std::size_t name_chars = netapi::block_chars(name) + (level == 101 ? 1 : 0);
        std::size_t needed = record + name_chars * sizeof(char16_t);
        if (prefmaxlen != MAX_PREFERRED_LENGTH && used + needed > prefmaxlen)
            break;
        used += needed;
        chars += name_chars;
        ++fit;
    }
    netapi::net_buffer buffer(fit, record, chars);
    if (!buffer.ok())
        return ERROR_NOT_ENOUGH_MEMORY;
    for (std::size_t i = 0; i < fit; ++i) {
        if (level == 100) {
            auto& server = static_cast<SERVER_INFO_100*>(buffer.records())[i];
            server.sv100_platform_id = PLATFORM_ID_NT;
            server.sv100_name = buffer.put(names[i]);
        } else {
            auto& server = static_cast<SERVER_INFO_101*>(buffer.records())[i];
            server.sv101_platform_id = PLATFORM_ID_NT;
            server.sv101_name = buffer.put(names[i]);
            server.sv101_type = type;
            server.sv101_comment = buffer.put(std::u16string_view());
        }
    }
    *entriesread = static_cast<DWORD>(fit);
    *totalentries = static_cast<DWORD>(names.size());
    *bufptr = static_cast<LPBYTE>(buffer.release());
    return fit < names.size() ? ERROR_MORE_DATA : NERR_Success;
}

} // namespace netapi
