#include "platform/win32/message_table.h"

#include "platform/win32/last_error.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kSystem = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;

std::u16string format_allocated(DWORD code, DWORD language = 0x400)
{
    LPWSTR text = nullptr;
    const DWORD n = FormatMessageW(kSystem | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, code, language,
                                   reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    if (n == 0)
        return {};
    std::u16string result(text, n);
    EXPECT_EQ(text[n], u'\0');
    EXPECT_EQ(LocalFree(text), nullptr);
    return result;
}

TEST(MessageTable, CodesAreFoundBareAndAsTheirHresult)
{
    const struct {
        DWORD code;
        const char16_t* text;
    } cases[] = {
        {5, u"Access is denied.\r\n"},
        {0x80070005u, u"Access is denied.\r\n"},
        {53, u"The network path was not found.\r\n"},
        {87, u"The parameter is incorrect.\r\n"},
        {0x80070057u, u"The parameter is incorrect.\r\n"},
        {259, u"No more data is available.\r\n"},
        // What libnetapi answers for a management call whose logon fails.
        {1003, u"Cannot complete this function.\r\n"},
        {1355, u"The specified domain either does not exist or could not be contacted.\r\n"},
        {2453, u"Could not find domain controller for this domain.\r\n"},
        {0x80070995u, u"Could not find domain controller for this domain.\r\n"},
        {0x8007203Au, u"The server is not operational.\r\n"},
        {0x80004005u, u"Unspecified error\r\n"},
        {0x80005000u, u"An invalid directory pathname was passed\r\n"},
        {0x80080005u, u"Server execution failed\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(format_allocated(c.code), c.text) << std::hex << c.code;
        EXPECT_EQ(win32::system_message(c.code), c.text) << std::hex << c.code;
    }
}

TEST(MessageTable, EveryTextEndsWithALineBreak)
{
    // Every Win32 / NERR code and every HRESULT facility this system can report.
    std::size_t found = 0;
    for (DWORD code = 0; code < 0x10000u; ++code) {
        const std::u16string text = win32::system_message(code);
        if (text.empty())
            continue;
        ++found;
        EXPECT_TRUE(text.ends_with(u"\r\n")) << code;
        EXPECT_GT(text.size(), 2u) << code;
        EXPECT_EQ(text.find(u"\r\n"), text.size() - 2) << code;
    }
    EXPECT_GT(found, 50u);
}

TEST(MessageTable, UnknownCodeFailsWithMessageNotFound)
{
    for (const DWORD code : {DWORD{0x1234}, DWORD{0x80071234u}, DWORD{0x80045678u}, DWORD{0x00005012u}}) {
        SCOPED_TRACE(code);
        SetLastError(0);
        WCHAR buffer[64] = {u'x'};
        EXPECT_EQ(FormatMessageW(kSystem, nullptr, code, 0, buffer, 64, nullptr), 0u) << std::hex << code;
        EXPECT_EQ(GetLastError(), ERROR_MR_MID_NOT_FOUND);
        EXPECT_TRUE(win32::system_message(code).empty());
    }
}

TEST(MessageTable, CallerBufferIsFilledOrRefusedWhenTooSmall)
{
    const std::u16string expected = u"Access is denied.\r\n";
    WCHAR buffer[64];
    EXPECT_EQ(FormatMessageW(kSystem, nullptr, 5, 0, buffer, 64, nullptr), expected.size());
    EXPECT_EQ(std::u16string(buffer), expected);

    // Exactly the text and its NUL fits; one character less does not.
    const auto exact = static_cast<DWORD>(expected.size() + 1);
    EXPECT_EQ(FormatMessageW(kSystem, nullptr, 5, 0, buffer, exact, nullptr), expected.size());
    SetLastError(0);
    EXPECT_EQ(FormatMessageW(kSystem, nullptr, 5, 0, buffer, exact - 1, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
}

TEST(MessageTable, MaximumWidthDropsTheLineBreak)
{
    WCHAR buffer[64];
    const DWORD n = FormatMessageW(kSystem | FORMAT_MESSAGE_MAX_WIDTH_MASK, nullptr, 5, 0, buffer, 64, nullptr);
    EXPECT_EQ(std::u16string(buffer, n), u"Access is denied.");
}

TEST(MessageTable, LanguagesOtherThanEnglishOrNeutralAreNotFound)
{
    EXPECT_FALSE(format_allocated(5, 0).empty());
    EXPECT_FALSE(format_allocated(5, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT)).empty());
    SetLastError(0);
    EXPECT_TRUE(format_allocated(5, 0x407).empty());
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_LANG_NOT_FOUND);
}

TEST(MessageTable, UnsupportedSourcesAreRefused)
{
    WCHAR buffer[16];
    SetLastError(0);
    EXPECT_EQ(FormatMessageW(FORMAT_MESSAGE_FROM_STRING, u"x", 0, 0, buffer, 16, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    SetLastError(0);
    EXPECT_EQ(FormatMessageW(kSystem, nullptr, 5, 0, nullptr, 16, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

} // namespace
