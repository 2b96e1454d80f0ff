#include "platform/com/sta_queue.h"

#include "platform/com/kernel_object.h"

#include <mutex>

namespace com {

bool sta_queue::post(std::function<void()> call)
{
    std::shared_ptr<std::function<void()>> wake;
    {
        std::lock_guard guard(detail::kernel_lock());
        if (closed_)
            return false;
        calls_.push_back(std::move(call));
        wake = wake_;
    }
    detail::kernel_changed().notify_all();
    if (wake && *wake)
        (*wake)();
    return true;
}

int sta_queue::serve()
{
    int ran = 0;
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard guard(detail::kernel_lock());
            if (calls_.empty())
                break;
            call = std::move(calls_.front());
            calls_.pop_front();
        }
        call();
        ++ran;
    }
    return ran;
}

void sta_queue::set_wakeup(std::function<void()> wake)
{
    auto holder = wake ? std::make_shared<std::function<void()>>(std::move(wake)) : nullptr;
    std::lock_guard guard(detail::kernel_lock());
    wake_ = std::move(holder);
}

void sta_queue::close()
{
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard guard(detail::kernel_lock());
        closed_ = true;
        dropped.swap(calls_);
        wake_.reset();
    }
    // Destroyed outside the lock: each call's completion signals its waiter.
    dropped.clear();
}

} // namespace com
