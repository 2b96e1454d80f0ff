#pragma once
// Binding a directory object for a collector entry. An entry is a domain or server name,
// or "host/user/password" to bind with that user and password instead of the caller's own
// credentials; the password is everything after the second "/", so it may hold "/" itself.

#include "platform/com/guid.h"
#include "platform/win32/win_types.h"

#include <optional>
#include <string>

namespace ldap_collectors {

// What one bind asks of the directory layer.
struct ads_bind_request {
    std::u16string path; // "LDAP://" host-or-server [ "/" suffix ]
    // Set for the host/user/password form; the password may be empty.
    std::optional<std::u16string> user;
    std::u16string password;
};

// The bind that GetADsObject makes for a name, an optional server (replacing the host) and
// an optional suffix (given a "/" in front unless it starts with one).
ads_bind_request make_bind_request(const WCHAR* name, const WCHAR* server, const WCHAR* suffix);

} // namespace ldap_collectors

// Binds the object of `name` (see above): with the caller's credentials through ADsGetObject,
// or for host/user/password through ADsOpenObject with secure authentication. Returns the
// bind's HRESULT unchanged; E_POINTER for a null name or out pointer.
HRESULT GetADsObject(const WCHAR* name, const WCHAR* server, const WCHAR* suffix, REFIID riid, void** object);
