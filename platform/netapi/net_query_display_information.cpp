#include "platform/netapi/net_api.h"

#include "platform/netapi/net_buffer.h"
#include "platform/netapi/samba_session.h"
#include "platform/netapi/server_name.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <vector>

namespace {

struct converted {
    std::u16string name, comment, full_name;
};

} // namespace

NET_API_STATUS NetQueryDisplayInformation(LPCWSTR ServerName, DWORD Level, DWORD Index, DWORD EntriesRequested,
                                          DWORD PreferredMaximumLength, LPDWORD ReturnedEntryCount, void** SortedBuffer)
{
    if (!ReturnedEntryCount || !SortedBuffer)
        return ERROR_INVALID_PARAMETER;
    *ReturnedEntryCount = 0;
    *SortedBuffer = nullptr;
    if (Level < 1 || Level > 3)
        return ERROR_INVALID_LEVEL;

    std::vector<netapi::account_record> records;
    NET_API_STATUS status = netapi::samba_session::instance().query_display(
        netapi::server_name(ServerName), Level, Index, EntriesRequested, PreferredMaximumLength, records);
    if (status != NERR_Success && status != ERROR_MORE_DATA)
        return status;

    std::vector<converted> texts(records.size());
    std::size_t chars = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        texts[i] = {utf8_to_utf16(records[i].name), utf8_to_utf16(records[i].comment),
                    utf8_to_utf16(records[i].full_name)};
        chars += netapi::block_chars(texts[i].name) + netapi::block_chars(texts[i].comment);
        if (Level == 1)
            chars += netapi::block_chars(texts[i].full_name);
    }
    std::size_t size = Level == 1   ? sizeof(NET_DISPLAY_USER)
                       : Level == 2 ? sizeof(NET_DISPLAY_MACHINE)
                                    : sizeof(NET_DISPLAY_GROUP);
    netapi::net_buffer buffer(records.size(), size, chars);
    if (!buffer.ok())
        return ERROR_NOT_ENOUGH_MEMORY;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& record = records[i];
        if (Level == 1) {
            auto& user = static_cast<NET_DISPLAY_USER*>(buffer.records())[i];
            user.usri1_name = buffer.put(texts[i].name);
            user.usri1_comment = buffer.put(texts[i].comment);
            user.usri1_flags = record.flags;
            user.usri1_full_name = buffer.put(texts[i].full_name);
            user.usri1_user_id = record.id;
            user.usri1_next_index = record.next_index;
        } else if (Level == 2) {
            auto& machine = static_cast<NET_DISPLAY_MACHINE*>(buffer.records())[i];
            machine.usri2_name = buffer.put(texts[i].name);
            machine.usri2_comment = buffer.put(texts[i].comment);
            machine.usri2_flags = record.flags;
            machine.usri2_user_id = record.id;
            machine.usri2_next_index = record.next_index;
        } else {
            auto& group = static_cast<NET_DISPLAY_GROUP*>(buffer.records())[i];
            group.grpi3_name = buffer.put(texts[i].name);
            group.grpi3_comment = buffer.put(texts[i].comment);
            group.grpi3_group_id = record.id;
            group.grpi3_attributes = record.attributes;
            group.grpi3_next_index = record.next_index;
        }
    }
    *ReturnedEntryCount = static_cast<DWORD>(records.size());
    *SortedBuffer = buffer.release();
    return status;
}
