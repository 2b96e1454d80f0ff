#pragma once
// COstrelCollectorImpl: the collection engine. Turns a list of names and a counter mask into
// one record per name, counting on one worker thread that it starts and owns, and reports
// through an abstract callback. Knows nothing of COM events or result objects.
//
// Free-threaded: Collect, Cancel, EnumerateDomains and the destruction may come from several
// threads at once. Collect, Cancel and the destruction take turns, so every worker is joined
// and its handle closed exactly once.

#include "collector/directory_backend.h"
#include "platform/win32/entry_name.h"
#include "collector/network_backend.h"
#include "collector/oxc_ostrel_counter.h"
#include "platform/com/variant.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class COstrelCollectorImpl {
public:
    struct domain_info {
        std::u16string name;
        std::u16string error;
        std::map<oxcOstrelCounter, LONG> counts; // a counter without a key reads -1
        oxcOstrelCounter flags = static_cast<oxcOstrelCounter>(0);
    };

    class collector_callback {
    public:
        virtual void DomainCollected(const std::u16string& name, const std::u16string& error) = 0;
        virtual void CollectionComplete() = 0;

    protected:
        ~collector_callback() = default;
    };

    // Returned by Collect when called where waiting for the worker would wait on itself: from
    // the worker thread's own callback, from an event the worker is waiting on in the caller's
    // apartment, or from a call served by a thread while it waits for the worker. Cancel from
    // there sets the flag and returns S_OK at once; the completion still arrives.
    static constexpr HRESULT E_ILLEGAL_METHOD_CALL = static_cast<HRESULT>(0x8000000Eu);

    // A null back end has nothing: without a directory every bind fails (its table is empty),
    // without a network the other table is empty and the domain list is an empty variant.
    COstrelCollectorImpl(std::shared_ptr<directory_backend> directory, std::shared_ptr<network_backend> network);
    virtual ~COstrelCollectorImpl();
    COstrelCollectorImpl(const COstrelCollectorImpl&) = delete;
    COstrelCollectorImpl& operator=(const COstrelCollectorImpl&) = delete;

    HRESULT EnumerateDomains(VARIANT* domains);
    HRESULT Collect(VARIANT* domains, oxcOstrelCounter flags, collector_callback* callback);
    HRESULT Cancel();
    const std::vector<domain_info>& GetInfos() const;

    // For the owner's last release. From inside the worker's own callback the worker cannot
    // be waited for, so the release is handed to the worker: the run raises no further
    // callback, and when it has ended the worker calls owner->Release() once, on its own
    // thread, before it leaves. True when handed over; false anywhere else (the caller then
    // tears down as usual and the destructor waits for the worker).
    bool defer_release_to_worker(IUnknown* owner);

private:
    struct tables;
    struct run;
    struct turn;

    static unsigned start_collect_fn(void* argument);
    static void collect_thread_fn(run& state);
    static void CollectDomain(run& state, domain_info& info);
    static void CollectOrganization(run& state, domain_info& info);
    static void CollectOverNetwork(run& state, domain_info& info, const win32::entry_name& entry);
    template <class Collector>
    static std::set<std::shared_ptr<Collector>> GetCollectorsFor(
        oxcOstrelCounter flags, const std::map<oxcOstrelCounter, std::shared_ptr<Collector>>& table);
    template <class Collector>
    static void GetCollector(oxcOstrelCounter flags, oxcOstrelCounter counter,
                             const std::map<oxcOstrelCounter, std::shared_ptr<Collector>>& table,
                             std::set<std::shared_ptr<Collector>>& chosen);
    template <class Collector>
    static void RunCollectors(run& state, domain_info& info, const std::u16string& name,
                              const std::set<std::shared_ptr<Collector>>& chosen);
    static HRESULT read_names(const VARIANT& domains, std::vector<std::u16string>& names);

    std::shared_ptr<run> current_run() const;
    // Whether the calling thread is the one taking its turn now (a call served while it waits).
    bool in_own_turn() const;
    // Whether the worker is blocked on the calling thread: the thread is the worker itself,
    // or it is running an event the worker called into its apartment (a handler that pumps
    // messages, where a click asks for Cancel).
    bool worker_waits_on_caller() const;
    void join_worker();

    std::shared_ptr<tables> m_tables;

    // Collect, Cancel and the destruction take their turn here; m_turn_owner names the thread
    // whose turn it is (0 when none).
    std::mutex m_turn;
    std::atomic<DWORD> m_turn_owner{0};

    // Guards m_run and m_thread, which the worker's own calls also read.
    mutable std::mutex m_state;
    std::shared_ptr<run> m_run; // the current or last run; null before the first
    HANDLE m_thread = nullptr;
};
