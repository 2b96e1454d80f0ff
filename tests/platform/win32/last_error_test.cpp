#include "platform/win32/last_error.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(LastError, IsKeptPerThread)
{
    SetLastError(5);
    DWORD seen_in_other_thread = 0xFFFFFFFFu;
    std::thread other([&] {
        seen_in_other_thread = GetLastError();
        SetLastError(87);
    });
    other.join();
    EXPECT_EQ(seen_in_other_thread, 0u);
    EXPECT_EQ(GetLastError(), 5u);
}

} // namespace
