#pragma once
// COstrelCollectorImpl: the collection engine. Turns a list of names and a counter mask into
// one record per name, counting on one worker thread that it starts and owns, and reports
// through an abstract callback. Knows nothing of COM events or result objects.

#include "collector/collector_backend.h"
#include "collector/oxc_ostrel_counter.h"
#include "platform/com/variant.h"

#include <atomic>
#include <map>
#include <memory>
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

    // Returned by Collect and Cancel when called from the worker thread's own callback,
    // where waiting for the worker would wait on itself.
    static constexpr HRESULT E_ILLEGAL_METHOD_CALL = static_cast<HRESULT>(0x8000000Eu);

    explicit COstrelCollectorImpl(std::shared_ptr<collector_backend> backend = default_collector_backend());
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

    static unsigned start_collect_fn(void* argument);
    static void collect_thread_fn(run& state);
    static void CollectDomain(run& state, domain_info& info);
    static void CollectOrganization(run& state, domain_info& info);
    static std::set<std::shared_ptr<collector>> GetCollectorsFor(run& state, oxcOstrelCounter flags,
                                                                 const std::u16string& name, std::u16string& error);
    static void GetCollector(oxcOstrelCounter flags, oxcOstrelCounter counter, const collector_table& table,
                             std::set<std::shared_ptr<collector>>& chosen);
    static HRESULT read_names(const VARIANT& domains, std::vector<std::u16string>& names);

    bool on_worker_thread() const;
    void join_worker();

    std::shared_ptr<tables> m_tables;
    std::shared_ptr<run> m_run; // the current or last run; null before the first
    HANDLE m_thread = nullptr;
};
