#pragma once
// A value placed into a search filter stands for itself only: the characters that the filter
// syntax gives a meaning ("*", "(", ")", "\" and NUL) are written as RFC 4515 escapes, so a
// directory value such as "EX(1)*" can neither break the filter nor widen it into a wildcard.

#include <string>
#include <string_view>

namespace ldap_collectors {

// The value with "*" as "\2a", "(" as "\28", ")" as "\29", "\" as "\5c" and NUL as "\00";
// every other character unchanged.
std::u16string escape_filter_value(std::u16string_view value);

} // namespace ldap_collectors
