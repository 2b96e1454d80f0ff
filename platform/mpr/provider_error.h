#pragma once
// This thread's last extended error of the provider: its code (an errno of libsmbclient) and
// its text, as WNetGetLastErrorW reports it.

#include "platform/win32/win_types.h"

#include <string>

namespace mpr {

// Records the provider's error and returns ERROR_EXTENDED_ERROR for the caller to return.
DWORD set_provider_error(DWORD code, std::u16string text);

struct provider_error {
    DWORD code = 0;
    std::u16string text;
};
const provider_error& last_provider_error();

// The one provider's name.
const std::u16string& provider_name();

} // namespace mpr
