#pragma once
// Threads, events and waits in the Windows shape. A HANDLE is a counted kernel object (an
// event or a thread); a thread's handle becomes signalled when its function has returned.

#include "platform/win32/win_types.h"

#include <cstdint>

inline constexpr DWORD WAIT_OBJECT_0 = 0;
inline constexpr DWORD WAIT_ABANDONED = 0x80;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
inline constexpr DWORD STILL_ACTIVE = 259;
inline constexpr DWORD CREATE_SUSPENDED = 0x4;

// Starts start(arg) on a new thread; returns its handle (CloseHandle when done with it) and
// writes the thread id to thrdaddr when given. 0 on failure, with errno set and the last
// error (GetLastError) holding the Win32 code. CREATE_SUSPENDED is not supported (0,
// ERROR_NOT_SUPPORTED).
std::uintptr_t _beginthreadex(void* security, unsigned stack_size, unsigned (*start)(void*), void* arg,
                              unsigned initflag, unsigned* thrdaddr);
HANDLE CreateThread(void* security, std::size_t stack_size, DWORD (*start)(void*), void* arg, DWORD flags,
                    LPDWORD thread_id);
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exit_code);

// A manual-reset event stays signalled until ResetEvent; an auto-reset one releases one wait.
HANDLE CreateEventW(void* security, BOOL manual_reset, BOOL initial_state, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL CloseHandle(HANDLE object);

// WAIT_OBJECT_0 (+ index), WAIT_TIMEOUT, or WAIT_FAILED (last error ERROR_INVALID_HANDLE).
DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL wait_all, DWORD milliseconds);

DWORD GetCurrentThreadId();
void Sleep(DWORD milliseconds);

namespace com {

// How _beginthreadex and CreateThread start the system thread that runs `body(context)`: 0
// when it runs, else the Win32 code of the failure (the caller then gets no handle). The
// runtime's own starts a std::thread; another may be installed, e.g. one that stands for a
// system out of threads (null puts the runtime's own back). Returns the one installed before.
using thread_launcher = DWORD (*)(void (*body)(void*), void* context);
thread_launcher set_thread_launcher(thread_launcher launcher);

} // namespace com
