#include "collector/hrx.h"

#include "platform/win32/message_table.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

namespace {

TEST(HRX, AssignmentThrowsFailuresAsBareHresult)
{
    HRX hr;
    EXPECT_NO_THROW(hr = S_FALSE);
    EXPECT_EQ(static_cast<HRESULT>(hr), S_FALSE);
    try {
        hr = E_INVALIDARG;
        FAIL() << "no throw";
    } catch (HRESULT thrown) {
        EXPECT_EQ(thrown, E_INVALIDARG);
    }
}

TEST(HRX, GetErrorDescription)
{
    EXPECT_TRUE(HRX::GetErrorDescription(0).empty());
    // Facility 7: the whole value is looked up.
    const CAString denied = HRX::GetErrorDescription(E_ACCESSDENIED);
    EXPECT_EQ(denied.str(), win32::system_message(0x80070005u));
    EXPECT_FALSE(denied.empty());
    EXPECT_EQ(denied.str().substr(denied.length() - 2), u"\r\n");
    // Facility 8: only the low 16 bits (5) are looked up.
    EXPECT_EQ(HRX::GetErrorDescription(static_cast<HRESULT>(0x80080005u)).str(), win32::system_message(5));
    // No text: empty.
    EXPECT_TRUE(HRX::GetErrorDescription(static_cast<HRESULT>(0x8004ABCDu)).empty());
}

} // namespace
