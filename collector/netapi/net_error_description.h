#pragma once
// The description in the network-management collectors' error lines: the system text of the
// enumerator's last error (a positive code as a Win32 code, any other value as an HRESULT),
// without the line break system texts end with, so that each failure adds exactly one line.
// Empty for 0.

#include "platform/win32/win_types.h"

#include <string>

std::u16string net_error_description(DWORD last_error);

// prefix + description + "\r\n", appended to `error`.
void append_net_error_line(std::u16string& error, const std::u16string& prefix, DWORD last_error);
