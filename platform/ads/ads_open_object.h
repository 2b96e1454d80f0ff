#pragma once
// Binding a directory object by path, as the directory service's two entry points do.
//
// Objects bound on one thread to the same server (host and port) with the same credentials
// share one connection while any of them lives, as the directory service caches its
// connections: the Exchange server search binds the rootDSE and the configuration partition
// of a domain whose searcher is already bound. So a connection found dead (a timeout, a lost
// server) fails every later bind and search of that server on the thread at once, until the
// last object bound over it is released; a new worker thread starts with no connection.

#include "platform/com/guid.h"
#include "platform/win32/win_types.h"

// Binds with the caller's own credentials (a Kerberos ticket, else anonymous).
HRESULT ADsGetObject(LPCWSTR lpszPathName, REFIID riid, void** ppObject);

// Binds with a user and password. Null user and password: the caller's own credentials. The
// password never travels in clear: it is sent only inside TLS (StartTLS, or LDAPS on 636 when
// the path names no port); a server offering neither fails with ERROR_DS_CONFIDENTIALITY_REQUIRED.
// An empty password is refused (ERROR_LOGON_FAILURE) rather than sent, since a simple bind
// with one is an anonymous bind that would pass for a successful logon.
HRESULT ADsOpenObject(LPCWSTR lpszPathName, LPCWSTR lpszUserName, LPCWSTR lpszPassword, DWORD dwReserved, REFIID riid,
                      void** ppObject);
