#include "platform/com/threading.h"

#include "platform/com/handle_wait.h"
#include "platform/com/kernel_object.h"
#include "platform/win32/last_error.h"
#include "platform/win32/win_errors.h"

#include <atomic>
#include <cerrno>
#include <mutex>
#include <new>
#include <set>
#include <system_error>
#include <thread>

#include <sys/syscall.h>
#include <unistd.h>

namespace com::detail {

// The kernel-object state is never destroyed: a detached thread may still be ending (dropping
// its handle's last reference) while the process runs its static destructors at exit.
std::mutex& kernel_lock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::condition_variable& kernel_changed()
{
    static auto* changed = new std::condition_variable;
    return *changed;
}

namespace {
// Live handles, so that a stale or foreign pointer is refused rather than followed.
std::set<const void*>& live_objects()
{
    static auto* objects = new std::set<const void*>;
    return *objects;
}
std::mutex& live_lock()
{
    static auto* lock = new std::mutex;
    return *lock;
}
} // namespace

void register_object(kernel_object* object)
{
    std::lock_guard guard(live_lock());
    live_objects().insert(object);
}

void kernel_object::release()
{
    if (--refs == 0) {
        {
            std::lock_guard guard(live_lock());
            live_objects().erase(this);
        }
        delete this;
    }
}

kernel_object* object_of(HANDLE handle)
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE)
        return nullptr;
    std::lock_guard guard(live_lock());
    return live_objects().count(handle) != 0 ? static_cast<kernel_object*>(handle) : nullptr;
}

bool try_satisfy(DWORD count, const HANDLE* handles, bool wait_all, DWORD& index)
{
    bool any = false;
    bool all = true;
    DWORD first = 0;
    for (DWORD i = 0; i < count; ++i) {
        auto* o = static_cast<kernel_object*>(handles[i]);
        if (o->signalled) {
            if (!any)
                first = i;
            any = true;
        } else {
            all = false;
        }
    }
    bool satisfied = wait_all ? all : any;
    if (!satisfied)
        return false;
    for (DWORD i = 0; i < count; ++i) {
        auto* o = static_cast<kernel_object*>(handles[i]);
        if ((wait_all || i == first) && o->type == kernel_object::kind::event && !o->manual_reset) {
            o->signalled = false;
        }
    }
    index = first;
    return true;
}

deadline::deadline(DWORD milliseconds)
    : infinite(milliseconds == INFINITE),
      at(std::chrono::steady_clock::now() + std::chrono::milliseconds(infinite ? 0 : milliseconds))
{
}

} // namespace com::detail

using com::detail::kernel_object;

namespace {

DWORD launch_std_thread(void (*body)(void*), void* context)
{
    try {
        std::thread(body, context).detach();
        return ERROR_SUCCESS;
    } catch (const std::system_error&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

std::atomic<com::thread_launcher> current_launcher{launch_std_thread};

struct thread_start {
    kernel_object* object;
    unsigned (*start)(void*);
    DWORD (*start_dword)(void*);
    void* arg;
};

void run_thread(thread_start s)
{
    {
        std::lock_guard guard(com::detail::kernel_lock());
        s.object->thread_id = GetCurrentThreadId();
    }
    DWORD code = s.start != nullptr ? s.start(s.arg) : s.start_dword(s.arg);
    {
        std::lock_guard guard(com::detail::kernel_lock());
        s.object->exit_code = code;
        s.object->signalled = true;
    }
    com::detail::kernel_changed().notify_all();
    s.object->release();
}

HANDLE start_thread(unsigned (*start)(void*), DWORD (*start_dword)(void*), void* arg, DWORD flags, DWORD* id)
{
    if ((start == nullptr && start_dword == nullptr)) {
        errno = EINVAL;
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (flags & CREATE_SUSPENDED) {
        errno = EINVAL;
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    auto* object = new (std::nothrow) kernel_object(kernel_object::kind::thread);
    if (object == nullptr) {
        errno = ENOMEM;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    object->refs = 2; // the handle and the thread
    com::detail::register_object(object);
    // The id is known only once the thread runs; the creator waits for it so that it can
    // report it at once, as Windows does.
    auto* context = new (std::nothrow) thread_start{object, start, start_dword, arg};
    const DWORD failure = context == nullptr ? ERROR_NOT_ENOUGH_MEMORY
                                             : current_launcher.load()(
                                                   [](void* c) {
                                                       const thread_start s = *static_cast<thread_start*>(c);
                                                       delete static_cast<thread_start*>(c);
                                                       run_thread(s);
                                                   },
                                                   context);
    if (failure != ERROR_SUCCESS) {
        delete context;
        object->refs = 1;
        object->release();
        errno = EAGAIN;
        SetLastError(failure);
        return nullptr;
    }
    if (id != nullptr) {
        std::unique_lock lock(com::detail::kernel_lock());
        while (object->thread_id == 0 && !object->signalled) {
            lock.unlock();
            std::this_thread::yield();
            lock.lock();
        }
        *id = object->thread_id;
    }
    return object;
}

} // namespace

std::uintptr_t _beginthreadex(void*, unsigned, unsigned (*start)(void*), void* arg, unsigned initflag,
                              unsigned* thrdaddr)
{
    DWORD id = 0;
    HANDLE h = start_thread(start, nullptr, arg, initflag, thrdaddr != nullptr ? &id : nullptr);
    if (h != nullptr && thrdaddr != nullptr)
        *thrdaddr = id;
    return reinterpret_cast<std::uintptr_t>(h);
}

HANDLE CreateThread(void*, std::size_t, DWORD (*start)(void*), void* arg, DWORD flags, LPDWORD thread_id)
{
    return start_thread(nullptr, start, arg, flags, thread_id);
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exit_code)
{
    kernel_object* o = com::detail::object_of(thread);
    if (o == nullptr || o->type != kernel_object::kind::thread || exit_code == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard guard(com::detail::kernel_lock());
    *exit_code = o->signalled ? o->exit_code : STILL_ACTIVE;
    return TRUE;
}

HANDLE CreateEventW(void*, BOOL manual_reset, BOOL initial_state, LPCWSTR name)
{
    if (name != nullptr && name[0] != 0) {
        // Named events are shared between processes on Windows; nothing here needs them.
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    auto* object = new (std::nothrow) kernel_object(kernel_object::kind::event);
    if (object == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    object->manual_reset = manual_reset != FALSE;
    object->signalled = initial_state != FALSE;
    com::detail::register_object(object);
    return object;
}

BOOL SetEvent(HANDLE event)
{
    kernel_object* o = com::detail::object_of(event);
    if (o == nullptr || o->type != kernel_object::kind::event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    {
        std::lock_guard guard(com::detail::kernel_lock());
        o->signalled = true;
    }
    com::detail::kernel_changed().notify_all();
    return TRUE;
}

BOOL ResetEvent(HANDLE event)
{
    kernel_object* o = com::detail::object_of(event);
    if (o == nullptr || o->type != kernel_object::kind::event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard guard(com::detail::kernel_lock());
    o->signalled = false;
    return TRUE;
}

BOOL CloseHandle(HANDLE object)
{
    kernel_object* o = com::detail::object_of(object);
    if (o == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    o->release();
    return TRUE;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* objects, BOOL wait_all, DWORD milliseconds)
{
    if (count == 0 || objects == nullptr || count > 64) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    for (DWORD i = 0; i < count; ++i) {
        if (com::detail::object_of(objects[i]) == nullptr) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
    }
    DWORD index = 0;
    if (com::detail::wait_for_handles(count, objects, wait_all != FALSE, milliseconds, nullptr, index) ==
        com::detail::wait_result::timed_out)
        return WAIT_TIMEOUT;
    return WAIT_OBJECT_0 + index;
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds)
{
    return WaitForMultipleObjects(1, &object, FALSE, milliseconds);
}

DWORD GetCurrentThreadId() { return static_cast<DWORD>(::syscall(SYS_gettid)); }

void Sleep(DWORD milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

namespace com {

thread_launcher set_thread_launcher(thread_launcher launcher)
{
    return current_launcher.exchange(launcher != nullptr ? launcher : launch_std_thread);
}

} // namespace com
