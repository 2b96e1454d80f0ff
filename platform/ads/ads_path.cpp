#include "platform/ads/ads_path.h"

#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>

namespace ads {

namespace {

bool equals_ignore_case(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool parse_port(std::string_view text, int& port)
{
    if (text.empty() || text.size() > 5)
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535)
        return false;
    port = value;
    return true;
}

// A host name holds no blank and no control character (C0, DEL, C1, NUL among them): such a
// name could only reach the URI handed to libldap as something other than a host.
bool valid_host(std::string_view host)
{
    if (host.empty())
        return false;
    for (std::size_t i = 0; i < host.size(); ++i) {
        const auto c = static_cast<unsigned char>(host[i]);
        // A bracket belongs only around an IPv6 address.
        if (c <= 0x20 || c == 0x7F || c == '[' || c == ']')
            return false;
        // U+0080..U+009F in UTF-8.
        if (c == 0xC2 && i + 1 < host.size() && static_cast<unsigned char>(host[i + 1]) <= 0x9F)
            return false;
    }
    return true;
}

// A host given in brackets is an IPv6 address, and only that: anything else there (a bracket,
// a slash) would read back as another host or another entry.
bool valid_bracketed_host(const std::string& host)
{
    in6_addr address{};
    return inet_pton(AF_INET6, host.c_str(), &address) == 1;
}

} // namespace

std::string ads_path::uri(bool secure, int port_override) const
{
    std::string text = secure ? "ldaps://" : "ldap://";
    if (host.find(':') != std::string::npos)
        text += "[" + host + "]";
    else
        text += host;
    text += ":" + std::to_string(port_override != 0 ? port_override : port);
    return text;
}

HRESULT parse_ads_path(std::u16string_view path, ads_path& out)
{
    const std::string text = utf16_to_utf8(path);
    constexpr std::string_view scheme = "LDAP://";
    // The provider name is case-sensitive in the directory service's own paths.
    if (text.compare(0, scheme.size(), scheme) != 0)
        return E_ADS_BAD_PATHNAME;
    std::string_view rest = std::string_view(text).substr(scheme.size());

    ads_path result;
    std::string_view authority;
    auto slash = rest.find('/');
    if (!rest.empty() && rest.front() == '[') {
        auto close = rest.find(']');
        if (close == std::string_view::npos)
            return E_ADS_BAD_PATHNAME;
        result.host = std::string(rest.substr(1, close - 1));
        if (!valid_bracketed_host(result.host))
            return E_ADS_BAD_PATHNAME;
        std::string_view after = rest.substr(close + 1);
        slash = after.find('/');
        std::string_view port_part = after.substr(0, slash);
        if (!port_part.empty()) {
            if (port_part.front() != ':' || !parse_port(port_part.substr(1), result.port))
                return E_ADS_BAD_PATHNAME;
            result.explicit_port = true;
        }
        rest = slash == std::string_view::npos ? std::string_view{} : after.substr(slash);
    } else {
        authority = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash);
        auto colon = authority.find(':');
        result.host = std::string(authority.substr(0, colon));
        if (colon != std::string_view::npos) {
            if (!parse_port(authority.substr(colon + 1), result.port))
                return E_ADS_BAD_PATHNAME;
            result.explicit_port = true;
        }
    }
    if (!valid_host(result.host))
        return E_ADS_BAD_PATHNAME;

    if (!rest.empty()) {
        std::string_view dn = rest.substr(1); // drop the "/"
        if (dn.empty())
            return E_ADS_BAD_PATHNAME;
        if (equals_ignore_case(dn, "RootDSE"))
            result.root_dse = true;
        else
            result.dn = std::string(dn);
    }
    out = std::move(result);
    return S_OK;
}

} // namespace ads
