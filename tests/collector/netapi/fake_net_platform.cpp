#include "fake_net_platform.h"

#include "platform/win32/win_errors.h"

#include <algorithm>
#include <cstring>

namespace netcol_test {

namespace {

void copy_cut(const std::u16string& text, LPWSTR target, DWORD size)
{
    if (target == nullptr || size == 0)
        return;
    const std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    std::copy_n(text.data(), n, target);
    target[n] = 0;
}

} // namespace

fake_net_platform::~fake_net_platform()
{
    for (void* buffer : m_buffers)
        ::operator delete(buffer);
}

void* fake_net_platform::allocate(std::size_t bytes)
{
    void* buffer = ::operator new(bytes == 0 ? 1 : bytes);
    std::memset(buffer, 0, bytes == 0 ? 1 : bytes);
    m_buffers.insert(buffer);
    return buffer;
}

DWORD fake_net_platform::WNetGetProviderNameW(DWORD net_type, LPWSTR provider, LPDWORD size)
{
    ++provider_name_calls;
    if (net_type != WNNC_NET_LANMAN)
        return ERROR_INVALID_PARAMETER;
    if (provider_name_code != NO_ERROR)
        return provider_name_code;
    const DWORD needed = static_cast<DWORD>(provider_name.size() + 1);
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    copy_cut(provider_name, provider, *size);
    return NO_ERROR;
}

DWORD fake_net_platform::WNetOpenEnumW(DWORD scope, DWORD, DWORD usage, LPNETRESOURCEW resource, HANDLE* handle)
{
    *handle = nullptr;
    if (scope != RESOURCE_GLOBALNET || usage != RESOURCEUSAGE_CONTAINER || resource == nullptr)
        return ERROR_INVALID_PARAMETER;
    opened_with_provider = resource->lpProvider != nullptr ? resource->lpProvider : u"";
    if (open_code != NO_ERROR)
        return open_code;
    *handle = &m_handle_token;
    ++open_handles;
    m_next_record = 0;
    enum_calls = 0;
    return NO_ERROR;
}

DWORD fake_net_platform::WNetEnumResourceW(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size)
{
    if (handle != &m_handle_token)
        return ERROR_INVALID_HANDLE;
    ++enum_calls;
    if (enum_calls == enum_failure_call)
        return enum_failure_code;
    if (m_next_record == records.size()) {
        *count = 0;
        return ERROR_NO_MORE_ITEMS;
    }
    // Records from the front of the page, their strings from its end.
    auto* page = static_cast<std::byte*>(buffer);
    std::size_t string_end = *size;
    DWORD delivered = 0;
    while (m_next_record < records.size() && delivered < *count) {
        const fake_record& record = records[m_next_record];
        const std::size_t text_bytes = (record.name.size() + 1) * sizeof(WCHAR);
        const std::size_t records_end = (delivered + 1) * sizeof(NETRESOURCEW);
        if (records_end + text_bytes > string_end)
            break;
        string_end -= text_bytes;
        auto* text = reinterpret_cast<WCHAR*>(page + string_end);
        std::copy_n(record.name.c_str(), record.name.size() + 1, text);
        NETRESOURCEW& out = reinterpret_cast<NETRESOURCEW*>(page)[delivered];
        out = NETRESOURCEW{};
        out.dwScope = RESOURCE_GLOBALNET;
        out.dwDisplayType = record.display_type;
        out.dwUsage = record.usage;
        out.lpRemoteName = text;
        ++delivered;
        ++m_next_record;
    }
    if (delivered == 0) {
        *size = static_cast<DWORD>(sizeof(NETRESOURCEW) + (records[m_next_record].name.size() + 1) * sizeof(WCHAR));
        return ERROR_MORE_DATA;
    }
    *count = delivered;
    return NO_ERROR;
}

DWORD fake_net_platform::WNetCloseEnum(HANDLE handle)
{
    if (handle != &m_handle_token || open_handles == 0)
        return ERROR_INVALID_HANDLE;
    --open_handles;
    return NO_ERROR;
}

DWORD fake_net_platform::WNetGetLastErrorW(LPDWORD error, LPWSTR error_text, DWORD error_size, LPWSTR provider,
                                           DWORD provider_size)
{
    if (last_error_result != NO_ERROR)
        return last_error_result;
    *error = last_error_code;
    copy_cut(last_error_text, error_text, error_size);
    copy_cut(provider_name, provider, provider_size);
    return NO_ERROR;
}

NET_API_STATUS fake_net_platform::NetGetDCName(LPCWSTR server, LPCWSTR domain, LPBYTE* buffer)
{
    *buffer = nullptr;
    if (server != nullptr)
        return ERROR_INVALID_PARAMETER; // the enumerator asks the locator, never a server
    dc_lookups.emplace_back(domain);
    const auto found = controllers.find(domain);
    if (found == controllers.end())
        return dc_failure;
    auto* text = static_cast<WCHAR*>(allocate((found->second.size() + 1) * sizeof(WCHAR)));
    std::copy_n(found->second.c_str(), found->second.size() + 1, text);
    *buffer = reinterpret_cast<LPBYTE>(text);
    return NERR_Success;
}

NET_API_STATUS fake_net_platform::NetServerEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD,
                                                LPDWORD entries_read, LPDWORD total_entries, DWORD server_type, LPCWSTR,
                                                LPDWORD resume_handle)
{
    *buffer = nullptr;
    *entries_read = 0;
    *total_entries = 0;
    servers_asked.emplace_back(server != nullptr ? server : u"");
    if (level != 101 || (resume_handle != nullptr && *resume_handle != 0))
        return ERROR_INVALID_PARAMETER;
    const auto found = servers.find(server_type);
    if (found == servers.end())
        return ERROR_NO_BROWSER_SERVERS_FOUND;
    const auto [code, total] = found->second;
    if (code == NERR_Success || code == ERROR_MORE_DATA) {
        *buffer = static_cast<LPBYTE>(allocate(sizeof(SERVER_INFO_101)));
        *entries_read = code == NERR_Success ? total : 0;
        *total_entries = total;
    }
    return code;
}

NET_API_STATUS fake_net_platform::NetQueryDisplayInformation(LPCWSTR server, DWORD level, DWORD index, DWORD requested,
                                                             DWORD, LPDWORD returned, void** buffer)
{
    *buffer = nullptr;
    *returned = 0;
    display_asked.emplace_back(server != nullptr ? server : u"");
    display_indexes.push_back(index);
    const int call = ++m_display_calls[level];
    const auto failure = display_failure.find(level);
    if (failure != display_failure.end() && failure->second.first == call)
        return failure->second.second;
    if (display_success_without_buffer)
        return NERR_Success;
    const std::vector<DWORD>& entries = display[level];
    if (display_more_without_entries) {
        *buffer = allocate(0);
        return ERROR_MORE_DATA;
    }
    // The next index of an entry is its position plus one: where the next call starts.
    const std::size_t first = std::min<std::size_t>(index, entries.size());
    const std::size_t n = std::min<std::size_t>(requested, entries.size() - first);
    *returned = static_cast<DWORD>(n);
    if (level == 1) {
        auto* users = static_cast<NET_DISPLAY_USER*>(allocate(n * sizeof(NET_DISPLAY_USER)));
        for (std::size_t i = 0; i < n; ++i) {
            users[i].usri1_flags = entries[first + i];
            users[i].usri1_next_index = static_cast<DWORD>(first + i + 1);
        }
        *buffer = users;
    } else if (level == 2) {
        auto* machines = static_cast<NET_DISPLAY_MACHINE*>(allocate(n * sizeof(NET_DISPLAY_MACHINE)));
        for (std::size_t i = 0; i < n; ++i)
            machines[i].usri2_next_index = static_cast<DWORD>(first + i + 1);
        *buffer = machines;
    } else if (level == 3) {
        auto* groups = static_cast<NET_DISPLAY_GROUP*>(allocate(n * sizeof(NET_DISPLAY_GROUP)));
        for (std::size_t i = 0; i < n; ++i)
            groups[i].grpi3_next_index = static_cast<DWORD>(first + i + 1);
        *buffer = groups;
    } else {
        return ERROR_INVALID_LEVEL;
    }
    return first + n < entries.size() ? ERROR_MORE_DATA : NERR_Success;
}

NET_API_STATUS fake_net_platform::NetLocalGroupEnum(LPCWSTR, DWORD level, LPBYTE* buffer, DWORD, LPDWORD entries_read,
                                                    LPDWORD total_entries, DWORD_PTR* resume_handle)
{
    *buffer = nullptr;
    *entries_read = 0;
    *total_entries = local_groups;
    ++local_calls;
    if (level != 0 || resume_handle == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (local_calls == local_failure_call)
        return local_failure_code;
    if (local_more_without_entries) {
        *buffer = static_cast<LPBYTE>(allocate(0));
        return ERROR_MORE_DATA;
    }
    const DWORD first = static_cast<DWORD>(*resume_handle);
    const DWORD n = std::min(local_groups_per_call, local_groups - first);
    *buffer = static_cast<LPBYTE>(allocate(n * sizeof(LOCALGROUP_INFO_0)));
    *entries_read = n;
    const bool more = first + n < local_groups;
    *resume_handle = more ? first + n : 0;
    return more ? ERROR_MORE_DATA : NERR_Success;
}

NET_API_STATUS fake_net_platform::NetApiBufferFree(void* buffer)
{
    if (buffer == nullptr)
        return NERR_Success;
    if (m_buffers.erase(buffer) == 0)
        return ERROR_INVALID_PARAMETER;
    ::operator delete(buffer);
    return NERR_Success;
}

} // namespace netcol_test
