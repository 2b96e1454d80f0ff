#include "platform/ads/ads_last_error.h"
#include "platform/ads/ldap_error_map.h"
#include "platform/win32/message_table.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>
#include <ldap.h>

namespace {

struct map_case {
    int ldap;
    DWORD win32;
    const char* text; // the system message the error lines show
};

TEST(LdapErrorMap, ResultCodesBecomeDirectoryCodesWithTexts)
{
    const map_case cases[] = {
        {LDAP_SUCCESS, 0, nullptr},
        {LDAP_SIZELIMIT_EXCEEDED, ERROR_DS_SIZELIMIT_EXCEEDED, "The size limit for this request was exceeded.\r\n"},
        {LDAP_TIMELIMIT_EXCEEDED, ERROR_DS_TIMELIMIT_EXCEEDED, "The time limit for this request was exceeded.\r\n"},
        {LDAP_ADMINLIMIT_EXCEEDED, ERROR_DS_ADMIN_LIMIT_EXCEEDED,
         "The administrative limit for this request was exceeded.\r\n"},
        {LDAP_STRONG_AUTH_REQUIRED, ERROR_DS_STRONG_AUTH_REQUIRED,
         "A more secure authentication method is required for this server.\r\n"},
        {LDAP_SERVER_DOWN, ERROR_DS_SERVER_DOWN, "The server is not operational.\r\n"},
        {LDAP_INVALID_CREDENTIALS, ERROR_LOGON_FAILURE, "The user name or password is incorrect.\r\n"},
        {LDAP_INSUFFICIENT_ACCESS, ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {LDAP_NO_SUCH_OBJECT, ERROR_DS_NO_SUCH_OBJECT, "There is no such object on the server.\r\n"},
        {LDAP_CONFIDENTIALITY_REQUIRED, ERROR_DS_CONFIDENTIALITY_REQUIRED,
         "This request requires a secure connection.\r\n"},
        {LDAP_OPERATIONS_ERROR, ERROR_DS_OPERATIONS_ERROR, "An operations error occurred.\r\n"},
        {LDAP_TIMEOUT, ERROR_TIMEOUT, "This operation returned because the timeout period expired.\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ads::win32_from_ldap(c.ldap), c.win32) << c.ldap;
        EXPECT_EQ(ads::hresult_from_ldap(c.ldap), HRESULT_FROM_WIN32(c.win32)) << c.ldap;
        if (c.win32 != 0) {
            EXPECT_EQ(utf16_to_utf8(win32::system_message(static_cast<DWORD>(HRESULT_FROM_WIN32(c.win32)))), c.text)
                << c.ldap;
        }
    }
}

TEST(LdapErrorMap, BadFilterIsTheDirectoryServicesFilterError)
{
    EXPECT_EQ(ads::hresult_from_ldap(LDAP_FILTER_ERROR), E_ADS_INVALID_FILTER);
}

TEST(LdapErrorMap, UnknownCodesStillFail)
{
    EXPECT_EQ(ads::win32_from_ldap(4711), ERROR_DS_GENERIC_ERROR);
    EXPECT_TRUE(FAILED(ads::hresult_from_ldap(4711)));
}

TEST(AdsLastError, KeepsCodeTextAndProviderAndTruncates)
{
    ADsSetLastError(8227, u"Size limit exceeded", u"LDAP Provider");
    DWORD code = 0;
    char16_t text[259];
    char16_t name[259];
    ASSERT_EQ(ADsGetLastError(&code, text, 259, name, 259), S_OK);
    EXPECT_EQ(code, 8227u);
    EXPECT_EQ(std::u16string(text), u"Size limit exceeded");
    EXPECT_EQ(std::u16string(name), u"LDAP Provider");
    char16_t small[5];
    ASSERT_EQ(ADsGetLastError(&code, small, 5, nullptr, 0), S_OK);
    EXPECT_EQ(std::u16string(small), u"Size");
    EXPECT_EQ(ADsGetLastError(nullptr, text, 259, name, 259), E_ADS_BAD_PARAMETER);
    ads::set_last_error(0, {});
    ASSERT_EQ(ADsGetLastError(&code, text, 259, name, 259), S_OK);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(std::u16string(text), u"");
}

} // namespace
