#pragma once
// The network provider enumeration in its Windows shape (UTF-16 names, Win32 codes), over
// libsmbclient's browse list: the one provider lists the workgroups and domains of the
// network, a domain lists its servers. Failures of the browse list come back as
// ERROR_EXTENDED_ERROR with the provider's own code and text from WNetGetLastErrorW.

#include "platform/win32/win_types.h"

inline constexpr DWORD WNNC_NET_LANMAN = 0x00020000u;

inline constexpr DWORD RESOURCE_CONNECTED = 1;
inline constexpr DWORD RESOURCE_GLOBALNET = 2;
inline constexpr DWORD RESOURCE_REMEMBERED = 3;

inline constexpr DWORD RESOURCETYPE_ANY = 0;
inline constexpr DWORD RESOURCETYPE_DISK = 1;
inline constexpr DWORD RESOURCETYPE_PRINT = 2;

inline constexpr DWORD RESOURCEUSAGE_CONNECTABLE = 1;
inline constexpr DWORD RESOURCEUSAGE_CONTAINER = 2;

inline constexpr DWORD RESOURCEDISPLAYTYPE_GENERIC = 0;
inline constexpr DWORD RESOURCEDISPLAYTYPE_DOMAIN = 1;
inline constexpr DWORD RESOURCEDISPLAYTYPE_SERVER = 2;
inline constexpr DWORD RESOURCEDISPLAYTYPE_NETWORK = 6;

struct NETRESOURCEW {
    DWORD dwScope;
    DWORD dwType;
    DWORD dwDisplayType;
    DWORD dwUsage;
    LPWSTR lpLocalName;
    LPWSTR lpRemoteName;
    LPWSTR lpComment;
    LPWSTR lpProvider;
};
using LPNETRESOURCEW = NETRESOURCEW*;

// The provider's name for WNNC_NET_LANMAN; *lpBufferSize in characters, terminating zero
// included. Too small: ERROR_MORE_DATA and the size needed. Another type: ERROR_NO_NETWORK.
DWORD WNetGetProviderNameW(DWORD dwNetType, LPWSTR lpProviderName, LPDWORD lpBufferSize);

// Opens an enumeration of RESOURCE_GLOBALNET: lpNetResource NULL lists the provider itself;
// the provider's node (lpProvider set, lpRemoteName NULL) lists the workgroups and domains;
// a domain's record (its lpRemoteName) lists its servers.
DWORD WNetOpenEnumW(DWORD dwScope, DWORD dwType, DWORD dwUsage, LPNETRESOURCEW lpNetResource, HANDLE* lphEnum);

// Copies as many records as *lpcCount asks (0xFFFFFFFF: as many as fit) into lpBuffer of
// *lpBufferSize bytes, strings at its end. ERROR_NO_MORE_ITEMS at the end of the list;
// ERROR_MORE_DATA with the size needed when not one record fits.
DWORD WNetEnumResourceW(HANDLE hEnum, LPDWORD lpcCount, LPVOID lpBuffer, LPDWORD lpBufferSize);

DWORD WNetCloseEnum(HANDLE hEnum);

// The provider's code and text of this thread's last ERROR_EXTENDED_ERROR, each text cut to
// its buffer (sizes in characters).
DWORD WNetGetLastErrorW(LPDWORD lpError, LPWSTR lpErrorBuf, DWORD nErrorBufSize, LPWSTR lpNameBuf, DWORD nNameBufSize);
