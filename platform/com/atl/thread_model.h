#pragma once
// Threading models of objects: the multithreaded one counts references with interlocked
// operations and guards the object with a real critical section; the single-threaded one
// does neither.

#include "platform/win32/win_types.h"

#include <atomic>
#include <mutex>

class CComCriticalSection {
public:
    void Lock() { m_sec.lock(); }
    void Unlock() { m_sec.unlock(); }
    HRESULT Init() { return 0; }
    HRESULT Term() { return 0; }

private:
    std::recursive_mutex m_sec;
};
using CComAutoCriticalSection = CComCriticalSection;

class CComFakeCriticalSection {
public:
    void Lock() {}
    void Unlock() {}
    HRESULT Init() { return 0; }
    HRESULT Term() { return 0; }
};

struct CComMultiThreadModel {
    using AutoCriticalSection = CComAutoCriticalSection;
    using CriticalSection = CComCriticalSection;
    using ThreadModelNoCS = CComMultiThreadModel;
    using count_type = std::atomic<ULONG>;
    static ULONG Increment(count_type& value) { return ++value; }
    static ULONG Decrement(count_type& value) { return --value; }
};

struct CComSingleThreadModel {
    using AutoCriticalSection = CComFakeCriticalSection;
    using CriticalSection = CComFakeCriticalSection;
    using ThreadModelNoCS = CComSingleThreadModel;
    using count_type = ULONG;
    static ULONG Increment(count_type& value) { return ++value; }
    static ULONG Decrement(count_type& value) { return --value; }
};

using CComObjectThreadModel = CComMultiThreadModel;
using CComGlobalsThreadModel = CComMultiThreadModel;

// Holds a lock for a scope.
template <class Lockable>
class CComCritSecLock {
public:
    explicit CComCritSecLock(Lockable& lockable) : m_lockable(lockable) { m_lockable.Lock(); }
    ~CComCritSecLock() { m_lockable.Unlock(); }
    CComCritSecLock(const CComCritSecLock&) = delete;
    CComCritSecLock& operator=(const CComCritSecLock&) = delete;

private:
    Lockable& m_lockable;
};
