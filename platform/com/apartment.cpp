#include "platform/com/apartment.h"

#include "platform/com/apartment_state.h"
#include "platform/com/handle_wait.h"
#include "platform/com/kernel_object.h"
#include "platform/com/threading.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace com::detail {

apartment_state::~apartment_state()
{
    if (queue)
        queue->close();
}

apartment_state& this_apartment()
{
    thread_local apartment_state state;
    return state;
}

} // namespace com::detail

using com::detail::this_apartment;

HRESULT CoInitializeEx(void*, DWORD coinit)
{
    auto& state = this_apartment();
    const auto wanted = (coinit & COINIT_APARTMENTTHREADED) ? com::apartment_kind::single_threaded
                                                            : com::apartment_kind::multithreaded;
    if (state.count > 0) {
        if (state.kind != wanted)
            return RPC_E_CHANGED_MODE;
        ++state.count;
        return S_FALSE;
    }
    if (wanted == com::apartment_kind::single_threaded) {
        state.queue = std::make_shared<com::sta_queue>(GetCurrentThreadId());
    }
    state.kind = wanted;
    state.count = 1;
    return S_OK;
}

HRESULT CoInitialize(void* reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void CoUninitialize()
{
    auto& state = this_apartment();
    if (state.count == 0)
        return;
    if (--state.count > 0)
        return;
    if (state.queue) {
        // Calls queued before the end still run; later ones are refused.
        state.queue->serve();
        state.queue->close();
        state.queue.reset();
    }
    state.kind = com::apartment_kind::none;
}

namespace com {

apartment_kind current_apartment() { return this_apartment().kind; }

std::shared_ptr<sta_queue> current_sta() { return this_apartment().queue; }

void set_sta_wakeup(std::function<void()> wake)
{
    if (auto q = current_sta())
        q->set_wakeup(std::move(wake));
}

int serve_sta_queue()
{
    auto q = current_sta();
    return q ? q->serve() : 0;
}

namespace {

// The call's end is an event, so that its caller waits in the one wait of the process.
struct call_state {
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HRESULT result = RPC_E_DISCONNECTED; // guarded by the kernel lock
    ~call_state()
    {
        if (done != nullptr)
            CloseHandle(done);
    }
    call_state() = default;
    call_state(const call_state&) = delete;
    call_state& operator=(const call_state&) = delete;
};

// The callers whose queued calls this thread is running now, innermost last.
thread_local std::vector<DWORD> t_served_callers;

struct serving_scope {
    explicit serving_scope(DWORD caller) { t_served_callers.push_back(caller); }
    ~serving_scope() { t_served_callers.pop_back(); }
    serving_scope(const serving_scope&) = delete;
    serving_scope& operator=(const serving_scope&) = delete;
};

// Marks the call finished when destroyed, run or not, so that a call dropped by an ending
// apartment still releases its waiter (with RPC_E_DISCONNECTED).
struct call_completion {
    std::shared_ptr<call_state> state;
    ~call_completion() { SetEvent(state->done); }
};

} // namespace

HRESULT call_in_sta(const std::shared_ptr<sta_queue>& sta, const std::function<HRESULT()>& call)
{
    if (!sta)
        return RPC_E_DISCONNECTED;
    if (sta->thread_id() == GetCurrentThreadId())
        return call();
    auto state = std::make_shared<call_state>();
    if (state->done == nullptr)
        return E_OUTOFMEMORY;
    auto completion = std::make_shared<call_completion>();
    completion->state = state;
    // The caller waits until the call has run, so the call may refer to the caller's frame.
    const DWORD caller = GetCurrentThreadId();
    bool posted = sta->post([completion, &call, caller]() {
        HRESULT hr = E_UNEXPECTED;
        {
            const serving_scope serving(caller);
            hr = call();
        }
        std::lock_guard guard(detail::kernel_lock());
        completion->state->result = hr;
    });
    completion.reset();
    if (!posted)
        return RPC_E_DISCONNECTED;
    auto own = current_sta();
    DWORD index = 0;
    detail::wait_for_handles(1, &state->done, false, INFINITE, own.get(), index);
    std::lock_guard guard(detail::kernel_lock());
    return state->result;
}

bool serving_call_from(DWORD caller)
{
    return caller != 0 && std::find(t_served_callers.begin(), t_served_callers.end(), caller) != t_served_callers.end();
}

} // namespace com

HRESULT CoWaitForMultipleHandles(DWORD flags, DWORD timeout, ULONG count, HANDLE* handles, LPDWORD index)
{
    if (count == 0 || handles == nullptr || index == nullptr || count > 64)
        return E_INVALIDARG;
    for (ULONG i = 0; i < count; ++i) {
        if (com::detail::object_of(handles[i]) == nullptr)
            return E_INVALIDARG;
    }
    const bool wait_all = (flags & COWAIT_WAITALL) != 0;
    auto own = com::current_sta();
    DWORD which = 0;
    if (com::detail::wait_for_handles(count, handles, wait_all, timeout, own.get(), which) ==
        com::detail::wait_result::timed_out)
        return RPC_S_CALLPENDING;
    *index = wait_all ? 0 : which;
    return S_OK;
}
