// The options tree text. Promises: a text the reader refuses raises one of its documented
// errors (9, 13, 6, 457, 380, 35601) and nothing else; a text it reads fills a tree view, and
// is written back as a text that reads to the same text again.

#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_text.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"

#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    forms::TestHost::ensure_application();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    OptionCollection list;
    try {
        list = options::ParseOptionList(text);
    } catch (const forms::VbError& error) {
        const int n = error.number();
        FUZZ_REQUIRE(n == 9 || n == 13 || n == 6 || n == 457 || n == 380 || n == options::kElementNotFound,
                     "a text the reader refuses raises a documented error");
        return 0;
    }
    forms::TreeView tree(nullptr, QStringLiteral("tv"));
    try {
        options::FillOptionTree(tree, *list, false);
    } catch (const forms::VbError&) {
        fuzz_broken_promise("FillOptionTree", "a text the reader takes fills a tree");
    }
    const QString written = options::BuildOptionList(list.get());
    OptionCollection again;
    try {
        again = options::ParseOptionList(written);
    } catch (const forms::VbError&) {
        fuzz_broken_promise("ParseOptionList(BuildOptionList(list))", "what is written reads");
    }
    FUZZ_REQUIRE(options::BuildOptionList(again.get()) == written, "what is written reads to the same text");
    return 0;
}
