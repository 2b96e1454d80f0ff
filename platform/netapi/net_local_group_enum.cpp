#include "platform/netapi/net_api.h"

#include "platform/netapi/net_buffer.h"
#include "platform/netapi/samba_session.h"
#include "platform/netapi/server_name.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <vector>

// The resume handle is the index of the next group in the server's list, which is read whole
// each call: the preferred length only decides how much of it one answer carries.
NET_API_STATUS NetLocalGroupEnum(LPCWSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                                 LPDWORD totalentries, DWORD_PTR* resumehandle)
{
    if (!bufptr || !entriesread || !totalentries)
        return ERROR_INVALID_PARAMETER;
    *bufptr = nullptr;
    *entriesread = 0;
    *totalentries = 0;
    if (level > 1)
        return ERROR_INVALID_LEVEL;
    std::vector<netapi::account_record> records;
    NET_API_STATUS status = netapi::samba_session::instance().local_groups(netapi::server_name(servername), level,
                                                                           records);
    if (status != NERR_Success)
        return status;
    std::size_t start = resumehandle ? static_cast<std::size_t>(*resumehandle) : 0;
    if (start > records.size())
        return ERROR_INVALID_PARAMETER;

    std::size_t record = level == 0 ? sizeof(LOCALGROUP_INFO_0) : sizeof(LOCALGROUP_INFO_1);
    std::vector<std::u16string> names, comments;
    std::size_t chars = 0;
    std::size_t used = 0;
    for (std::size_t i = start; i < records.size(); ++i) {
        std::u16string name = utf8_to_utf16(records[i].name);
        std::u16string comment = utf8_to_utf16(records[i].comment);
        std::size_t more = netapi::block_chars(name) + (level == 1 ? netapi::block_chars(comment) : 0);
        std::size_t needed = record + more * sizeof(char16_t);
        // At least one entry per answer, so that paging always moves on.
        if (prefmaxlen != MAX_PREFERRED_LENGTH && !names.empty() && used + needed > prefmaxlen)
            break;
        used += needed;
        chars += more;
        names.push_back(std::move(name));
        comments.push_back(std::move(comment));
    }
    netapi::net_buffer buffer(names.size(), record, chars);
    if (!buffer.ok())
        return ERROR_NOT_ENOUGH_MEMORY;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (level == 0) {
            static_cast<LOCALGROUP_INFO_0*>(buffer.records())[i].lgrpi0_name = buffer.put(names[i]);
        } else {
            auto& group = static_cast<LOCALGROUP_INFO_1*>(buffer.records())[i];
            group.lgrpi1_name = buffer.put(names[i]);
            group.lgrpi1_comment = buffer.put(comments[i]);
        }
    }
    std::size_t next = start + names.size();
    bool more = next < records.size();
    if (resumehandle)
        *resumehandle = more ? next : 0;
    *entriesread = static_cast<DWORD>(names.size());
    *totalentries = static_cast<DWORD>(records.size() - start);
    *bufptr = static_cast<LPBYTE>(buffer.release());
    return more ? ERROR_MORE_DATA : NERR_Success;
}
