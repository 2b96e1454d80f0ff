#pragma once
// The kernel objects behind HANDLEs, and the one lock and condition under which every wait
// of the process (handle waits and apartment queue waits) watches for changes.

#include "platform/win32/win_types.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace com::detail {

struct kernel_object {
    enum class kind { event, thread };
    explicit kernel_object(kind k) : type(k) {}

    const kind type;
    std::atomic<int> refs{1};
    // Guarded by kernel_lock().
    bool signalled = false;
    bool manual_reset = true;
    DWORD exit_code = 0;
    DWORD thread_id = 0;

    void add_ref() { ++refs; }
    // The last release forgets the handle and frees the object.
    void release();
};

// Every live object is known, so that a stale or foreign handle is refused, not followed.
void register_object(kernel_object* object);

std::mutex& kernel_lock();
// Notified (under the lock) whenever a handle becomes signalled or a call is queued to an
// apartment.
std::condition_variable& kernel_changed();

// The object behind a handle, or null when it is not one.
kernel_object* object_of(HANDLE handle);

// Under kernel_lock(): whether the wait is satisfied; consumes auto-reset events when it is.
// index receives the first signalled position.
bool try_satisfy(DWORD count, const HANDLE* handles, bool wait_all, DWORD& index);

// The deadline of a timeout in milliseconds (INFINITE: none).
struct deadline {
    explicit deadline(DWORD milliseconds);
    bool infinite;
    std::chrono::steady_clock::time_point at;
};

} // namespace com::detail
