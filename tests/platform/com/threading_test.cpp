#include "platform/com/threading.h"

#include "platform/win32/last_error.h"
#include "platform/win32/win_errors.h"
#include "tests/support/com/thread_creation_failure.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

unsigned returns_seven(void* arg)
{
    static_cast<std::atomic<int>*>(arg)->store(1);
    return 7;
}

TEST(Threading, ThreadHandleSignalsAtEndWithExitCode)
{
    std::atomic<int> ran{0};
    unsigned id = 0;
    auto h = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, returns_seven, &ran, 0, &id));
    ASSERT_NE(h, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(WaitForSingleObject(h, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ran.load(), 1);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(h, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(CloseHandle(h));
}

TEST(Threading, FailureHookMakesNextCreationFail)
{
    std::atomic<int> ran{0};
    com::fail_next_thread_creation(ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(_beginthreadex(nullptr, 0, returns_seven, &ran, 0, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    auto h = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, returns_seven, &ran, 0, nullptr));
    ASSERT_NE(h, nullptr);
    WaitForSingleObject(h, INFINITE);
    CloseHandle(h);
}

TEST(Threading, EventsManualAndAutoReset)
{
    HANDLE manual = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE autoev = CreateEventW(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(manual, 10), WAIT_TIMEOUT);
    SetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(autoev, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(autoev, 0), WAIT_TIMEOUT);
    HANDLE both[2] = {autoev, manual};
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_TIMEOUT);
    CloseHandle(manual);
    CloseHandle(autoev);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_FAILED);
    EXPECT_FALSE(CloseHandle(nullptr));
}

} // namespace
