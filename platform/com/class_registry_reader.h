#pragma once
// Reads of the class registrations under HKEY_CLASSES_ROOT.

#include <optional>
#include <string>

namespace com::detail {

// The default (or named) string value of HKCR\<path>; nothing when the key or value is
// missing or not a string.
std::optional<std::u16string> read_classes_string(const std::u16string& path, const char16_t* value_name = nullptr);

} // namespace com::detail
