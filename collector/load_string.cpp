#include "collector/load_string.h"

#include "collector/collector_strings.h"
#include "platform/win32/string_table.h"

#include <array>

namespace utils {

namespace {

constexpr INT kBufferSize = 4000;

// The text into `buffer`; its length, 0 when missing or empty.
INT read(UINT id, std::array<WCHAR, kBufferSize>& buffer)
{
    return LoadStringW(collector_strings::module(), id, buffer.data(), kBufferSize);
}

} // namespace

bool load_string(UINT id, std::u16string& text, bool with_terminator)
{
    std::array<WCHAR, kBufferSize> buffer{};
    const INT length = read(id, buffer);
    if (length <= 0)
        return false;
    text.assign(buffer.data(), static_cast<std::size_t>(length) + (with_terminator ? 1 : 0));
    return true;
}

bool load_string(UINT id, std::vector<WCHAR>& text, bool with_terminator)
{
    std::array<WCHAR, kBufferSize> buffer{};
    const INT length = read(id, buffer);
    if (length <= 0)
        return false;
    text.assign(buffer.data(), buffer.data() + length + (with_terminator ? 1 : 0));
    return true;
}

} // namespace utils
