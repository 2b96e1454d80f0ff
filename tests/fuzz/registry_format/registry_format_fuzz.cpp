// The registry file's text form. Promises: a text that reads is written back as a text that
// reads to the same tree (writing it again gives the same text); a text that does not read
// leaves the tree as it was.

#include "platform/win32/registry_format.h"

#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using win32::registry_detail::registry_format;
using win32::registry_detail::registry_tree;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    registry_tree tree;
    const std::string empty = registry_format::write(tree);
    std::size_t error_line = 0;
    if (!registry_format::read(text, tree, error_line)) {
        FUZZ_REQUIRE(error_line >= 1, "a text that does not read names its failing line");
        FUZZ_REQUIRE(registry_format::write(tree) == empty, "a text that does not read leaves the tree as it was");
        return 0;
    }
    const std::string written = registry_format::write(tree);
    registry_tree again;
    FUZZ_REQUIRE(registry_format::read(written, again, error_line), "what is written reads");
    FUZZ_REQUIRE(registry_format::write(again) == written, "what is written reads to the same tree");
    return 0;
}
