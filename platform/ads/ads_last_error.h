#pragma once
// The directory provider's extended error of the calling thread: the code of the last failed
// directory call, the server's diagnostic text and the provider's name ("LDAP Provider").

#include "platform/win32/win_types.h"

#include <string_view>

// Copies the thread's last directory error: its code into *lpError, the text into lpErrorBuf
// (dwErrorBufLen characters, truncated with a NUL) and the provider's name into lpNameBuf.
// A null buffer or a length of 0 skips that part. E_ADS_BAD_PARAMETER when lpError is null.
HRESULT ADsGetLastError(LPDWORD lpError, LPWSTR lpErrorBuf, DWORD dwErrorBufLen, LPWSTR lpNameBuf, DWORD dwNameBufLen);

// Sets the thread's last directory error (null texts clear them).
void ADsSetLastError(DWORD dwErr, LPCWSTR pszError, LPCWSTR pszProvider);

namespace ads {

// The layer's own setter: code 0 clears; the text comes from libldap in UTF-8.
void set_last_error(DWORD code, std::string_view diagnostic);

} // namespace ads
