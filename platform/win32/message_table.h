#pragma once
// The system message table: the English texts of the Win32, network-management, COM /
// automation and directory-service codes this system reports. Each text ends in "\r\n". A
// text is found by its bare code and by its HRESULT (0x8007xxxx for a Win32 code).

#include "platform/win32/win_types.h"

#include <cstdarg>
#include <cstddef>
#include <string>

inline constexpr DWORD FORMAT_MESSAGE_MAX_WIDTH_MASK = 0x000000FFu;
inline constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x00000100u;
inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200u;
inline constexpr DWORD FORMAT_MESSAGE_FROM_STRING = 0x00000400u;
inline constexpr DWORD FORMAT_MESSAGE_FROM_HMODULE = 0x00000800u;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000u;
inline constexpr DWORD FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x00002000u;

inline constexpr WORD LANG_NEUTRAL = 0x00;
inline constexpr WORD LANG_ENGLISH = 0x09;
inline constexpr WORD SUBLANG_NEUTRAL = 0x00;
inline constexpr WORD SUBLANG_DEFAULT = 0x01;
constexpr DWORD MAKELANGID(WORD primary, WORD sub) { return (static_cast<DWORD>(sub) << 10) | primary; }

using HLOCAL = void*;
inline constexpr UINT LMEM_FIXED = 0x0000u;
inline constexpr UINT LMEM_ZEROINIT = 0x0040u;
inline constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;

HLOCAL LocalAlloc(UINT flags, std::size_t bytes);
// Frees memory from LocalAlloc or FormatMessageW's ALLOCATE_BUFFER; null on success.
HLOCAL LocalFree(HLOCAL memory);

// FORMAT_MESSAGE_FROM_SYSTEM (the system message table) with or without ALLOCATE_BUFFER;
// inserts are never expanded (the system's texts have none). Modules carry no message tables
// of their own: FROM_HMODULE without FROM_SYSTEM fails with ERROR_RESOURCE_TYPE_NOT_FOUND. A
// maximum width of FORMAT_MESSAGE_MAX_WIDTH_MASK drops the final line break; other widths
// are ignored. Languages other than neutral / English give ERROR_RESOURCE_LANG_NOT_FOUND. With ALLOCATE_BUFFER,
// `buffer` is really an LPWSTR* that receives LocalAlloc'ed text (free it with LocalFree). Returns the number of
// characters stored without the NUL; 0 with the last error set when it fails: ERROR_MR_MID_NOT_FOUND for a code without
// text, ERROR_INSUFFICIENT_BUFFER when `size` is too small, ERROR_INVALID_PARAMETER for a null buffer or an unsupported
// source.
DWORD FormatMessageW(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPWSTR buffer, DWORD size,
                     va_list* arguments);

namespace win32 {

// The system text of a code (Win32, NERR_*, HRESULT); empty when there is none.
std::u16string system_message(DWORD code);

} // namespace win32
