// A small module loaded by the tests: it reports its own handle and carries a string table
// registered for that handle while it is loaded.
#include "platform/win32/module.h"
#include "platform/win32/string_table.h"

namespace {

constexpr win32::string_resource kStrings[] = {
    {101, u"Probe module"},
    {102, u"Second text of the probe"},
};

const win32::string_table_registration strings(win32::current_module(), kStrings);

} // namespace

extern "C" [[gnu::visibility("default")]] HMODULE probe_module_handle() { return win32::current_module(); }
