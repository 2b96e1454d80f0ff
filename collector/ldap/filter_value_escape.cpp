#include "collector/ldap/filter_value_escape.h"

namespace ldap_collectors {

std::u16string escape_filter_value(std::u16string_view value)
{
    std::u16string escaped;
    escaped.reserve(value.size());
    for (const char16_t c : value) {
        switch (c) {
        case u'*': escaped += u"\\2a"; break;
        case u'(': escaped += u"\\28"; break;
        case u')': escaped += u"\\29"; break;
        case u'\\': escaped += u"\\5c"; break;
        case u'\0': escaped += u"\\00"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

} // namespace ldap_collectors
