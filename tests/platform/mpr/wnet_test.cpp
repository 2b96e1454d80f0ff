// The provider enumeration where no network is involved: the provider's own name, the top of
// the network (the provider itself), the packing of records into the caller's buffer, the end
// of the list, handles and the extended error's texts.

#include "platform/mpr/provider_error.h"
#include "platform/mpr/wnet.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(WNetProviderName, GrowsOnMoreDataAndKnowsOnlyItsType)
{
    char16_t small[2];
    DWORD size = 2;
    ASSERT_EQ(WNetGetProviderNameW(WNNC_NET_LANMAN, small, &size), ERROR_MORE_DATA);
    ASSERT_GT(size, 2u);
    std::u16string name(size, u'?');
    ASSERT_EQ(WNetGetProviderNameW(WNNC_NET_LANMAN, name.data(), &size), NO_ERROR);
    EXPECT_EQ(name.c_str(), mpr::provider_name());
    EXPECT_EQ(WNetGetProviderNameW(0x00010000u, name.data(), &size), ERROR_NO_NETWORK);
}

TEST(WNetEnum, TopOfTheNetworkIsTheProviderThenTheEnd)
{
    HANDLE handle = nullptr;
    ASSERT_EQ(WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, nullptr, &handle), NO_ERROR);
    alignas(NETRESOURCEW) unsigned char page[16384];
    DWORD count = 0xFFFFFFFFu, size = sizeof page;
    ASSERT_EQ(WNetEnumResourceW(handle, &count, page, &size), NO_ERROR);
    ASSERT_EQ(count, 1u);
    auto* record = reinterpret_cast<NETRESOURCEW*>(page);
    EXPECT_EQ(record->dwDisplayType, RESOURCEDISPLAYTYPE_NETWORK);
    EXPECT_EQ(record->dwUsage, RESOURCEUSAGE_CONTAINER);
    EXPECT_EQ(record->lpRemoteName, mpr::provider_name());
    EXPECT_EQ(record->lpProvider, mpr::provider_name());
    count = 0xFFFFFFFFu;
    EXPECT_EQ(WNetEnumResourceW(handle, &count, page, &size), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(WNetCloseEnum(handle), NO_ERROR);
    EXPECT_EQ(WNetCloseEnum(handle), ERROR_INVALID_HANDLE) << "a closed handle is refused";
}

TEST(WNetEnum, BufferTooSmallForOneRecordTellsTheSize)
{
    HANDLE handle = nullptr;
    ASSERT_EQ(WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, nullptr, &handle), NO_ERROR);
    alignas(NETRESOURCEW) unsigned char page[256];
    for (DWORD small : {DWORD{0}, DWORD{sizeof(NETRESOURCEW)}, DWORD{sizeof(NETRESOURCEW) + 7}}) {
        SCOPED_TRACE(small);
        [&] { // an ASSERT ends this row only
            DWORD count = 0xFFFFFFFFu, size = small;
            ASSERT_EQ(WNetEnumResourceW(handle, &count, small ? page : nullptr, &size), ERROR_MORE_DATA);
            EXPECT_GT(size, small);
            EXPECT_LE(size, sizeof page);
        }();
    }
    DWORD count = 1, size = sizeof page;
    EXPECT_EQ(WNetEnumResourceW(handle, &count, page, &size), NO_ERROR) << "nothing was lost";
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(WNetCloseEnum(handle), NO_ERROR);
}

TEST(WNetEnum, RefusesWhatItCannotList)
{
    HANDLE handle = reinterpret_cast<HANDLE>(1);
    EXPECT_EQ(WNetOpenEnumW(RESOURCE_CONNECTED, RESOURCETYPE_ANY, 0, nullptr, &handle), ERROR_NOT_SUPPORTED);
    EXPECT_EQ(handle, nullptr);
    NETRESOURCEW other{};
    other.lpProvider = const_cast<LPWSTR>(u"Another Network");
    EXPECT_EQ(WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, RESOURCEUSAGE_CONTAINER, &other, &handle),
              ERROR_BAD_PROVIDER);
    int unrelated = 0;
    DWORD count = 1, size = 0;
    EXPECT_EQ(WNetEnumResourceW(&unrelated, &count, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(WNetCloseEnum(nullptr), ERROR_INVALID_HANDLE);
    ASSERT_EQ(WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, nullptr, &handle), NO_ERROR);
    alignas(NETRESOURCEW) unsigned char page[256];
    count = 0;
    size = sizeof page;
    EXPECT_EQ(WNetEnumResourceW(handle, &count, page, &size), ERROR_INVALID_PARAMETER) << "asking for no record";
    EXPECT_EQ(WNetCloseEnum(handle), NO_ERROR);
}

TEST(WNetLastError, ProviderCodeNameAndTextCutToTheirBuffers)
{
    ASSERT_EQ(mpr::set_provider_error(111, u"Connection refused by the browser"), ERROR_EXTENDED_ERROR);
    DWORD code = 0;
    char16_t text[11], name[256];
    ASSERT_EQ(WNetGetLastErrorW(&code, text, 11, name, 256), NO_ERROR);
    EXPECT_EQ(code, 111u);
    EXPECT_EQ(std::u16string(text), u"Connection");
    EXPECT_EQ(name, mpr::provider_name());
    EXPECT_EQ(WNetGetLastErrorW(nullptr, text, 11, name, 256), ERROR_INVALID_PARAMETER);
}

} // namespace
