#pragma once
// Reads one text of the collector module's string table by its id (at most 3999 characters).

#include "platform/win32/win_types.h"

#include <string>
#include <vector>

namespace utils {

// When the text exists and is not empty, `text` becomes it (with the terminating NUL as part
// of the string when `with_terminator`) and the result is true; otherwise `text` is left as
// it was and the result is false.
bool load_string(UINT id, std::u16string& text, bool with_terminator = false);
bool load_string(UINT id, std::vector<WCHAR>& text, bool with_terminator = true);

} // namespace utils
