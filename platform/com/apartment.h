#pragma once
// Single-threaded apartments (STA) and their call queue.
//
// A thread that called CoInitializeEx(COINIT_APARTMENTTHREADED) owns a queue. A call made
// into that apartment from another thread (an event raised on a worker into a sink advised
// from the STA) is queued and run on the STA thread when it serves its queue; the caller
// waits for the result, so calls are synchronous and run in the order they were made. The
// STA thread serves its queue
//   - from its event loop: set_sta_wakeup installs a function that is called (on the calling
//     thread) each time a call is queued, and the loop then calls serve_sta_queue;
//   - during every CoWaitForMultipleHandles, so that waiting on a worker that is calling in
//     (a join in Cancel or in the last Release) never deadlocks;
//   - while it waits for a call it made into another STA.

#include "platform/com/dispatch.h"

#include <functional>
#include <memory>

inline constexpr DWORD COWAIT_WAITALL = 0x1;
inline constexpr DWORD COWAIT_ALERTABLE = 0x2;
inline constexpr DWORD COWAIT_INPUTAVAILABLE = 0x4;

// On an STA thread serves its queue while it waits; elsewhere a plain wait. S_OK with the
// signalled index (with COWAIT_WAITALL: 0 once all are), RPC_S_CALLPENDING on timeout,
// E_INVALIDARG for no or bad handles.
HRESULT CoWaitForMultipleHandles(DWORD flags, DWORD timeout, ULONG count, HANDLE* handles, LPDWORD index);

namespace com {

class sta_queue;

// Installs the wake-up of the calling thread's STA (replacing any earlier one; an empty
// function removes it). It is called from the thread that queues a call, so it must only
// signal the STA thread (post an event to its loop), never serve the queue itself.
// Does nothing on a thread that is not an STA.
void set_sta_wakeup(std::function<void()> wake);
// Runs the calls queued to the calling STA thread (also those queued meanwhile); returns
// how many ran. 0 on a thread that is not an STA.
int serve_sta_queue();

// The calling thread's STA queue; null when it is not an STA.
std::shared_ptr<sta_queue> current_sta();

// Runs call on the STA's thread and returns its result: directly when the caller is that
// thread; else queued, and the caller waits (serving its own queue if it is an STA too).
// RPC_E_DISCONNECTED when the apartment has ended before running it.
HRESULT call_in_sta(const std::shared_ptr<sta_queue>& sta, const std::function<HRESULT()>& call);

// Whether the calling thread is running, anywhere down its stack, a call that the thread
// `caller` queued to it with call_in_sta: `caller` is then blocked until that call returns,
// so waiting for `caller` from here would wait on itself. Nested serving (a handler that
// pumps its queue again) counts too.
bool serving_call_from(DWORD caller);

// A sink as an outgoing interface's caller may use it from any thread. From an STA, a
// dispatch sink is wrapped in a proxy whose IDispatch calls (and last Release) run on that
// STA's thread; from an MTA or outside apartments, the sink itself (one reference added).
// The proxy answers QueryInterface for IUnknown, IDispatch and event_iid. A sink without
// IDispatch advised from an STA gives CONNECT_E_CANNOTCONNECT.
HRESULT wrap_sink_for_caller(IUnknown* sink, REFIID event_iid, IUnknown** wrapped);

} // namespace com
