#pragma once
// libsmbclient's browse list, one listing at a time (a process-wide lock: the library's
// contexts share global state). Credentials are the caller's own: the Kerberos ticket cache
// where there is one, else an anonymous session.

#include <string>
#include <vector>

namespace mpr {

struct browse_entry {
    unsigned type = 0; // SMBC_WORKGROUP, SMBC_SERVER, ...
    std::string name;
    std::string comment;
};

// Lists "smb://" (workgroups and domains) or "smb://NAME" (its servers); 0 or an errno.
int browse(const std::string& url, std::vector<browse_entry>& entries);

} // namespace mpr
