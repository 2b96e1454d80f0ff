#pragma once
// The network management calls the collector makes, in their Windows shape: names cross as
// UTF-16, every buffer handed out is one block that the caller frees with NetApiBufferFree.
// The calls run over Samba's libnetapi with the caller's own credentials (see docs/netapi.md).

#include "platform/win32/win_types.h"

using NET_API_STATUS = DWORD;

inline constexpr DWORD MAX_PREFERRED_LENGTH = 0xFFFFFFFFu;

// Server types of NetServerEnum.
inline constexpr DWORD SV_TYPE_WORKSTATION = 0x00000001u;
inline constexpr DWORD SV_TYPE_SERVER = 0x00000002u;
inline constexpr DWORD SV_TYPE_DOMAIN_CTRL = 0x00000008u;
inline constexpr DWORD SV_TYPE_DOMAIN_BAKCTRL = 0x00000010u;
inline constexpr DWORD SV_TYPE_SERVER_NT = 0x00008000u;
inline constexpr DWORD SV_TYPE_ALL = 0xFFFFFFFFu;

inline constexpr DWORD PLATFORM_ID_NT = 500;

// Account flags of the display information.
inline constexpr DWORD UF_ACCOUNTDISABLE = 0x0002u;

struct SERVER_INFO_100 {
    DWORD sv100_platform_id;
    LPWSTR sv100_name;
};

struct SERVER_INFO_101 {
    DWORD sv101_platform_id;
    LPWSTR sv101_name;
    DWORD sv101_version_major;
    DWORD sv101_version_minor;
    DWORD sv101_type;
    LPWSTR sv101_comment;
};

struct NET_DISPLAY_USER {
    LPWSTR usri1_name;
    LPWSTR usri1_comment;
    DWORD usri1_flags;
    LPWSTR usri1_full_name;
    DWORD usri1_user_id;
    DWORD usri1_next_index;
};

struct NET_DISPLAY_MACHINE {
    LPWSTR usri2_name;
    LPWSTR usri2_comment;
    DWORD usri2_flags;
    DWORD usri2_user_id;
    DWORD usri2_next_index;
};

struct NET_DISPLAY_GROUP {
    LPWSTR grpi3_name;
    LPWSTR grpi3_comment;
    DWORD grpi3_group_id;
    DWORD grpi3_attributes;
    DWORD grpi3_next_index;
};

struct LOCALGROUP_INFO_0 {
    LPWSTR lgrpi0_name;
};

struct LOCALGROUP_INFO_1 {
    LPWSTR lgrpi1_name;
    LPWSTR lgrpi1_comment;
};

// The controller of a domain as "\\NAME". With no server name the domain-controller locator
// finds it (DNS service records, then a connectionless LDAP ping); with one, that server is
// asked over its netlogon service. No controller found: NERR_DCNotFound.
NET_API_STATUS NetGetDCName(LPCWSTR servername, LPCWSTR domainname, LPBYTE* bufptr);

// Servers of a domain. Only the controller types (SV_TYPE_DOMAIN_CTRL, SV_TYPE_DOMAIN_BAKCTRL)
// are answered, from the server trust accounts of the domain as servername reports them
// (servername NULL: the domain's controller, found by the locator); any other type gives
// ERROR_NO_BROWSER_SERVERS_FOUND, as a network without a browse master does. Levels 100, 101.
NET_API_STATUS NetServerEnum(LPCWSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                             LPDWORD totalentries, DWORD servertype, LPCWSTR domain, LPDWORD resume_handle);

// Levels 1 (NET_DISPLAY_USER), 2 (NET_DISPLAY_MACHINE) and 3 (NET_DISPLAY_GROUP) from Index.
// A success always comes with a buffer, also when it holds no record.
NET_API_STATUS NetQueryDisplayInformation(LPCWSTR ServerName, DWORD Level, DWORD Index, DWORD EntriesRequested,
                                          DWORD PreferredMaximumLength, LPDWORD ReturnedEntryCount,
                                          void** SortedBuffer);

// Levels 0 (LOCALGROUP_INFO_0) and 1 (LOCALGROUP_INFO_1).
NET_API_STATUS NetLocalGroupEnum(LPCWSTR servername, DWORD level, LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                                 LPDWORD totalentries, DWORD_PTR* resumehandle);

// Frees a buffer that one of the calls above handed out; NULL is accepted.
NET_API_STATUS NetApiBufferFree(void* Buffer);
