// What the layer decides without a network: the packing of the emulated server list, the
// server names it hands to libnetapi, and the arguments it refuses before any call.

#include "platform/netapi/net_api.h"
#include "platform/netapi/server_list.h"
#include "platform/netapi/server_name.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ServerName, LeadingBackslashesGoAndNullIsLocal)
{
    struct Case {
        const char16_t* given;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{{u"\\\\DC1", "DC1"},
                                           {u"DC1", "DC1"},
                                           {u"\\dc1.test.local", "dc1.test.local"},
                                           {u"\\\\", ""},
                                           {u"", ""},
                                           {nullptr, ""},
                                           {u"\\\\s\u00e9rveur", "s\xc3\xa9rveur"}}) {
        SCOPED_TRACE(::testing::PrintToString(c.given ? std::u16string(c.given) : std::u16string(u"(null)")));
        EXPECT_EQ(netapi::server_name(c.given), c.expected);
    }
}

TEST(ServerList, AllFitWithoutPreferredLength)
{
    std::vector<std::u16string> names{u"DC1", u"DC2", u"DC3"};
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0;
    ASSERT_EQ(netapi::pack_server_list(names, 101, SV_TYPE_DOMAIN_CTRL, MAX_PREFERRED_LENGTH, &buffer, &read, &total),
              NERR_Success);
    EXPECT_EQ(read, 3u);
    EXPECT_EQ(total, 3u);
    auto* servers = reinterpret_cast<SERVER_INFO_101*>(buffer);
    for (DWORD i = 0; i < read; ++i) {
        EXPECT_EQ(std::u16string(servers[i].sv101_name), names[i]);
        EXPECT_EQ(std::u16string(servers[i].sv101_comment), u"");
        EXPECT_EQ(servers[i].sv101_platform_id, PLATFORM_ID_NT);
        EXPECT_EQ(servers[i].sv101_type, SV_TYPE_DOMAIN_CTRL);
    }
    NetApiBufferFree(buffer);
}

TEST(ServerList, PreferredLengthCutsTheListButNotTheTotal)
{
    std::vector<std::u16string> names{u"DC1", u"DC2", u"DC3"};
    // One level-100 record with its name, and a little more.
    DWORD one = sizeof(SERVER_INFO_100) + 4 * sizeof(char16_t);
    struct Case {
        DWORD prefmaxlen;
        DWORD read;
        NET_API_STATUS status;
    };
    for (const Case& c : std::vector<Case>{{0, 0, ERROR_MORE_DATA},
                                           {one, 1, ERROR_MORE_DATA},
                                           {2 * one + 1, 2, ERROR_MORE_DATA},
                                           {3 * one, 3, NERR_Success}}) {
        SCOPED_TRACE(c.prefmaxlen);
        [&] { // an ASSERT ends this row only
            LPBYTE buffer = nullptr;
            DWORD read = 9, total = 9;
            EXPECT_EQ(netapi::pack_server_list(names, 100, 0, c.prefmaxlen, &buffer, &read, &total), c.status)
                << c.prefmaxlen;
            EXPECT_EQ(read, c.read) << c.prefmaxlen;
            EXPECT_EQ(total, 3u);
            ASSERT_NE(buffer, nullptr);
            auto* servers = reinterpret_cast<SERVER_INFO_100*>(buffer);
            for (DWORD i = 0; i < read; ++i)
                EXPECT_EQ(std::u16string(servers[i].sv100_name), names[i]);
            NetApiBufferFree(buffer);
        }();
    }
}

TEST(ServerList, EmptyListIsASuccessWithABuffer)
{
    LPBYTE buffer = nullptr;
    DWORD read = 9, total = 9;
    EXPECT_EQ(netapi::pack_server_list({}, 101, 0, MAX_PREFERRED_LENGTH, &buffer, &read, &total), NERR_Success);
    EXPECT_NE(buffer, nullptr);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(total, 0u);
    NetApiBufferFree(buffer);
}

TEST(NetApiArguments, RefusedBeforeAnyCall)
{
    LPBYTE buffer = nullptr;
    void* display = nullptr;
    DWORD read = 0, total = 0;
    EXPECT_EQ(
        NetServerEnum(u"DC1", 102, &buffer, MAX_PREFERRED_LENGTH, &read, &total, SV_TYPE_DOMAIN_CTRL, nullptr, nullptr),
        ERROR_INVALID_LEVEL);
    EXPECT_EQ(
        NetServerEnum(u"DC1", 101, &buffer, MAX_PREFERRED_LENGTH, &read, &total, SV_TYPE_SERVER_NT, nullptr, nullptr),
        ERROR_NO_BROWSER_SERVERS_FOUND);
    EXPECT_EQ(NetServerEnum(nullptr, 101, &buffer, MAX_PREFERRED_LENGTH, &read, &total, SV_TYPE_DOMAIN_CTRL, nullptr,
                            nullptr),
              ERROR_NO_BROWSER_SERVERS_FOUND)
        << "no server and no domain: no browse master";
    EXPECT_EQ(
        NetServerEnum(u"DC1", 101, nullptr, MAX_PREFERRED_LENGTH, &read, &total, SV_TYPE_DOMAIN_CTRL, nullptr, nullptr),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(NetQueryDisplayInformation(u"DC1", 4, 0, 100, MAX_PREFERRED_LENGTH, &read, &display),
              ERROR_INVALID_LEVEL);
    EXPECT_EQ(NetQueryDisplayInformation(u"DC1", 1, 0, 100, MAX_PREFERRED_LENGTH, nullptr, &display),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(NetLocalGroupEnum(u"DC1", 2, &buffer, MAX_PREFERRED_LENGTH, &read, &total, nullptr), ERROR_INVALID_LEVEL);
    EXPECT_EQ(NetGetDCName(nullptr, u"TEST", nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(display, nullptr);
    EXPECT_EQ(NetApiBufferFree(nullptr), NERR_Success);
}

} // namespace
