#include "platform/netapi/server_name.h"

#include "platform/win32/text.h"

#include <string_view>

namespace netapi {

std::string name_arg(LPCWSTR name) { return name ? utf16_to_utf8(std::u16string_view(name)) : std::string(); }

std::string server_name(LPCWSTR name)
{
    if (!name)
        return {};
    std::u16string_view view(name);
    while (!view.empty() && view.front() == u'\\')
        view.remove_prefix(1);
    return utf16_to_utf8(view);
}

} // namespace netapi
