#pragma once
// A scripted network for the unit tests that isolate CNetEnumerator's arithmetic: a provider
// with a list of records packed into the caller's page as the real one packs them, and
// controllers, server totals, display-information lists and local groups per controller. It
// counts the calls and the buffers it hands out, so a test can tell that every one is freed.

#include "collector/netapi/net_platform.h"
#include "platform/win32/win_errors.h"

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace netcol_test {

struct fake_record {
    DWORD display_type = RESOURCEDISPLAYTYPE_DOMAIN;
    DWORD usage = RESOURCEUSAGE_CONTAINER;
    std::u16string name;
};

class fake_net_platform final : public net_platform {
public:
    ~fake_net_platform();

    // --- the provider ---
    std::u16string provider_name = u"SMB Network";
    DWORD provider_name_code = NO_ERROR; // a failure of the name lookup
    DWORD open_code = NO_ERROR;          // a failure of WNetOpenEnumW
    std::vector<fake_record> records;
    // The call of WNetEnumResourceW (from 1) that fails with `enum_failure_code`.
    int enum_failure_call = 0;
    DWORD enum_failure_code = ERROR_EXTENDED_ERROR;
    // What WNetGetLastErrorW answers: its own result, the provider's code and text.
    DWORD last_error_result = NO_ERROR;
    DWORD last_error_code = 53;
    std::u16string last_error_text;

    int provider_name_calls = 0;
    int enum_calls = 0;
    int open_handles = 0;
    std::u16string opened_with_provider;

    // --- the management calls ---
    // Domain -> controller as NetGetDCName returns it ("\\NAME"); others fail with dc_failure.
    std::map<std::u16string, std::u16string> controllers;
    NET_API_STATUS dc_failure = NERR_DCNotFound;
    std::vector<std::u16string> dc_lookups;

    // Server type -> (code, total entries) of NetServerEnum.
    std::map<DWORD, std::pair<NET_API_STATUS, DWORD>> servers;
    std::vector<std::u16string> servers_asked; // the server names NetServerEnum got

    // Level -> the account flags of each entry (levels 1 to 3).
    std::map<DWORD, std::vector<DWORD>> display;
    // Level -> (call from 1, code) that fails instead of answering.
    std::map<DWORD, std::pair<int, NET_API_STATUS>> display_failure;
    bool display_success_without_buffer = false;
    bool display_more_without_entries = false;
    std::vector<DWORD> display_indexes; // the Index of every call
    std::vector<std::u16string> display_asked;

    DWORD local_groups = 0;
    DWORD local_groups_per_call = 0xFFFFFFFFu;
    int local_failure_call = 0;
    NET_API_STATUS local_failure_code = ERROR_ACCESS_DENIED;
    bool local_more_without_entries = false;
    int local_calls = 0;

    // Every use_credentials call: "user:password", or "" for the caller's own again.
    std::vector<std::u16string> credentials;

    std::size_t live_buffers() const { return m_buffers.size(); }

    DWORD WNetGetProviderNameW(DWORD net_type, LPWSTR provider, LPDWORD size) override;
    DWORD WNetOpenEnumW(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEW resource, HANDLE* handle) override;
    DWORD WNetEnumResourceW(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size) override;
    DWORD WNetCloseEnum(HANDLE handle) override;
    DWORD WNetGetLastErrorW(LPDWORD error, LPWSTR error_text, DWORD error_size, LPWSTR provider,
                            DWORD provider_size) override;
    NET_API_STATUS NetGetDCName(LPCWSTR server, LPCWSTR domain, LPBYTE* buffer) override;
    NET_API_STATUS NetServerEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD preferred_length,
                                 LPDWORD entries_read, LPDWORD total_entries, DWORD server_type, LPCWSTR domain,
                                 LPDWORD resume_handle) override;
    NET_API_STATUS NetQueryDisplayInformation(LPCWSTR server, DWORD level, DWORD index, DWORD requested,
                                              DWORD preferred_length, LPDWORD returned, void** buffer) override;
    NET_API_STATUS NetLocalGroupEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD preferred_length,
                                     LPDWORD entries_read, LPDWORD total_entries, DWORD_PTR* resume_handle) override;
    NET_API_STATUS NetApiBufferFree(void* buffer) override;
    void use_credentials(LPCWSTR user, LPCWSTR password) override
    {
        credentials.push_back(user == nullptr ? std::u16string() : std::u16string(user) + u":" + password);
    }

private:
    void* allocate(std::size_t bytes);

    std::set<void*> m_buffers;
    std::size_t m_next_record = 0;
    std::map<DWORD, int> m_display_calls;
    int m_handle_token = 0;
};

} // namespace netcol_test
