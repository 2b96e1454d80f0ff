#include "collector/hrx_ex.h"

#include "platform/com/bstr.h"
#include "platform/com/error_info.h"
#include "platform/win32/last_error.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

namespace {

template <typename Raise>
HRXEx caught(Raise raise)
{
    try {
        raise();
    } catch (const HRXEx& failure) {
        return failure;
    }
    ADD_FAILURE() << "nothing thrown";
    return HRXEx();
}

TEST(HRXEx, FailingResultsOfEachKind)
{
    SetLastError(ERROR_ACCESS_DENIED);
    struct Case {
        const char* what;
        HRESULT expected;
        HRXEx thrown;
    };
    const Case cases[] = {
        {"HRESULT", E_INVALIDARG, caught([] { HRXEx hr = E_INVALIDARG; })},
        {"Win32 code 5", static_cast<HRESULT>(0x80070005u), caught([] { HRXEx hr = DWORD{5}; })},
        {"Win32 code with top bit", E_FAIL, caught([] { HRXEx hr = static_cast<DWORD>(0x80004005u); })},
        {"Win32 code above 16 bits", static_cast<HRESULT>(0x80072345u), caught([] { HRXEx hr = DWORD{0x12345u}; })},
        {"BOOL FALSE", static_cast<HRESULT>(0x80070005u), caught([] { HRXEx hr = HRXEx::win32_bool{FALSE}; })},
        {"null handle", E_HANDLE, caught([] { HRXEx hr = HANDLE{nullptr}; })},
        {"invalid handle", E_HANDLE, caught([] { HRXEx hr = INVALID_HANDLE_VALUE; })},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<HRESULT>(c.thrown), c.expected) << c.what;
        EXPECT_NE(c.thrown.return_address(), 0u) << c.what;
    }
}

TEST(HRXEx, SuccessThrowsNothing)
{
    SetLastError(0);
    int value = 0;
    EXPECT_NO_THROW({
        HRXEx hr = S_FALSE;
        EXPECT_EQ(static_cast<HRESULT>(hr), S_FALSE);
        hr = DWORD{0};
        hr = HRXEx::win32_bool{TRUE};
        hr = HRXEx::win32_bool{FALSE}; // with a last error of 0: success
        hr = static_cast<HANDLE>(&value);
        EXPECT_EQ(hr.return_address(), 0u);
        EXPECT_EQ(hr.get_context(), nullptr);
    });
}

TEST(HRXEx, CaughtAsItsBases)
{
    EXPECT_THROW({ HRXEx hr = E_FAIL; }, HRX);
    try {
        HRXEx hr = E_FAIL;
    } catch (const HRXBase<HRESULT, 1>& base) {
        EXPECT_EQ(static_cast<HRESULT>(base), E_FAIL);
    }
}

TEST(HRXEx, TakesAndClearsTheThreadsErrorInfo)
{
    ASSERT_TRUE(HRX::SetErrorInfo(CAString(u"it broke")));
    const HRXEx failure = caught([] { HRXEx hr = E_FAIL; });
    ASSERT_NE(failure.error_info(), nullptr);
    BSTR description = nullptr;
    ASSERT_EQ(failure.error_info()->GetDescription(&description), S_OK);
    EXPECT_EQ(std::u16string(description), u"it broke");
    SysFreeString(description);
    IErrorInfo* left = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &left), S_FALSE); // taken, so cleared
    // A Win32 code takes none.
    ASSERT_TRUE(HRX::SetErrorInfo(CAString(u"other")));
    EXPECT_EQ(caught([] { HRXEx hr = DWORD{5}; }).error_info(), nullptr);
    GetErrorInfo(0, &left);
    if (left != nullptr)
        left->Release();
}

TEST(HRXEx, SetErrorInfoRefusesEmptyTexts)
{
    EXPECT_FALSE(HRX::SetErrorInfo(CAString()));
    EXPECT_FALSE(HRX::SetErrorInfo(S_OK));
    EXPECT_TRUE(HRX::SetErrorInfo(E_ACCESSDENIED));
    IErrorInfo* info = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    BSTR description = nullptr;
    info->GetDescription(&description);
    EXPECT_EQ(std::u16string(description), HRX::GetErrorDescription(E_ACCESSDENIED).str());
    SysFreeString(description);
    info->Release();
}

TEST(HRXEx, CopiesAndContext)
{
    HRXEx a = caught([] { HRXEx hr = E_FAIL; });
    a.set_context(u"while counting");
    const HRXEx b(a);
    EXPECT_EQ(std::u16string(b.get_context()), u"while counting");
    EXPECT_NE(b.get_context(), a.get_context()); // duplicated, not shared
    HRXEx c = caught([] { HRXEx hr = E_FAIL; });
    c = a; // equal HRESULTs: left as it was
    EXPECT_EQ(c.get_context(), nullptr);
    HRXEx d = caught([] { HRXEx hr = E_INVALIDARG; });
    d = a;
    EXPECT_EQ(static_cast<HRESULT>(d), E_FAIL);
    EXPECT_EQ(std::u16string(d.get_context()), u"while counting");
    d.set_context(nullptr);
    EXPECT_EQ(d.get_context(), nullptr);
    a.clear_context();
    EXPECT_EQ(a.get_context(), nullptr);
}

} // namespace
