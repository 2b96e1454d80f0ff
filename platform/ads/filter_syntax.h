#pragma once
// Search filters as the collector's string table writes them: RFC 4515 except that a NOT may
// take a bare item, "(!attr=value)", which directory services of the other platform accept
// and libldap refuses. Such filters are sent as "(!(attr=value))".

#include <optional>
#include <string>
#include <string_view>

namespace ads {

// Filters nested deeper than this are refused: no filter of the collector comes near it, and
// the rewriter, like the server's parser, must not follow an input as deep as it goes.
inline constexpr int kMaxFilterNesting = 100;

// The RFC 4515 form of a filter; nullopt when it is not well formed: the parentheses do not
// match up (an empty filter, an unclosed or stray parenthesis, text after the last one), an
// item is no comparison (no "=", or an operator where the attribute should be, as "(!&a=b)"),
// or the filter nests deeper than kMaxFilterNesting.
std::optional<std::string> to_rfc4515_filter(std::string_view filter);

} // namespace ads
