#pragma once
// LDAP result codes (server results and libldap's own negative codes) mapped onto the Windows
// directory error codes, whose texts the system message table holds.

#include "platform/win32/win_types.h"

namespace ads {

// The Win32 code of an LDAP result code; 0 for success.
DWORD win32_from_ldap(int ldap_result);

// The HRESULT the directory layer returns for an LDAP result code: 0x8007xxxx of the Win32
// code, except a bad search filter, which is E_ADS_INVALID_FILTER.
HRESULT hresult_from_ldap(int ldap_result);

} // namespace ads
