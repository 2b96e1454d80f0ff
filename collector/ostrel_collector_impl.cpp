#include "collector/ostrel_collector_impl.h"

#include "collector/collector_strings.h"
#include "collector/load_string.h"
#include "collector/safe_vector.h"
#include "platform/ads/operation_cancel.h"
#include "platform/com/apartment.h"
#include "platform/com/bstr.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"
#include "platform/com/threading.h"
#include "platform/win32/last_error.h"
#include "platform/win32/visible_text.h"
#include "platform/win32/win_errors.h"

#include <utility>

// The collectors and the back ends that made them, shared by the engine and its runs: a run
// whose engine was released from inside its own callback finishes on them safely.
struct COstrelCollectorImpl::tables {
    std::shared_ptr<directory_backend> directory;
    std::shared_ptr<network_backend> network;
    collector_table netapi_collectors;
    directory_collector_table ad_collectors;
};

// Everything a worker touches. The worker holds its run alive; the engine keeps the last one
// so that GetInfos stays readable after the run until the next Collect.
struct COstrelCollectorImpl::run {
    std::shared_ptr<tables> collectors;
    std::vector<domain_info> infos;
    std::atomic<bool> cancel{false};
    // Ends the directory operation in flight when the run is stopped: a server that accepted
    // and never answers would otherwise hold the worker, and a Cancel joining it, for the
    // whole operation timeout.
    const std::shared_ptr<ads::operation_cancel> directory_operations = std::make_shared<ads::operation_cancel>();
    collector_callback* callback = nullptr;
    // Set by the worker before anything else, so that a call from its own callback is
    // recognised however early it comes.
    std::atomic<DWORD> worker_id{0};
    // The owner whose last release came from inside a callback; released by the worker
    // once the run has ended (set on the worker thread, or on a thread running an event the
    // worker waits on, and read on the worker thread after that event has returned).
    IUnknown* deferred_owner = nullptr;
    bool ended = false;

    void stop()
    {
        cancel = true;
        directory_operations->cancel();
    }
};

// The calling thread's turn at Collect, Cancel or the destruction, for as long as it lives.
struct COstrelCollectorImpl::turn {
    explicit turn(COstrelCollectorImpl& engine) : m_engine(engine), m_lock(engine.m_turn)
    {
        m_engine.m_turn_owner = GetCurrentThreadId();
    }
    ~turn() { m_engine.m_turn_owner = 0; }
    turn(const turn&) = delete;
    turn& operator=(const turn&) = delete;

private:
    COstrelCollectorImpl& m_engine;
    std::lock_guard<std::mutex> m_lock;
};

namespace {

// The counters asked of the tables, in this order; oxcLyncEnabledUser is never asked.
constexpr oxcOstrelCounter kAskedCounters[] = {
    oxcServer,
    oxcDC,
    oxcWorkstation,
    oxcUnknownComputerType,
    oxcUser,
    oxcGlobalGroup,
    oxcLocalGroup,
    oxcUniversalGroup,
    oxcEnabledUser,
    oxcMSA,
    oxcExchangeServer,
    oxcMailEnabledUser,
    oxcMailboxEnabledUser,
    oxcMailEnabledGroup,
    oxcContact,
    oxcExchange5Servers,
    oxcExchange5Mailbox,
};

constexpr LONG kExchange5Bits = oxcExchange5Servers | oxcExchange5Mailbox;

void store_pairs(const collector::pairs& result, COstrelCollectorImpl::domain_info& info)
{
    for (const auto& [counter, count] : result)
        info.counts[counter] = count;
}

const std::vector<COstrelCollectorImpl::domain_info>& no_infos()
{
    static const std::vector<COstrelCollectorImpl::domain_info> empty;
    return empty;
}

} // namespace

COstrelCollectorImpl::COstrelCollectorImpl(std::shared_ptr<directory_backend> directory,
                                           std::shared_ptr<network_backend> network)
    : m_tables(std::make_shared<tables>())
{
    m_tables->directory = std::move(directory);
    m_tables->network = std::move(network);
    if (m_tables->directory)
        m_tables->ad_collectors = m_tables->directory->make_ad_collectors();
    if (m_tables->network)
        m_tables->netapi_collectors = m_tables->network->make_netapi_collectors();
}

COstrelCollectorImpl::~COstrelCollectorImpl()
{
    if (worker_waits_on_caller()) {
        // Destroyed on the worker thread (a release handed to it, or an owner destroyed from
        // inside a callback), or inside an event the worker waits on: the worker cannot be
        // joined from here. Stop it from calling back into what is being destroyed; it ends
        // right after, on its own run. No other caller can be inside the engine now: each would hold a reference to its
        // owner.
        std::lock_guard lock(m_state);
        m_run->stop();
        m_run->callback = nullptr;
        if (m_thread != nullptr)
            CloseHandle(m_thread);
        m_thread = nullptr;
        return;
    }
    Cancel();
}

std::shared_ptr<COstrelCollectorImpl::run> COstrelCollectorImpl::current_run() const
{
    std::lock_guard lock(m_state);
    return m_run;
}

bool COstrelCollectorImpl::in_own_turn() const { return m_turn_owner == GetCurrentThreadId(); }

bool COstrelCollectorImpl::worker_waits_on_caller() const
{
    const std::shared_ptr<run> state = current_run();
    if (!state)
        return false;
    const DWORD worker = state->worker_id;
    return worker == GetCurrentThreadId() || com::serving_call_from(worker);
}

void COstrelCollectorImpl::join_worker()
{
    // Called in the caller's turn: no other thread starts, joins or closes a worker meanwhile.
    HANDLE thread = nullptr;
    {
        std::lock_guard lock(m_state);
        thread = m_thread;
    }
    if (thread == nullptr)
        return;
    // An apartment thread keeps serving the calls queued to it (the worker's events) while
    // it waits, so the worker never blocks on a waiting caller.
    DWORD index = 0;
    HANDLE handles[] = {thread};
    if (FAILED(CoWaitForMultipleHandles(0, INFINITE, 1, handles, &index)))
        WaitForSingleObject(thread, INFINITE);
    std::lock_guard lock(m_state);
    if (m_thread == thread) {
        CloseHandle(m_thread);
        m_thread = nullptr;
    }
}

HRESULT COstrelCollectorImpl::EnumerateDomains(VARIANT* domains)
{
    if (domains == nullptr)
        return E_POINTER;
    try {
        if (!m_tables->network) {
            VariantClear(domains);
            return S_OK;
        }
        const DWORD result = m_tables->network->enumerate_domains(domains);
        if (result > 0)
            return static_cast<HRESULT>(0x80070000u | (result & 0xFFFFu));
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT COstrelCollectorImpl::read_names(const VARIANT& domains, std::vector<std::u16string>& names)
{
    if ((domains.vt & VT_ARRAY) == 0 || (domains.vt & 1) != 0)
        return E_INVALIDARG;
    CSafeVector array;
    if (FAILED(array.CopyFrom(domains)))
        return E_INVALIDARG;
    SAFEARRAY* data = array.GetArrayPtr();
    const VARTYPE type = array.GetType();
    // Refused before anything starts: no array, more than one dimension, elements that are
    // neither strings nor variants holding strings.
    if (data == nullptr || SafeArrayGetDim(data) != 1 || (type != VT_BSTR && type != VT_VARIANT))
        return E_INVALIDARG;
    const LONG lower = array.GetLBound();
    const LONG count = static_cast<LONG>(array.GetArraySize());
    for (LONG i = lower; i < lower + count; ++i) {
        VARIANT element;
        VariantInit(&element);
        if (!array.GetElem(i, &element))
            return E_INVALIDARG;
        const VARIANT* value = &element;
        if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal != nullptr)
            value = value->pvarVal;
        HRESULT hr = S_OK;
        if (value->vt == VT_BSTR)
            names.emplace_back(value->bstrVal != nullptr ? std::u16string(value->bstrVal, SysStringLen(value->bstrVal))
                                                         : std::u16string());
        else if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal != nullptr)
            names.emplace_back(*value->pbstrVal != nullptr
                                   ? std::u16string(*value->pbstrVal, SysStringLen(*value->pbstrVal))
                                   : std::u16string());
        else
            hr = E_INVALIDARG;
        VariantClear(&element);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT COstrelCollectorImpl::Collect(VARIANT* domains, oxcOstrelCounter flags, collector_callback* callback)
{
    if (domains == nullptr)
        return E_POINTER;
    try {
        std::vector<std::u16string> names;
        const HRESULT checked = read_names(*domains, names);
        if (FAILED(checked))
            return checked;
        if (worker_waits_on_caller() || in_own_turn())
            return E_ILLEGAL_METHOD_CALL;
        const turn mine(*this);
        join_worker();

        auto next = std::make_shared<run>();
        next->collectors = m_tables;
        next->callback = callback;
        next->infos.reserve(names.size());
        for (auto& name : names) {
            domain_info info;
            info.name = std::move(name);
            info.flags = flags;
            next->infos.push_back(std::move(info));
        }
        // The new run is the current one before its worker can call back; a worker that
        // cannot start leaves the previous run's records in place.
        std::shared_ptr<run> previous;
        {
            std::lock_guard lock(m_state);
            previous = std::exchange(m_run, next);
        }

        auto* argument = new std::shared_ptr<run>(next);
        SetLastError(0);
        const auto thread = _beginthreadex(nullptr, 0, &COstrelCollectorImpl::start_collect_fn, argument, 0, nullptr);
        std::lock_guard lock(m_state);
        if (thread == 0) {
            delete argument;
            m_run = std::move(previous);
            const DWORD code = GetLastError();
            return code != 0 ? HRESULT_FROM_WIN32(code) : E_FAIL;
        }
        m_thread = reinterpret_cast<HANDLE>(thread);
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT COstrelCollectorImpl::Cancel()
{
    if (const std::shared_ptr<run> state = current_run())
        state->stop();
    // From the worker's own callback, from an event the worker waits on in this thread's
    // apartment (a Back click handled while the event handler pumps messages), or from a call
    // served while this thread waits for the worker, the flag is all we can do: the run stops
    // after the event returns, and its completion still arrives.
    if (worker_waits_on_caller() || in_own_turn())
        return S_OK;
    const turn mine(*this);
    // A Collect that took its turn first may have started another run meanwhile: that is the
    // run to stop now.
    if (const std::shared_ptr<run> state = current_run())
        state->stop();
    join_worker();
    return S_OK;
}

const std::vector<COstrelCollectorImpl::domain_info>& COstrelCollectorImpl::GetInfos() const
{
    const std::shared_ptr<run> state = current_run();
    return state ? state->infos : no_infos();
}

bool COstrelCollectorImpl::defer_release_to_worker(IUnknown* owner)
{
    const std::shared_ptr<run> state = current_run();
    if (owner == nullptr || !state || !worker_waits_on_caller() || state->ended || state->deferred_owner != nullptr)
        return false;
    state->stop();
    state->callback = nullptr;
    state->deferred_owner = owner;
    return true;
}

unsigned COstrelCollectorImpl::start_collect_fn(void* argument)
{
    std::unique_ptr<std::shared_ptr<run>> owned(static_cast<std::shared_ptr<run>*>(argument));
    const std::shared_ptr<run> state = *owned;
    owned.reset();
    state->worker_id = GetCurrentThreadId();
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    collect_thread_fn(*state);
    // The run is over: an owner released from inside a callback goes now, on this thread and
    // while it is still in the apartment, and nothing of it is touched afterwards.
    state->ended = true;
    if (IUnknown* owner = std::exchange(state->deferred_owner, nullptr))
        owner->Release();
    if (SUCCEEDED(joined))
        CoUninitialize();
    return 0;
}

void COstrelCollectorImpl::collect_thread_fn(run& state)
{
    const ads::cancel_scope directory_cancel(state.directory_operations);
    for (auto& info : state.infos) {
        if (state.cancel)
            break;
        try {
            CollectDomain(state, info);
        } catch (...) {
            // A collector that throws is a counting failure of that entry, not of the run.
            info.error += u"unexpected failure while collecting\r\n";
        }
        if (state.callback != nullptr && !state.cancel)
            state.callback->DomainCollected(info.name, info.error);
    }
    if (state.callback != nullptr)
        state.callback->CollectionComplete();
}

template <class Collector>
std::set<std::shared_ptr<Collector>> COstrelCollectorImpl::GetCollectorsFor(
    oxcOstrelCounter flags, const std::map<oxcOstrelCounter, std::shared_ptr<Collector>>& table)
{
    std::set<std::shared_ptr<Collector>> chosen;
    for (const oxcOstrelCounter counter : kAskedCounters)
        GetCollector(flags, counter, table, chosen);
    return chosen;
}

template <class Collector>
void COstrelCollectorImpl::GetCollector(oxcOstrelCounter flags, oxcOstrelCounter counter,
                                        const std::map<oxcOstrelCounter, std::shared_ptr<Collector>>& table,
                                        std::set<std::shared_ptr<Collector>>& chosen)
{
    if ((flags & counter) == 0)
        return;
    const auto it = table.find(counter);
    if (it != table.end() && it->second)
        chosen.insert(it->second);
}

template <class Collector>
void COstrelCollectorImpl::RunCollectors(run& state, domain_info& info, const std::u16string& name,
                                         const std::set<std::shared_ptr<Collector>>& chosen)
{
    for (const auto& c : chosen) {
        if (state.cancel)
            break;
        collector::pairs result;
        c->Collect(name, result, info.error);
        store_pairs(result, info);
    }
}

void COstrelCollectorImpl::CollectDomain(run& state, domain_info& info)
{
    if ((info.flags & kExchange5Bits) != 0) {
        CollectOrganization(state, info);
        return;
    }
    const tables& collectors = *state.collectors;
    const win32::entry_name entry = win32::parse_entry_name(info.name);
    std::u16string bind_error;
    const CComPtr<IDirectorySearch> searcher = collectors.directory ? collectors.directory->connect(
                                                                          info.name, bind_error, bind_line::with_reason)
                                                                    : CComPtr<IDirectorySearch>();
    if (searcher) {
        // The collectors of one entry share its one searcher; the whole name goes to them,
        // since a directory search may bind again with the entry's credentials.
        const auto chosen = GetCollectorsFor(info.flags, collectors.ad_collectors);
        for (const auto& c : chosen)
            c->Init(searcher);
        RunCollectors(state, info, info.name, chosen);
        return;
    }
    if (state.cancel)
        return; // the bind may have failed because the run was stopped
    // A domain that doesn't answer LDAP is no error: it is counted over network management.
    // A bind with the entry's own credentials was asked for, so why it failed is kept.
    if (entry.has_credentials()) {
        info.error += bind_error;
        CollectOverNetwork(state, info, entry);
        return;
    }
    // A server that took the connection and never answered is a host that is there but silent;
    // when the management calls fail on it too, their lines ("Could not find domain
    // controller") follow the bind's, which says that the time-out ran out.
    const bool silent = collectors.directory && collectors.directory->bind_timed_out();
    const std::size_t before = info.error.size();
    CollectOverNetwork(state, info, entry);
    if (silent && info.error.size() > before)
        info.error.insert(before, bind_error);
}

void COstrelCollectorImpl::CollectOverNetwork(run& state, domain_info& info, const win32::entry_name& entry)
{
    const tables& collectors = *state.collectors;
    const auto chosen = GetCollectorsFor(info.flags, collectors.netapi_collectors);
    if (chosen.empty())
        return;
    // The management calls get the host alone and the entry's own credentials: the whole
    // name would carry the password into name lookups.
    std::unique_ptr<network_credentials_scope> credentials;
    if (entry.has_credentials())
        credentials = collectors.network->use_credentials(*entry.user, entry.password);
    RunCollectors(state, info, entry.host, chosen);
}

void COstrelCollectorImpl::CollectOrganization(run& state, domain_info& info)
{
    const tables& collectors = *state.collectors;
    if (!collectors.directory) {
        info.error += u"error while connecting to LDAP server '" +
                      win32::visible_text(win32::parse_entry_name(info.name).shown()) + u"': no directory back end\r\n";
        return;
    }
    const CComPtr<IDirectorySearch> searcher = collectors.directory->connect(info.name, info.error, bind_line::plain);
    if (!searcher)
        return;
    const std::unique_ptr<exchange5_counter> organization = collectors.directory->make_exchange5_collector(searcher);
    if (!organization)
        return;
    const std::u16string name = organization->GetOrganizationName(info.name, info.error);
    if (name.empty()) {
        std::u16string prefix;
        utils::load_string(collector_strings::IDS_NO_EXCHANGE_ORGANIZATION, prefix);
        info.error += prefix + win32::visible_text(info.name) + u".\r\n";
        return;
    }
    info.name = name;
    collector::pairs result;
    organization->Collect(info.name, result, info.error);
    store_pairs(result, info);
}
