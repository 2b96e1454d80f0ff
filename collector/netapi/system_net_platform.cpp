#include "collector/netapi/net_platform.h"

#include "platform/netapi/thread_credentials.h"
#include "platform/win32/text.h"

namespace {

class system_platform final : public net_platform {
public:
    DWORD WNetGetProviderNameW(DWORD net_type, LPWSTR provider, LPDWORD size) override
    {
        return ::WNetGetProviderNameW(net_type, provider, size);
    }
    DWORD WNetOpenEnumW(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEW resource, HANDLE* handle) override
    {
        return ::WNetOpenEnumW(scope, type, usage, resource, handle);
    }
    DWORD WNetEnumResourceW(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size) override
    {
        return ::WNetEnumResourceW(handle, count, buffer, size);
    }
    DWORD WNetCloseEnum(HANDLE handle) override { return ::WNetCloseEnum(handle); }
    DWORD WNetGetLastErrorW(LPDWORD error, LPWSTR error_text, DWORD error_size, LPWSTR provider,
                            DWORD provider_size) override
    {
        return ::WNetGetLastErrorW(error, error_text, error_size, provider, provider_size);
    }

    NET_API_STATUS NetGetDCName(LPCWSTR server, LPCWSTR domain, LPBYTE* buffer) override
    {
        return ::NetGetDCName(server, domain, buffer);
    }
    NET_API_STATUS NetServerEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD preferred_length,
                                 LPDWORD entries_read, LPDWORD total_entries, DWORD server_type, LPCWSTR domain,
                                 LPDWORD resume_handle) override
    {
        return ::NetServerEnum(server, level, buffer, preferred_length, entries_read, total_entries, server_type,
                               domain, resume_handle);
    }
    NET_API_STATUS NetQueryDisplayInformation(LPCWSTR server, DWORD level, DWORD index, DWORD requested,
                                              DWORD preferred_length, LPDWORD returned, void** buffer) override
    {
        return ::NetQueryDisplayInformation(server, level, index, requested, preferred_length, returned, buffer);
    }
    NET_API_STATUS NetLocalGroupEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD preferred_length,
                                     LPDWORD entries_read, LPDWORD total_entries, DWORD_PTR* resume_handle) override
    {
        return ::NetLocalGroupEnum(server, level, buffer, preferred_length, entries_read, total_entries, resume_handle);
    }
    NET_API_STATUS NetApiBufferFree(void* buffer) override { return ::NetApiBufferFree(buffer); }
    void use_credentials(LPCWSTR user, LPCWSTR password) override
    {
        if (user == nullptr) {
            netapi::set_thread_credentials(std::nullopt);
            return;
        }
        netapi::set_thread_credentials(
            netapi::user_credentials{utf16_to_utf8(user), utf16_to_utf8(password != nullptr ? password : u"")});
    }
};

} // namespace

net_platform& system_net_platform()
{
    static system_platform platform;
    return platform;
}
