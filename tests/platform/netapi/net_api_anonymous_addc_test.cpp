// Without a ticket cache the calls run in an anonymous session, whose refusals are reported
// as failures, never as empty successes.

#include "platform/netapi/net_api.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"

#include "tests/support/server_env.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(NetApiAnonymousAddc, RefusedDisplayInformationIsAFailure)
{
    OSTREL_REQUIRE_SAMBA_DC();
    // No cache at all: the layer must fall back to an anonymous session.
    setenv("KRB5CCNAME", "FILE:/nonexistent/ostrel-no-cache", 1);
    std::u16string dc = u"\\\\" + utf8_to_utf16(*ostrel::test::env("SAMBA_DC_HOST"));
    DWORD read = 3;
    void* buffer = nullptr;
    NET_API_STATUS status = NetQueryDisplayInformation(dc.c_str(), 1, 0, 100, MAX_PREFERRED_LENGTH, &read, &buffer);
    EXPECT_NE(status, NERR_Success);
    EXPECT_NE(status, ERROR_MORE_DATA);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(read, 0u);
}

} // namespace
