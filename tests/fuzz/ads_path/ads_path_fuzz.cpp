// ADs paths (UTF-8 input, handed over as UTF-16 as at the COM boundary). Promises: the only
// failure is E_ADS_BAD_PATHNAME; an accepted path has a host without control characters (it
// goes into the LDAP URI as it is) and a port 1..65535, and the path written back from what
// was parsed parses to the same host, port and entry.

#include "platform/ads/ads_path.h"

#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool is_control(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

std::string path_of(const ads::ads_path& p)
{
    std::string text = "LDAP://";
    text += p.host.find(':') != std::string::npos ? "[" + p.host + "]" : p.host;
    text += ":" + std::to_string(p.port);
    if (p.root_dse)
        text += "/RootDSE";
    else if (!p.dn.empty())
        text += "/" + p.dn;
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string path = utf8_to_utf16(std::string_view(reinterpret_cast<const char*>(data), size));
    ads::ads_path parsed;
    const HRESULT hr = ads::parse_ads_path(path, parsed);
    if (hr != S_OK) {
        FUZZ_REQUIRE(hr == E_ADS_BAD_PATHNAME, "a path is either parsed or refused as a bad path name");
        return 0;
    }
    FUZZ_REQUIRE(!parsed.host.empty(), "an accepted path has a host");
    FUZZ_REQUIRE(std::none_of(parsed.host.begin(), parsed.host.end(), is_control),
                 "an accepted host holds no control character");
    FUZZ_REQUIRE(parsed.port >= 1 && parsed.port <= 65535, "an accepted port is 1..65535");

    ads::ads_path again;
    FUZZ_REQUIRE(ads::parse_ads_path(utf8_to_utf16(path_of(parsed)), again) == S_OK,
                 "the path written back from what was parsed parses");
    FUZZ_REQUIRE(again.host == parsed.host && again.port == parsed.port && again.dn == parsed.dn &&
                     again.root_dse == parsed.root_dse,
                 "the path written back names the same host, port and entry");
    return 0;
}
