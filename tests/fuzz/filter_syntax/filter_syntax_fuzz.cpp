// The filter rewriter. Promise: whatever it emits is a filter it accepts again, unchanged
// (an RFC 4515 filter needs no rewriting).

#include "platform/ads/filter_syntax.h"

#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view filter(reinterpret_cast<const char*>(data), size);
    const auto rewritten = ads::to_rfc4515_filter(filter);
    if (!rewritten)
        return 0;
    const auto again = ads::to_rfc4515_filter(*rewritten);
    FUZZ_REQUIRE(again.has_value(), "what the rewriter emits, it accepts");
    FUZZ_REQUIRE(*again == *rewritten, "an emitted filter needs no further rewriting");
    return 0;
}
