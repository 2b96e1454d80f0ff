#pragma once
// The one UTF-8 <-> UTF-16 conversion of the system: UTF-16 inside COM and Qt, UTF-8 at the
// file, LDAP and network-management boundaries. Malformed input (a broken UTF-8 sequence, a
// lone surrogate) becomes U+FFFD rather than being dropped, so nothing is lost silently.

#include <string>
#include <string_view>

namespace win32 {

std::u16string utf8_to_utf16(std::string_view text);
std::string utf16_to_utf8(std::u16string_view text);

} // namespace win32

using win32::utf16_to_utf8;
using win32::utf8_to_utf16;
