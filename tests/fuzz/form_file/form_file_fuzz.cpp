// The form file. Promises: a text that is not a form raises error 380 and nothing else; a
// form that parses is written back as a text that parses to the same form (writing it again
// gives the same text); a parsed form loads into the real controls of the control library
// (every ProgID registered into a registry of the run's own) or fails with the runtime's
// error and nothing else, and a form that loads saves as a text that parses.

#include "platform/forms/hosting/form.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/core/warnings.h"
#include "platform/win32/win_types.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/temp_registry.h"

#include "platform/forms/core/vb_error.h"

#include "tests/fuzz/fuzz_check.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" HRESULT DllRegisterServer();

namespace {

// The control library registered once per run into a registry file of the run's own.
void register_control_library()
{
    static ostrel::test::temp_registry* registry = [] {
        auto* made = new ostrel::test::temp_registry;
        forms::TestHost::ensure_application();
        FUZZ_REQUIRE(DllRegisterServer() == 0, "the control library registers");
        // A key no property reads is a warning, not a fault: kept off the fuzzer's output.
        forms::set_warning_handler([](const QString&) {});
        return made;
    }();
    (void)registry;
}

void load_and_save(const forms::FormData& form)
{
    register_control_library();
    forms::TestHost host(false);
    try {
        host.form().load(form);
    } catch (const forms::VbError&) {
        return; // refused whole, with the runtime's error
    }
    QString saved;
    try {
        saved = forms::FormFile::write(host.form().save());
    } catch (const forms::VbError&) {
        return; // a value the file cannot hold is refused before anything is written
    }
    try {
        forms::FormFile::parse(saved);
    } catch (const forms::VbError&) {
        fuzz_broken_promise("parse(write(load(form).save()))", "what a loaded form saves parses");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    forms::FormData form;
    try {
        form = forms::FormFile::parse(bytes);
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
    load_and_save(form);
    return 0;
}
