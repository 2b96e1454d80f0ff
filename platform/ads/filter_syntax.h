#pragma once
// Search filters as the collector's string table writes them: RFC 4515 except that a NOT may
// take a bare item, "(!attr=value)", which directory services of the other platform accept
// and libldap refuses. Such filters are sent as "(!(attr=value))".

#include <optional>
#include <string>
#include <string_view>

namespace ads {

// The RFC 4515 form of a filter; nullopt when the parentheses do not match up (an empty
// filter, an unclosed or stray parenthesis, text after the last one).
std::optional<std::string> to_rfc4515_filter(std::string_view filter);

} // namespace ads
