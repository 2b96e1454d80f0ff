#pragma once
// The network calls CNetEnumerator makes, as one object: the provider enumeration (mpr) and
// the management calls (netapi). The system's object forwards to the platform layers; a unit
// test gives the enumerator its own to isolate the paging and cache arithmetic.

#include "platform/mpr/wnet.h"
#include "platform/netapi/net_api.h"

class net_platform {
public:
    virtual DWORD WNetGetProviderNameW(DWORD net_type, LPWSTR provider, LPDWORD size) = 0;
    virtual DWORD WNetOpenEnumW(DWORD scope, DWORD type, DWORD usage, LPNETRESOURCEW resource, HANDLE* handle) = 0;
    virtual DWORD WNetEnumResourceW(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD size) = 0;
    virtual DWORD WNetCloseEnum(HANDLE handle) = 0;
    virtual DWORD WNetGetLastErrorW(LPDWORD error, LPWSTR error_text, DWORD error_size, LPWSTR provider,
                                    DWORD provider_size) = 0;

    virtual NET_API_STATUS NetGetDCName(LPCWSTR server, LPCWSTR domain, LPBYTE* buffer) = 0;
    virtual NET_API_STATUS NetServerEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD preferred_length,
                                         LPDWORD entries_read, LPDWORD total_entries, DWORD server_type, LPCWSTR domain,
                                         LPDWORD resume_handle) = 0;
    virtual NET_API_STATUS NetQueryDisplayInformation(LPCWSTR server, DWORD level, DWORD index, DWORD requested,
                                                      DWORD preferred_length, LPDWORD returned, void** buffer) = 0;
    virtual NET_API_STATUS NetLocalGroupEnum(LPCWSTR server, DWORD level, LPBYTE* buffer, DWORD preferred_length,
                                             LPDWORD entries_read, LPDWORD total_entries, DWORD_PTR* resume_handle) = 0;
    virtual NET_API_STATUS NetApiBufferFree(void* buffer) = 0;

    // The credentials of the calling thread's management calls from now on: a user and
    // password, or (both null) the caller's own again.
    virtual void use_credentials(LPCWSTR user, LPCWSTR password) = 0;

protected:
    net_platform() = default;
    net_platform(const net_platform&) = default;
    net_platform& operator=(const net_platform&) = default;
    ~net_platform() = default;
};

// The platform's own calls: one stateless object for the whole process.
net_platform& system_net_platform();
