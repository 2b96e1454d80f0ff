#include "tests/support/com/thread_creation_failure.h"

#include "platform/com/threading.h"

#include <atomic>

namespace com {

namespace {

std::atomic<DWORD> pending_failure{0};
std::atomic<thread_launcher> runtime_launcher{nullptr};

DWORD failing_once(void (*body)(void*), void* context)
{
    if (const DWORD failure = pending_failure.exchange(0); failure != 0)
        return failure;
    return runtime_launcher.load()(body, context);
}

} // namespace

void fail_next_thread_creation(DWORD win32_code)
{
    pending_failure = win32_code;
    // Installed once; it passes every creation on to the runtime's launcher unless a failure waits.
    static const bool installed = [] {
        runtime_launcher = set_thread_launcher(failing_once);
        return true;
    }();
    (void)installed;
}

} // namespace com
