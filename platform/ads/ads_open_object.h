#pragma once
// Binding a directory object by path, as the directory service's two entry points do.

#include "platform/com/guid.h"
#include "platform/win32/win_types.h"

// Binds with the caller's own credentials (a Kerberos ticket, else anonymous).
HRESULT ADsGetObject(LPCWSTR lpszPathName, REFIID riid, void** ppObject);

// Binds with a user and password. Null user and password: the caller's own credentials. The
// password never travels in clear: it is sent only inside TLS (StartTLS, or LDAPS on 636 when
// the path names no port); a server offering neither fails with ERROR_DS_CONFIDENTIALITY_REQUIRED.
// An empty password is refused (ERROR_LOGON_FAILURE) rather than sent, since a simple bind
// with one is an anonymous bind that would pass for a successful logon.
HRESULT ADsOpenObject(LPCWSTR lpszPathName, LPCWSTR lpszUserName, LPCWSTR lpszPassword, DWORD dwReserved,
                      REFIID riid, void** ppObject);
