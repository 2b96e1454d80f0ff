#pragma once
// The scalar types of the Windows interfaces this system was written against, with their
// Windows sizes. Never `long` or `wchar_t` here: both differ from Windows on Linux.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using USHORT = std::uint16_t;
using LONG = std::int32_t;
using INT = std::int32_t;
using SHORT = std::int16_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using BOOL = std::int32_t;
using HRESULT = std::int32_t;
using SCODE = std::int32_t;
using LCID = std::uint32_t;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using HANDLE = void*;
using DWORD_PTR = std::uintptr_t;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

inline constexpr LCID LOCALE_USER_DEFAULT = 0x400;
inline constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x800;
inline constexpr DWORD INFINITE = 0xFFFFFFFFu;

// 100-nanosecond intervals since 1601-01-01 UTC, split in two halves.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using PFILETIME = FILETIME*;
