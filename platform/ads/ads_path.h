#pragma once
// The directory paths this layer binds: LDAP://host[:port], LDAP://host[:port]/<DN> and
// LDAP://host[:port]/RootDSE. The host may be a name, an IPv4 address or a bracketed IPv6
// address.

#include "platform/win32/win_types.h"

#include <string>
#include <string_view>

namespace ads {

struct ads_path {
    std::string host; // without brackets
    int port = 389;
    bool explicit_port = false;
    std::string dn;        // empty: the directory's default naming context
    bool root_dse = false; // the path names the rootDSE

    // ldap://host:port (brackets around an IPv6 host), for ldap_initialize.
    std::string uri(bool secure = false, int port_override = 0) const;
};

// Parses a path (UTF-16 at the COM boundary); S_OK, or E_ADS_BAD_PATHNAME for anything that is
// not one of the three forms (another provider, no host, a host holding a blank or a control
// character, a port that is not a number 1..65535).
HRESULT parse_ads_path(std::u16string_view path, ads_path& out);

} // namespace ads
