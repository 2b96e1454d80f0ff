#include "platform/com/handle_wait.h"

#include "platform/com/kernel_object.h"
#include "platform/com/sta_queue.h"

#include <mutex>

namespace com::detail {

wait_result wait_for_handles(DWORD count, const HANDLE* handles, bool wait_all, DWORD milliseconds, sta_queue* serving,
                             DWORD& index)
{
    const deadline until(milliseconds);
    std::unique_lock lock(kernel_lock());
    for (;;) {
        if (try_satisfy(count, handles, wait_all, index))
            return wait_result::satisfied;
        if (serving != nullptr && serving->has_calls_locked()) {
            lock.unlock();
            serving->serve();
            lock.lock();
            continue;
        }
        if (until.infinite) {
            kernel_changed().wait(lock);
        } else if (kernel_changed().wait_until(lock, until.at) == std::cv_status::timeout) {
            if (try_satisfy(count, handles, wait_all, index))
                return wait_result::satisfied;
            if (serving != nullptr && serving->has_calls_locked())
                continue;
            return wait_result::timed_out;
        }
    }
}

} // namespace com::detail
