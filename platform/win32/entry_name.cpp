#include "platform/win32/entry_name.h"

namespace win32 {

std::u16string entry_name::shown() const { return user ? host + u'/' + *user : host; }

entry_name parse_entry_name(std::u16string_view name)
{
    entry_name entry;
    const std::size_t first_slash = name.find(u'/');
    entry.host = std::u16string(name.substr(0, first_slash));
    if (first_slash == std::u16string_view::npos)
        return entry;
    const std::u16string_view rest = name.substr(first_slash + 1);
    const std::size_t second_slash = rest.find(u'/');
    entry.user = std::u16string(rest.substr(0, second_slash));
    if (second_slash != std::u16string_view::npos) {
        entry.password = std::u16string(rest.substr(second_slash + 1));
        entry.password_given = true;
    }
    return entry;
}

} // namespace win32
