#pragma once
// CNetEnumerator: the collector's one gateway to the network. It lists the domains that the
// LanMan network provider shows, and counts servers, machine accounts, users, enabled users,
// global and local groups of a domain over the management calls, always asking the domain's
// primary controller, whose name it looks up once per domain name (case counts) and keeps,
// failures included, for its whole life; a count that meets a kept failure gives the lookup's
// code again, so that every failed count has its reason. Used by one thread at a time;
// nothing is locked.

#include "collector/netapi/net_platform.h"
#include "platform/com/variant.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CNetEnumerator {
public:
    explicit CNetEnumerator(net_platform& platform = system_net_platform());
    ~CNetEnumerator();
    CNetEnumerator(const CNetEnumerator&) = delete;
    CNetEnumerator& operator=(const CNetEnumerator&) = delete;

    // 0 with `domains` holding a string array of the provider's domains (an empty variant
    // when there is none); else the Win32 code of the failing provider call, after setting
    // the thread's COM error information, with `domains` left as it was.
    DWORD EnumerateDomains(VARIANT* domains);

    // The servers of that type, or the domain's machine accounts for SV_TYPE_ALL; -1 on
    // failure with the code in GetLastError.
    LONG NetServerCount(const std::u16string& domain, DWORD server_type);
    // The user accounts; `enabled` receives those not disabled (-1 when the count fails once
    // the controller is known; left as it was when the controller is not).
    LONG NetUserCount(const std::u16string& domain, LONG& enabled);
    // The local groups when `local`, else the global groups.
    LONG NetGroupCount(const std::u16string& domain, bool local);

    DWORD GetLastError() const { return m_last_error; }

    // Bytes of the page the provider's records are read into.
    static constexpr DWORD page_size = 16384;
    // Entries of display information asked for a call.
    static constexpr DWORD display_entries_per_call = 100;

private:
    DWORD getProviderName();
    DWORD OpenEnum(LPWSTR local_name);
    DWORD GetNextItem(LPWSTR& name, DWORD& display_type, DWORD& usage);
    void CloseEnum();
    void netErrorHandler(DWORD code);
    const WCHAR* getBrowser(const std::u16string& domain);
    LONG localGroupsCount(const std::u16string& domain);
    LONG queryDisplayInformationCount(const std::u16string& domain, DWORD level, LONG* enabled);

    net_platform& m_platform;
    std::vector<WCHAR> m_provider;
    // A domain's controller, or (an empty name) the code its lookup failed with.
    struct controller_entry {
        std::vector<WCHAR> name;
        DWORD failure = NO_ERROR;
    };
    std::map<std::u16string, controller_entry> m_controllers;
    HANDLE m_enum = nullptr;
    std::unique_ptr<std::byte[]> m_page;
    DWORD m_next = 0xFFFFFFFFu;
    DWORD m_last = 0;
    DWORD m_last_error = 0;
};
