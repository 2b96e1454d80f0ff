#pragma once
// The one wait of the process on handles: WaitForMultipleObjects and CoWaitForMultipleHandles
// both wait here. A waiter that is a single-threaded apartment serves the calls queued to it
// while it waits, so that a worker calling into it never deadlocks against its join.

#include "platform/win32/win_types.h"

namespace com {
class sta_queue;
}

namespace com::detail {

enum class wait_result { satisfied, timed_out };

// Waits until the handles (all valid) satisfy the wait (all of them, or any: `index` the
// first signalled) or `milliseconds` pass (INFINITE: never). `serving`, when not null, is the
// waiter's own queue.
wait_result wait_for_handles(DWORD count, const HANDLE* handles, bool wait_all, DWORD milliseconds, sta_queue* serving,
                             DWORD& index);

} // namespace com::detail
