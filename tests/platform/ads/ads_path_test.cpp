#include "platform/ads/ads_path.h"

#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

namespace {

struct path_case {
    const char16_t* path;
    const char* host;
    int port;
    bool explicit_port;
    const char* dn;
    bool root_dse;
};

class AdsPathTest : public ::testing::TestWithParam<path_case> {};

TEST_P(AdsPathTest, ParsesTheThreeForms)
{
    const auto& c = GetParam();
    ads::ads_path path;
    ASSERT_EQ(ads::parse_ads_path(c.path, path), S_OK);
    EXPECT_EQ(path.host, c.host);
    EXPECT_EQ(path.port, c.port);
    EXPECT_EQ(path.explicit_port, c.explicit_port);
    EXPECT_EQ(path.dn, c.dn);
    EXPECT_EQ(path.root_dse, c.root_dse);
}

INSTANTIATE_TEST_SUITE_P(Paths, AdsPathTest,
                         ::testing::Values(path_case{u"LDAP://dc1.test.local", "dc1.test.local", 389, false, "", false},
                                           path_case{u"LDAP://127.0.0.1:3890", "127.0.0.1", 3890, true, "", false},
                                           path_case{u"LDAP://dc1/RootDSE", "dc1", 389, false, "", true},
                                           path_case{u"LDAP://dc1/rootdse", "dc1", 389, false, "", true},
                                           path_case{u"LDAP://dc1:636/CN=Configuration,DC=test,DC=local", "dc1", 636,
                                                     true, "CN=Configuration,DC=test,DC=local", false},
                                           // A DN may hold further slashes.
                                           path_case{u"LDAP://h/OU=a/b,O=x", "h", 389, false, "OU=a/b,O=x", false},
                                           path_case{u"LDAP://[::1]:3890/o=x", "::1", 3890, true, "o=x", false}));

TEST(AdsPathRejects, WhatIsNoDirectoryPath)
{
    for (const char16_t* bad :
         {u"", u"LDAP://", u"LDAP:///o=x", u"ldap://host", u"WinNT://host", u"LDAP://host:", u"LDAP://host:0",
          u"LDAP://host:65536", u"LDAP://host:38a", u"LDAP://host/", u"LDAP://[::1", u"LDAP://a b",
          // Brackets hold an IPv6 address and nothing else.
          u"LDAP://[[1]", u"LDAP://[9/DCo]:3", u"LDAP://[dc1]/o=x", u"LDAP://a]b", u"LDAP://a[b"}) {
        ads::ads_path path;
        EXPECT_EQ(ads::parse_ads_path(bad, path), E_ADS_BAD_PATHNAME) << std::u16string(bad).size();
    }
}

TEST(AdsPathRejects, HostsHoldingControlCharacters)
{
    using namespace std::string_literals;
    for (const std::u16string& bad : {u"LDAP://a\0b"s, u"LDAP://a\0"s,
                                      u"LDAP://a\x01"
                                      u"b/o=x"s,
                                      u"LDAP://a\x1f"s, u"LDAP://a\x7f"s, u"LDAP://a\u0085b"s, u"LDAP://[::1\x07]:389"s,
                                      u"LDAP://a\tb"s, u"LDAP://a\x1b[31m:389"s}) {
        SCOPED_TRACE(::testing::PrintToString(bad));
        ads::ads_path path;
        EXPECT_EQ(ads::parse_ads_path(bad, path), E_ADS_BAD_PATHNAME) << bad.size();
    }
    // Letters beyond ASCII are no control characters.
    ads::ads_path path;
    EXPECT_EQ(ads::parse_ads_path(u"LDAP://z\u00fcrich.example", path), S_OK);
}

TEST(AdsPathUri, BracketsIpv6AndTakesAnotherPort)
{
    ads::ads_path path;
    ASSERT_EQ(ads::parse_ads_path(u"LDAP://[::1]/o=x", path), S_OK);
    EXPECT_EQ(path.uri(), "ldap://[::1]:389");
    EXPECT_EQ(path.uri(true, 636), "ldaps://[::1]:636");
}

} // namespace
