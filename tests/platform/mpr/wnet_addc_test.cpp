// The provider's lists next to the fixture DC. An Active Directory controller with SMB1 off
// serves no browse list and no master browser answers, so the domain list is the one this
// client is configured for (the fixture's krb5.conf and smb.conf name the DC's realm); a domain
// nobody answers for is refused with the provider's extended error.

#include "platform/mpr/wnet.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include "tests/support/server_env.h"

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <string>
#include <vector>

namespace {

TEST(WNetAddc, DomainListWithoutBrowseMasterIsTheConfiguredDomain)
{
    OSTREL_REQUIRE_SAMBA_DC();
    char16_t provider[64];
    DWORD size = 64;
    ASSERT_EQ(WNetGetProviderNameW(WNNC_NET_LANMAN, provider, &size), NO_ERROR);
    NETRESOURCEW node{};
    node.dwScope = RESOURCE_GLOBALNET;
    node.dwUsage = RESOURCEUSAGE_CONTAINER;
    node.lpProvider = provider;
    auto start = std::chrono::steady_clock::now();
    HANDLE handle = nullptr;
    DWORD status = WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, &node, &handle);
    std::vector<std::string> domains;
    ASSERT_EQ(status, NO_ERROR);
    {
        alignas(NETRESOURCEW) unsigned char page[16384];
        for (;;) {
            DWORD count = 0xFFFFFFFFu, bytes = sizeof page;
            status = WNetEnumResourceW(handle, &count, page, &bytes);
            if (status != NO_ERROR)
                break;
            auto* records = reinterpret_cast<NETRESOURCEW*>(page);
            for (DWORD i = 0; i < count; ++i) {
                EXPECT_EQ(records[i].dwDisplayType, RESOURCEDISPLAYTYPE_DOMAIN);
                ASSERT_NE(records[i].lpRemoteName, nullptr);
                domains.push_back(utf16_to_utf8(records[i].lpRemoteName));
            }
        }
        EXPECT_EQ(status, ERROR_NO_MORE_ITEMS);
        EXPECT_EQ(WNetCloseEnum(handle), NO_ERROR);
    }
    // Samba's controller is no browse master: the realm both configurations name, once, by
    // its DNS name.
    std::string realm = ostrel::test::env("SAMBA_DC_REALM").value_or("TEST.LOCAL");
    for (char& c : realm)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(domains, std::vector<std::string>{realm});
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 10.0);
}

TEST(WNetAddc, DomainNobodyAnswersForIsTheProvidersError)
{
    OSTREL_REQUIRE_SAMBA_DC();
    NETRESOURCEW domain{};
    domain.dwScope = RESOURCE_GLOBALNET;
    domain.dwDisplayType = RESOURCEDISPLAYTYPE_DOMAIN;
    domain.dwUsage = RESOURCEUSAGE_CONTAINER;
    domain.lpRemoteName = const_cast<LPWSTR>(u"NOSUCHDOMAIN");
    auto start = std::chrono::steady_clock::now();
    HANDLE handle = nullptr;
    ASSERT_EQ(WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, &domain, &handle),
              ERROR_EXTENDED_ERROR);
    EXPECT_EQ(handle, nullptr);
    DWORD code = 0;
    char16_t text[256], name[256];
    ASSERT_EQ(WNetGetLastErrorW(&code, text, 256, name, 256), NO_ERROR);
    EXPECT_NE(code, 0u);
    EXPECT_NE(utf16_to_utf8(text).find("smb://NOSUCHDOMAIN"), std::string::npos) << utf16_to_utf8(text);
    char16_t provider[64];
    DWORD size = 64;
    ASSERT_EQ(WNetGetProviderNameW(WNNC_NET_LANMAN, provider, &size), NO_ERROR);
    EXPECT_EQ(std::u16string(name), provider);
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 10.0);
}

} // namespace
