// CNetEnumerator over a scripted network: the paging of the provider's list and of the
// display information, the controller cache and the error texts.

#include "collector/netapi/net_enumerator.h"

#include "error_info_text.h"
#include "fake_net_platform.h"
#include "platform/com/safearray.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using netcol_test::fake_net_platform;
using netcol_test::fake_record;
using netcol_test::take_error_info_text;

std::u16string numbered(const char16_t* stem, int i)
{
    std::u16string text = stem;
    for (char c : std::to_string(10000 + i).substr(1))
        text += static_cast<char16_t>(c);
    return text;
}

std::vector<std::u16string> names_of(const VARIANT& v)
{
    std::vector<std::u16string> names;
    EXPECT_EQ(v.vt, VT_ARRAY | VT_BSTR);
    if (v.vt != (VT_ARRAY | VT_BSTR))
        return names;
    EXPECT_EQ(SafeArrayGetDim(v.parray), 1u);
    LONG lower = -1;
    LONG upper = -1;
    SafeArrayGetLBound(v.parray, 1, &lower);
    SafeArrayGetUBound(v.parray, 1, &upper);
    EXPECT_EQ(lower, 0);
    for (LONG i = lower; i <= upper; ++i) {
        BSTR name = nullptr;
        SafeArrayGetElement(v.parray, &i, &name);
        names.emplace_back(name, SysStringLen(name));
        SysFreeString(name);
    }
    return names;
}

class NetEnumeratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VariantInit(&result);
        take_error_info_text(); // no stale error information from an earlier test
    }
    void TearDown() override
    {
        VariantClear(&result);
        EXPECT_EQ(net.live_buffers(), 0u) << "every buffer handed out is freed";
    }

    fake_net_platform net;
    VARIANT result;
};

// --- the domain list ------------------------------------------------------------------------

TEST_F(NetEnumeratorTest, NoDomainGivesAnEmptyVariantNotAnEmptyArray)
{
    // Records that are no domain containers are skipped.
    net.records = {{RESOURCEDISPLAYTYPE_SERVER, RESOURCEUSAGE_CONTAINER, u"\\\\HOST"},
                   {RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONNECTABLE, u"NOTACONTAINER"}};
    result.vt = VT_I4;
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.EnumerateDomains(&result), 0u);
    EXPECT_EQ(result.vt, VT_EMPTY);
    EXPECT_EQ(net.open_handles, 0) << "the enumeration is closed at its end";
}

TEST_F(NetEnumeratorTest, MoreDomainsThanOnePageHoldsAreAllListedInOrder)
{
    std::vector<std::u16string> expected;
    for (int i = 0; i < 600; ++i) {
        expected.push_back(numbered(u"DOMAIN-", i));
        net.records.push_back({RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER, expected.back()});
        if (i % 50 == 7)
            net.records.push_back({RESOURCEDISPLAYTYPE_SERVER, RESOURCEUSAGE_CONTAINER, u"\\\\SKIPPED"});
    }
    CNetEnumerator enumerator(net);
    ASSERT_EQ(enumerator.EnumerateDomains(&result), 0u);
    EXPECT_EQ(names_of(result), expected);
    EXPECT_GE(net.enum_calls, 4) << "16 KB a call: three pages and the end";
    EXPECT_EQ(net.open_handles, 0);

    // The same enumerator lists again through a fresh enumeration.
    net.records.resize(1);
    ASSERT_EQ(enumerator.EnumerateDomains(&result), 0u);
    EXPECT_EQ(names_of(result), std::vector<std::u16string>{u"DOMAIN-0000"});
}

TEST_F(NetEnumeratorTest, ProviderNameLongerThanItsFirstBufferIsReadAgainWhole)
{
    net.provider_name = u"A network provider whose name is longer than thirty-two characters";
    net.records = {{RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER, u"TEST"}};
    CNetEnumerator enumerator(net);
    ASSERT_EQ(enumerator.EnumerateDomains(&result), 0u);
    EXPECT_EQ(net.provider_name_calls, 2);
    EXPECT_EQ(net.opened_with_provider, net.provider_name);
    EXPECT_EQ(names_of(result), std::vector<std::u16string>{u"TEST"});
}

struct extended_error_case {
    const char* what;
    DWORD last_error_result;
    std::u16string provider_text;
    std::u16string expected;
};

class NetEnumeratorExtendedError : public NetEnumeratorTest,
                                   public ::testing::WithParamInterface<extended_error_case> {};

TEST_P(NetEnumeratorExtendedError, SetsTheProvidersTextAndLeavesTheVariant)
{
    const extended_error_case& c = GetParam();
    net.records = {{RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER, u"FIRST"}};
    net.enum_failure_call = 2; // after one page was read
    net.last_error_result = c.last_error_result;
    net.last_error_text = c.provider_text;
    result.vt = VT_I4;
    result.lVal = 42;
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.EnumerateDomains(&result), ERROR_EXTENDED_ERROR);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 42);
    EXPECT_EQ(take_error_info_text(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NetEnumeratorExtendedError,
    ::testing::Values(
        extended_error_case{"WithProviderText", NO_ERROR, u"The browse list of smb:// is not available: No route",
                            u"SMB Network failed with code 53;\nThe browse list of smb:// is not available: No route"},
        extended_error_case{"WithoutProviderText", NO_ERROR, u"", u"SMB Network failed with code 53;\n"},
        extended_error_case{"LastErrorFails", ERROR_INVALID_PARAMETER, u"unused", u"Unknown error."},
        extended_error_case{"CutAt255", NO_ERROR, std::u16string(300, u'x'),
                            (u"SMB Network failed with code 53;\n" + std::u16string(300, u'x')).substr(0, 255)}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(NetEnumeratorTest, FailureToOpenIsTheCodeWithItsSystemText)
{
    net.open_code = ERROR_NO_NETWORK;
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.EnumerateDomains(&result), ERROR_NO_NETWORK);
    EXPECT_EQ(result.vt, VT_EMPTY);
    const auto text = take_error_info_text();
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->rfind(u"The network is not present or not started.", 0), 0u);

    net.open_code = NO_ERROR;
    net.provider_name_code = ERROR_NO_NETWORK;
    EXPECT_EQ(enumerator.EnumerateDomains(&result), ERROR_NO_NETWORK);
}

TEST_F(NetEnumeratorTest, RecordLargerThanThePageFailsWithMoreDataAndTheHandleIsClosedLater)
{
    net.records = {{RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER, u"FIRST"},
                   {RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER, std::u16string(9000, u'D')}};
    {
        CNetEnumerator enumerator(net);
        EXPECT_EQ(enumerator.EnumerateDomains(&result), ERROR_MORE_DATA);
        EXPECT_EQ(result.vt, VT_EMPTY) << "the names read before the failure are dropped";
        EXPECT_EQ(take_error_info_text(), u"More data is available.\r\n");
        EXPECT_EQ(net.open_handles, 1) << "kept open until the next enumeration or the end";
    }
    EXPECT_EQ(net.open_handles, 0);
}

// --- the counts -----------------------------------------------------------------------------

class NetCountsTest : public NetEnumeratorTest {
protected:
    void SetUp() override
    {
        NetEnumeratorTest::SetUp();
        net.controllers[u"test.local"] = u"\\\\DC1";
    }
};

TEST_F(NetCountsTest, UsersArePagedAHundredAtATimeAndDisabledOnesAreNotEnabled)
{
    std::vector<DWORD> flags(250, 0x0200u);
    for (int i = 0; i < 10; ++i)
        flags[static_cast<std::size_t>(i * 25)] |= UF_ACCOUNTDISABLE;
    net.display[1] = flags;
    CNetEnumerator enumerator(net);
    LONG enabled = -7;
    EXPECT_EQ(enumerator.NetUserCount(u"test.local", enabled), 250);
    EXPECT_EQ(enabled, 240);
    EXPECT_EQ(net.display_indexes, (std::vector<DWORD>{0, 100, 200}));
    EXPECT_EQ(net.display_asked, (std::vector<std::u16string>(3, u"\\\\DC1"))) << "the controller as it was found";
    EXPECT_EQ(enumerator.GetLastError(), 0u);
}

TEST_F(NetCountsTest, FailureInTheSecondCallFailsTheWholeCount)
{
    net.display[1] = std::vector<DWORD>(250, 0);
    net.display_failure[1] = {2, ERROR_ACCESS_DENIED};
    CNetEnumerator enumerator(net);
    LONG enabled = 0;
    EXPECT_EQ(enumerator.NetUserCount(u"test.local", enabled), -1);
    EXPECT_EQ(enabled, -1);
    EXPECT_EQ(enumerator.GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(NetCountsTest, MachineAccountsAndGlobalGroupsFollowTheNextIndex)
{
    net.display[2] = std::vector<DWORD>(165, 0);
    net.display[3] = std::vector<DWORD>(22, 0);
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.NetServerCount(u"test.local", SV_TYPE_ALL), 165);
    EXPECT_EQ(net.display_indexes, (std::vector<DWORD>{0, 100}));
    EXPECT_EQ(enumerator.NetGroupCount(u"test.local", false), 22);
}

TEST_F(NetCountsTest, SuccessWithoutABufferIsARefusal)
{
    net.display_success_without_buffer = true;
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.NetGroupCount(u"test.local", false), -1);
    EXPECT_EQ(enumerator.GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(NetCountsTest, MoreDataThatNeverMovesOnFailsInsteadOfLoopingForEver)
{
    net.display_more_without_entries = true;
    net.local_more_without_entries = true;
    CNetEnumerator enumerator(net);
    LONG enabled = 0;
    EXPECT_EQ(enumerator.NetUserCount(u"test.local", enabled), -1);
    EXPECT_EQ(enumerator.GetLastError(), ERROR_MORE_DATA);
    EXPECT_EQ(net.display_indexes.size(), 1u);
    EXPECT_EQ(enumerator.NetGroupCount(u"test.local", true), -1);
    EXPECT_EQ(enumerator.GetLastError(), ERROR_MORE_DATA);
    EXPECT_EQ(net.local_calls, 1);
}

TEST_F(NetCountsTest, LocalGroupsAddUpOverMoreDataPages)
{
    net.local_groups = 31;
    net.local_groups_per_call = 7;
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.NetGroupCount(u"test.local", true), 31);
    EXPECT_EQ(net.local_calls, 5);

    net.local_calls = 0;
    net.local_failure_call = 3;
    net.local_failure_code = ERROR_ACCESS_DENIED;
    EXPECT_EQ(enumerator.NetGroupCount(u"test.local", true), -1);
    EXPECT_EQ(enumerator.GetLastError(), ERROR_ACCESS_DENIED);
}

TEST_F(NetCountsTest, ServerEnumAnswersItsTotalAndMoreDataIsAFailure)
{
    net.servers[SV_TYPE_DOMAIN_CTRL | SV_TYPE_DOMAIN_BAKCTRL] = {NERR_Success, 2};
    net.servers[SV_TYPE_SERVER_NT] = {ERROR_MORE_DATA, 40};
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.NetServerCount(u"test.local", SV_TYPE_DOMAIN_CTRL | SV_TYPE_DOMAIN_BAKCTRL), 2);
    EXPECT_EQ(enumerator.GetLastError(), 0u);
    EXPECT_EQ(enumerator.NetServerCount(u"test.local", SV_TYPE_SERVER_NT), -1);
    EXPECT_EQ(enumerator.GetLastError(), ERROR_MORE_DATA);
    EXPECT_EQ(net.servers_asked, (std::vector<std::u16string>(2, u"\\\\DC1")));
}

TEST_F(NetCountsTest, ControllerIsLookedUpOncePerExactName)
{
    net.controllers[u"TEST.LOCAL"] = u"\\\\DC2";
    net.display[3] = std::vector<DWORD>(5, 0);
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.NetGroupCount(u"test.local", false), 5);
    EXPECT_EQ(enumerator.NetGroupCount(u"test.local", false), 5);
    EXPECT_EQ(enumerator.NetGroupCount(u"TEST.LOCAL", false), 5);
    EXPECT_EQ(net.dc_lookups, (std::vector<std::u16string>{u"test.local", u"TEST.LOCAL"}));
    EXPECT_EQ(net.display_asked.back(), u"\\\\DC2");
}

TEST_F(NetCountsTest, NameWithASlashIsNeverLookedUp)
{
    CNetEnumerator enumerator(net);
    LONG enabled = 0;
    EXPECT_EQ(enumerator.NetUserCount(u"test.local/reader/Pa55", enabled), -1);
    EXPECT_EQ(enumerator.GetLastError(), ERROR_INVALID_DOMAINNAME);
    EXPECT_TRUE(net.dc_lookups.empty());
}

TEST_F(NetCountsTest, FailedLookupIsCachedAndLaterCountsFailAtOnceWithItsCode)
{
    CNetEnumerator enumerator(net);
    EXPECT_EQ(enumerator.NetServerCount(u"nosuch", SV_TYPE_DOMAIN_CTRL | SV_TYPE_DOMAIN_BAKCTRL), -1);
    EXPECT_EQ(enumerator.GetLastError(), NERR_DCNotFound);

    // Another domain's failure in between: the cached failure gives its own code again.
    LONG enabled = -5;
    EXPECT_EQ(enumerator.NetUserCount(u"test.local/reader/Pa55", enabled), -1);
    EXPECT_EQ(enumerator.GetLastError(), ERROR_INVALID_DOMAINNAME);
    EXPECT_EQ(enumerator.NetGroupCount(u"nosuch", true), -1);
    EXPECT_EQ(enumerator.GetLastError(), NERR_DCNotFound);
    // A display-information count clears the last error before it finds the cached failure,
    // which sets it again; the enabled count stays as the caller set it.
    EXPECT_EQ(enumerator.NetUserCount(u"nosuch", enabled), -1);
    EXPECT_EQ(enabled, -5);
    EXPECT_EQ(enumerator.GetLastError(), NERR_DCNotFound);
    EXPECT_EQ(enumerator.NetServerCount(u"nosuch", SV_TYPE_ALL), -1);
    EXPECT_EQ(enumerator.GetLastError(), NERR_DCNotFound);
    EXPECT_EQ(net.dc_lookups, std::vector<std::u16string>{u"nosuch"});
    EXPECT_TRUE(net.display_asked.empty());
}

} // namespace
