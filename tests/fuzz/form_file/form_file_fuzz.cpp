// The form file. Promises: a text that is not a form raises error 380 and nothing else; a
// form that parses is written back as a text that parses to the same form (writing it again
// gives the same text).

#include "platform/forms/form_file.h"

#include "platform/forms/vb_error.h"

#include "tests/fuzz/fuzz_check.h"

#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    forms::FormData form;
    try {
        form = forms::FormFile::parse(text);
    } catch (const forms::VbError& error) {
        FUZZ_REQUIRE(error.number() == forms::vberr::InvalidPropertyValue, "a text that is not a form raises 380");
        return 0;
    }
    const QString written = forms::FormFile::write(form);
    forms::FormData again;
    try {
        again = forms::FormFile::parse(written);
    } catch (const forms::VbError&) {
        fuzz_broken_promise("parse(write(form))", "what is written parses");
    }
    FUZZ_REQUIRE(forms::FormFile::write(again) == written, "what is written parses to the same form");
    return 0;
}
