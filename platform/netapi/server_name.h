#pragma once
// A server name as the calls take it: "\\DC1" (what NetGetDCName returns), "DC1",
// "dc1.test.local" or an address. libnetapi does not accept the leading backslashes, so they
// go; NULL or empty stands for the local computer and gives an empty name.

#include "platform/win32/win_types.h"

#include <string>

namespace netapi {

std::string server_name(LPCWSTR name);

// A name given to the calls (domain, server) in UTF-8, empty for NULL.
std::string name_arg(LPCWSTR name);

} // namespace netapi
