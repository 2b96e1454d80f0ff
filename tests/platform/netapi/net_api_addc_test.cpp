// The management calls against the fixture's Samba AD domain controller, with the
// administrator's Kerberos ticket as the caller's own credentials.

#include "platform/netapi/net_api.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include "tests/support/dc_ticket.h"
#include "tests/support/server_env.h"

#include <gtest/gtest.h>

#include <arpa/nameser.h>
#include <netinet/in.h>
#include <resolv.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using ostrel::test::dc_count;
using ostrel::test::env;

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Whether the DNS server of the resolver (127.0.0.1, the DC's own, inside with-dc-env.sh)
// answers the address of the controller's host: the locator finds the controller from its
// service records and that address, and reads no hosts file.
bool dns_knows(const std::string& host)
{
    unsigned char answer[512];
    return res_query(host.c_str(), C_IN, T_A, answer, sizeof answer) > 0;
}

class NetApiAddc : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        // Once per process, before the first call opens the session.
        static std::string why;
        static const bool taken = ostrel::test::take_dc_ticket(why);
        ASSERT_TRUE(taken) << why;
        dc_ = u"\\\\" + utf8_to_utf16(*env("SAMBA_DC_HOST"));
    }

    // Pages through one display-information level 100 entries a call, as the collector does.
    struct display_total {
        NET_API_STATUS status = 0;
        long entries = 0;
        long disabled = 0;
        int calls = 0;
    };
    display_total count_display(DWORD level)
    {
        display_total result;
        DWORD index = 0;
        do {
            DWORD read = 0;
            void* buffer = nullptr;
            result.status = NetQueryDisplayInformation(dc_.c_str(), level, index, 100, MAX_PREFERRED_LENGTH, &read,
                                                       &buffer);
            ++result.calls;
            if (result.status != NERR_Success && result.status != ERROR_MORE_DATA)
                break;
            EXPECT_NE(buffer, nullptr);
            result.entries += read;
            if (read > 0) {
                if (level == 1) {
                    auto* users = static_cast<NET_DISPLAY_USER*>(buffer);
                    for (DWORD i = 0; i < read; ++i)
                        result.disabled += (users[i].usri1_flags & UF_ACCOUNTDISABLE) ? 1 : 0;
                    index = users[read - 1].usri1_next_index;
                } else if (level == 2) {
                    index = static_cast<NET_DISPLAY_MACHINE*>(buffer)[read - 1].usri2_next_index;
                } else {
                    index = static_cast<NET_DISPLAY_GROUP*>(buffer)[read - 1].grpi3_next_index;
                }
            }
            NetApiBufferFree(buffer);
            if (read == 0)
                break;
        } while (result.status == ERROR_MORE_DATA);
        return result;
    }

    std::u16string dc_;
};

TEST_F(NetApiAddc, ControllerOfTheDomainComesFromTheLocatorWithBackslashes)
{
    ASSERT_TRUE(dns_knows(*env("SAMBA_DC_FQDN")))
        << "the DC's DNS has no address record of " << *env("SAMBA_DC_FQDN")
        << ", so no locator can find the controller: the fixture must register it";
    // The domain's DNS name: a flat name is located over NetBIOS, which is off here.
    LPBYTE buffer = nullptr;
    ASSERT_EQ(NetGetDCName(nullptr, utf8_to_utf16(*env("SAMBA_DC_REALM")).c_str(), &buffer), NERR_Success);
    ASSERT_NE(buffer, nullptr);
    std::string name = utf16_to_utf8(reinterpret_cast<const char16_t*>(buffer));
    EXPECT_EQ(upper(name), "\\\\" + upper(*env("SAMBA_DC_HOST")));
    NetApiBufferFree(buffer);
}

TEST_F(NetApiAddc, ControllerNamedByAServerKeepsItsBackslashes)
{
    // The server is given as NetGetDCName returns it, backslashes and all.
    LPBYTE buffer = nullptr;
    ASSERT_EQ(NetGetDCName(dc_.c_str(), utf8_to_utf16(*env("SAMBA_DC_DOMAIN")).c_str(), &buffer), NERR_Success);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(upper(utf16_to_utf8(reinterpret_cast<const char16_t*>(buffer))), "\\\\" + upper(*env("SAMBA_DC_HOST")));
    NetApiBufferFree(buffer);
}

TEST_F(NetApiAddc, DomainNobodyAnswersForFailsWithinSeconds)
{
    for (const char16_t* domain : {u"NOSUCHDOMAIN", u"nosuch.example.invalid"}) {
        SCOPED_TRACE(utf16_to_utf8(domain));
        auto start = std::chrono::steady_clock::now();
        LPBYTE buffer = reinterpret_cast<LPBYTE>(&buffer);
        NET_API_STATUS status = NetGetDCName(nullptr, domain, &buffer);
        auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(status, NERR_DCNotFound) << utf16_to_utf8(domain);
        EXPECT_EQ(buffer, nullptr);
        EXPECT_LT(seconds, 10.0) << utf16_to_utf8(domain);
    }
}

TEST_F(NetApiAddc, ServerNobodyAnswersForFailsWithinSeconds)
{
    auto start = std::chrono::steady_clock::now();
    DWORD read = 7;
    void* buffer = nullptr;
    NET_API_STATUS status = NetQueryDisplayInformation(u"\\\\nosuchhost", 1, 0, 100, MAX_PREFERRED_LENGTH, &read,
                                                       &buffer);
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_NE(status, NERR_Success);
    EXPECT_NE(status, ERROR_MORE_DATA);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(read, 0u);
    EXPECT_LT(seconds, 10.0);
}

TEST_F(NetApiAddc, DisplayInformationPagesOverEveryAccount)
{
    display_total users = count_display(1);
    ASSERT_EQ(users.status, NERR_Success);
    EXPECT_EQ(users.entries, dc_count("COUNT_SAM_USER_ACCOUNT"));
    EXPECT_GE(users.calls, 10) << "100 entries a call";
    // Samba's controller leaves the account flags of this level empty, disabled accounts
    // included, so no account reads as disabled here (an enabled count equals the total).
    EXPECT_EQ(users.disabled, 0);

    display_total machines = count_display(2);
    ASSERT_EQ(machines.status, NERR_Success);
    EXPECT_EQ(machines.entries, dc_count("COUNT_SAM_MACHINE_ACCOUNT"));

    display_total groups = count_display(3);
    ASSERT_EQ(groups.status, NERR_Success);
    EXPECT_EQ(groups.entries, dc_count("COUNT_SAM_GLOBAL_GROUP"));
}

TEST_F(NetApiAddc, CallsFromSeveralThreadsAtOnceGetWholeAnswers)
{
    // libnetapi is not thread-safe; the layer's lock makes concurrent callers safe.
    std::vector<display_total> totals(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < totals.size(); ++i)
        threads.emplace_back([this, &totals, i] { totals[i] = count_display(i % 2 ? 2 : 1); });
    for (auto& thread : threads)
        thread.join();
    for (std::size_t i = 0; i < totals.size(); ++i) {
        EXPECT_EQ(totals[i].status, NERR_Success) << i;
        EXPECT_EQ(totals[i].entries, dc_count(i % 2 ? "COUNT_SAM_MACHINE_ACCOUNT" : "COUNT_SAM_USER_ACCOUNT")) << i;
    }
}

TEST_F(NetApiAddc, DisplayInformationNamesCrossAsUtf16)
{
    DWORD read = 0;
    void* buffer = nullptr;
    ASSERT_EQ(NetQueryDisplayInformation(dc_.c_str(), 1, 0, 2000, MAX_PREFERRED_LENGTH, &read, &buffer), NERR_Success);
    std::vector<std::u16string> names;
    for (DWORD i = 0; i < read; ++i)
        names.emplace_back(static_cast<NET_DISPLAY_USER*>(buffer)[i].usri1_name);
    NetApiBufferFree(buffer);
    EXPECT_NE(std::find(names.begin(), names.end(), u"Administrator"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), u"fxu000001"), names.end());
}

TEST_F(NetApiAddc, LocalGroupsWholeAndInPages)
{
    for (DWORD prefmaxlen : {MAX_PREFERRED_LENGTH, DWORD{64}}) {
        SCOPED_TRACE(prefmaxlen);
        [&] { // an ASSERT ends this row only
            DWORD_PTR resume = 0;
            long count = 0;
            int calls = 0;
            NET_API_STATUS status;
            do {
                LPBYTE buffer = nullptr;
                DWORD read = 0, total = 0;
                status = NetLocalGroupEnum(dc_.c_str(), 0, &buffer, prefmaxlen, &read, &total, &resume);
                ++calls;
                ASSERT_TRUE(status == NERR_Success || status == ERROR_MORE_DATA) << status;
                for (DWORD i = 0; i < read; ++i)
                    EXPECT_NE(reinterpret_cast<LOCALGROUP_INFO_0*>(buffer)[i].lgrpi0_name, nullptr);
                count += read;
                NetApiBufferFree(buffer);
            } while (status == ERROR_MORE_DATA && calls < 1000);
            EXPECT_EQ(count, dc_count("COUNT_SAM_LOCAL_GROUP")) << "preferred length " << prefmaxlen;
            if (prefmaxlen != MAX_PREFERRED_LENGTH) {
                EXPECT_GT(calls, 1) << "a small preferred length pages";
            }
        }();
    }
}

TEST_F(NetApiAddc, ControllersComeFromServerTrustAccounts)
{
    LPBYTE buffer = nullptr;
    DWORD read = 0, total = 0;
    ASSERT_EQ(NetServerEnum(dc_.c_str(), 101, &buffer, MAX_PREFERRED_LENGTH, &read, &total,
                            SV_TYPE_DOMAIN_CTRL | SV_TYPE_DOMAIN_BAKCTRL,
                            utf8_to_utf16(*env("SAMBA_DC_DOMAIN")).c_str(), nullptr),
              NERR_Success);
    EXPECT_EQ(static_cast<int>(total), dc_count("COUNT_DC"));
    ASSERT_EQ(read, total);
    auto* servers = reinterpret_cast<SERVER_INFO_101*>(buffer);
    EXPECT_EQ(upper(utf16_to_utf8(servers[0].sv101_name)), upper(*env("SAMBA_DC_HOST")));
    EXPECT_TRUE(servers[0].sv101_type & SV_TYPE_DOMAIN_CTRL);
    NetApiBufferFree(buffer);
}

TEST_F(NetApiAddc, OtherServerTypesHaveNoBrowseMaster)
{
    for (DWORD type : {SV_TYPE_SERVER_NT, SV_TYPE_ALL, SV_TYPE_WORKSTATION, DWORD{0x8018}}) {
        SCOPED_TRACE(type);
        LPBYTE buffer = nullptr;
        DWORD read = 5, total = 5;
        EXPECT_EQ(NetServerEnum(dc_.c_str(), 101, &buffer, MAX_PREFERRED_LENGTH, &read, &total, type, nullptr, nullptr),
                  ERROR_NO_BROWSER_SERVERS_FOUND)
            << type;
        EXPECT_EQ(buffer, nullptr);
        EXPECT_EQ(read, 0u);
        EXPECT_EQ(total, 0u);
    }
}

} // namespace
