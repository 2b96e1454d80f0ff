#include "platform/mpr/wnet.h"

#include "platform/mpr/configured_domains.h"
#include "platform/mpr/provider_error.h"
#include "platform/mpr/smb_browser.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <libsmbclient.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace {

struct resource {
    DWORD display_type = RESOURCEDISPLAYTYPE_GENERIC;
    DWORD usage = RESOURCEUSAGE_CONTAINER;
    std::u16string remote_name;
    std::u16string comment;
};

// An open enumeration: the whole list, read when it was opened, and how far it was handed out.
struct enumeration {
    std::vector<resource> resources;
    std::size_t next = 0;
};

// Handles are checked against the set of open ones, so a stale or foreign handle is refused
// instead of followed.
std::mutex handles_mutex;
std::set<enumeration*> open_handles;

enumeration* find_open(HANDLE handle)
{
    auto* candidate = static_cast<enumeration*>(handle);
    return open_handles.count(candidate) ? candidate : nullptr;
}

std::size_t chars(const std::u16string& text) { return text.size() + 1; }

std::size_t bytes_needed(const resource& r)
{
    return sizeof(NETRESOURCEW) +
           (chars(r.remote_name) + chars(r.comment) + chars(mpr::provider_name())) * sizeof(char16_t);
}

DWORD browse_error(int error, const std::string& url)
{
    std::string text = "The browse list of " + url + " is not available: " + std::strerror(error);
    return mpr::set_provider_error(static_cast<DWORD>(error), utf8_to_utf16(text));
}

// The network's domains: those this machine is configured for, then the browse list's. Few
// networks of directory controllers serve a browse list (it needs SMB1 and a master browser),
// so the configuration is the list that works; libsmbclient's "not found" at the top means
// that no master browser answered, which adds nothing. A list that stays empty is a failure.
DWORD list_domains(std::vector<resource>& resources)
{
    const std::vector<std::string> configured = mpr::configured_domains();
    std::vector<mpr::browse_entry> entries;
    const std::string url = "smb://";
    const int error = mpr::browse(url, entries);
    std::vector<std::string> browsed;
    if (error == 0) {
        for (const auto& entry : entries)
            if (entry.type == SMBC_WORKGROUP)
                browsed.push_back(entry.name);
    }
    const std::vector<std::string> names = mpr::merge_domain_names(configured, browsed);
    if (names.empty()) {
        if (error != 0 && error != ENOENT)
            return browse_error(error, url);
        return mpr::set_provider_error(
            ENOENT, u"No domain is known: neither krb5.conf nor smb.conf names a realm, and no master "
                    u"browser answered");
    }
    for (const auto& name : names) {
        std::string comment;
        for (const auto& entry : entries)
            if (entry.type == SMBC_WORKGROUP && entry.name == name)
                comment = entry.comment;
        resources.push_back(
            {RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER, utf8_to_utf16(name), utf8_to_utf16(comment)});
    }
    return NO_ERROR;
}

} // namespace

DWORD WNetOpenEnumW(DWORD dwScope, DWORD dwType, DWORD dwUsage, LPNETRESOURCEW lpNetResource, HANDLE* lphEnum)
{
    if (!lphEnum)
        return ERROR_INVALID_PARAMETER;
    *lphEnum = nullptr;
    if (dwScope != RESOURCE_GLOBALNET)
        return ERROR_NOT_SUPPORTED; // no connections or remembered connections are kept
    if (dwType != RESOURCETYPE_ANY && dwType != RESOURCETYPE_DISK && dwType != RESOURCETYPE_PRINT)
        return ERROR_INVALID_PARAMETER;
    auto list = std::make_unique<enumeration>();
    if (dwUsage != 0 && !(dwUsage & RESOURCEUSAGE_CONTAINER)) {
        // Only containers are listed at these levels: nothing connectable to hand out.
    } else if (!lpNetResource) {
        list->resources.push_back({RESOURCEDISPLAYTYPE_NETWORK, RESOURCEUSAGE_CONTAINER, mpr::provider_name(), {}});
    } else {
        if (lpNetResource->lpProvider && mpr::provider_name() != lpNetResource->lpProvider)
            return ERROR_BAD_PROVIDER;
        if (!lpNetResource->lpRemoteName || !*lpNetResource->lpRemoteName) {
            if (DWORD code = list_domains(list->resources))
                return code;
        } else {
            // A domain's servers, from the browse list.
            const std::string url = "smb://" + utf16_to_utf8(lpNetResource->lpRemoteName);
            std::vector<mpr::browse_entry> entries;
            if (int error = mpr::browse(url, entries))
                return browse_error(error, url);
            for (const auto& entry : entries)
                list->resources.push_back(
                    {entry.type == SMBC_WORKGROUP ? RESOURCEDISPLAYTYPE_DOMAIN : RESOURCEDISPLAYTYPE_SERVER,
                     RESOURCEUSAGE_CONTAINER,
                     (entry.type == SMBC_WORKGROUP ? u"" : u"\\\\") + utf8_to_utf16(entry.name),
                     utf8_to_utf16(entry.comment)});
        }
    }
    std::lock_guard lock(handles_mutex);
    open_handles.insert(list.get());
    *lphEnum = list.release();
    return NO_ERROR;
}

DWORD WNetEnumResourceW(HANDLE hEnum, LPDWORD lpcCount, LPVOID lpBuffer, LPDWORD lpBufferSize)
{
    if (!lpcCount || *lpcCount == 0 || !lpBufferSize || (!lpBuffer && *lpBufferSize != 0))
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(handles_mutex);
    enumeration* list = find_open(hEnum);
    if (!list)
        return ERROR_INVALID_HANDLE;
    if (list->next >= list->resources.size()) {
        *lpcCount = 0;
        return ERROR_NO_MORE_ITEMS;
    }
    // Records from the front of the buffer, their strings from its end.
    auto* records = static_cast<NETRESOURCEW*>(lpBuffer);
    char* low = static_cast<char*>(lpBuffer);
    char* high = low + (*lpBufferSize & ~DWORD{1}); // strings stay on char16_t boundaries
    DWORD wanted = *lpcCount;
    DWORD count = 0;
    auto put = [&high](const std::u16string& text) {
        high -= chars(text) * sizeof(char16_t);
        std::memcpy(high, text.c_str(), chars(text) * sizeof(char16_t));
        return reinterpret_cast<LPWSTR>(high);
    };
    while (count < wanted && list->next < list->resources.size()) {
        const resource& r = list->resources[list->next];
        char* record_end = reinterpret_cast<char*>(records + count + 1);
        if (record_end > high || static_cast<std::size_t>(high - record_end) < bytes_needed(r) - sizeof(NETRESOURCEW))
            break;
        NETRESOURCEW& out = records[count];
        out = NETRESOURCEW{};
        out.dwScope = RESOURCE_GLOBALNET;
        out.dwType = RESOURCETYPE_ANY;
        out.dwDisplayType = r.display_type;
        out.dwUsage = r.usage;
        out.lpProvider = put(mpr::provider_name());
        out.lpComment = put(r.comment);
        out.lpRemoteName = put(r.remote_name);
        ++count;
        ++list->next;
    }
    if (count == 0) {
        *lpBufferSize = static_cast<DWORD>(bytes_needed(list->resources[list->next]));
        return ERROR_MORE_DATA;
    }
    *lpcCount = count;
    return NO_ERROR;
}

DWORD WNetCloseEnum(HANDLE hEnum)
{
    std::lock_guard lock(handles_mutex);
    enumeration* list = find_open(hEnum);
    if (!list)
        return ERROR_INVALID_HANDLE;
    open_handles.erase(list);
    delete list;
    return NO_ERROR;
}
