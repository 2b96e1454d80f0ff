#pragma once
// The call queue of one single-threaded apartment. Guarded by the process's kernel lock, so
// that a wait for handles and a wait for queued calls are one wait.

#include "platform/win32/win_types.h"

#include <deque>
#include <functional>
#include <memory>

namespace com {

class sta_queue {
public:
    explicit sta_queue(DWORD thread_id) : thread_id_(thread_id) {}

    DWORD thread_id() const { return thread_id_; }

    // From any thread. False when the apartment has ended.
    bool post(std::function<void()> call);
    // On the owning thread.
    int serve();
    // Under the kernel lock: whether calls wait.
    bool has_calls_locked() const { return !calls_.empty(); }
    void set_wakeup(std::function<void()> wake);
    // The apartment ends: later posts fail; what was queued runs no more and is dropped
    // (each queued call's completion must therefore handle being destroyed unrun).
    void close();

private:
    const DWORD thread_id_;
    bool closed_ = false;
    std::deque<std::function<void()>> calls_;
    std::shared_ptr<std::function<void()>> wake_;
};

} // namespace com
