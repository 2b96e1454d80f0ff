#include "collector/ostrel_collector_impl.h"

#include "fake_backend.h"
#include "platform/com/apartment.h"
#include "platform/com/bstr.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"
#include "platform/com/threading.h"
#include "platform/win32/win_errors.h"
#include "tests/support/com/thread_creation_failure.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

namespace {

using collector_test::fake_backend;
using collector_test::install_standard_tables;
using domain_info = COstrelCollectorImpl::domain_info;

// A VT_ARRAY|VT_BSTR variant of the names (lower bound 0); cleared by the destructor.
struct name_array {
    explicit name_array(std::initializer_list<const char16_t*> names, LONG lower = 0)
    {
        VariantInit(&v);
        SAFEARRAYBOUND bound{static_cast<ULONG>(names.size()), lower};
        v.vt = VT_ARRAY | VT_BSTR;
        v.parray = SafeArrayCreate(VT_BSTR, 1, &bound);
        LONG i = lower;
        for (const auto* n : names) {
            BSTR b = SysAllocString(n);
            SafeArrayPutElement(v.parray, &i, b);
            SysFreeString(b);
            ++i;
        }
    }
    ~name_array() { VariantClear(&v); }
    VARIANT v;
};

// Records the callbacks; the run is over when `completed` is set.
class recorder : public COstrelCollectorImpl::collector_callback {
public:
    explicit recorder(COstrelCollectorImpl* engine = nullptr) : engine(engine) {}
    void DomainCollected(const std::u16string& name, const std::u16string& error) override
    {
        std::lock_guard lock(mutex);
        collected.emplace_back(name, error);
        if (on_domain)
            on_domain();
    }
    void CollectionComplete() override
    {
        std::lock_guard lock(mutex);
        if (engine != nullptr)
            infos = engine->GetInfos();
        ++completions;
        done.notify_all();
    }
    void wait(int count = 1)
    {
        std::unique_lock lock(mutex);
        done.wait(lock, [&] { return completions >= count; });
    }
    COstrelCollectorImpl* engine;
    std::mutex mutex;
    std::condition_variable done;
    std::vector<std::pair<std::u16string, std::u16string>> collected;
    std::vector<domain_info> infos;
    std::function<void()> on_domain;
    int completions = 0;
};

LONG count_of(const domain_info& info, oxcOstrelCounter c)
{
    const auto it = info.counts.find(c);
    return it == info.counts.end() ? -1 : it->second;
}

class Engine : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        backend = std::make_shared<fake_backend>();
        install_standard_tables(*backend);
        backend->ldap_names = {u"ad.test"};
    }
    void TearDown() override { CoUninitialize(); }

    // Runs one collection to its end and returns the records as the callback saw them.
    std::vector<domain_info> run(std::initializer_list<const char16_t*> names, oxcOstrelCounter mask)
    {
        COstrelCollectorImpl engine(backend, backend);
        recorder rec(&engine);
        name_array array(names);
        EXPECT_EQ(engine.Collect(&array.v, mask, &rec), S_OK);
        rec.wait();
        engine.Cancel(); // joins the worker before the recorder goes
        collected = rec.collected;
        return rec.infos;
    }

    std::shared_ptr<fake_backend> backend;
    std::vector<std::pair<std::u16string, std::u16string>> collected;
};

TEST_F(Engine, ChoosesCollectorsByMaskAndBind)
{
    struct Case {
        const char16_t* name;
        oxcOstrelCounter mask;
        std::vector<std::string> runs; // in identity order, so compared as a set
    };
    const Case cases[] = {
        {u"nt.test", oxcNetwork, {"computers:nt.test", "users:nt.test", "groups:nt.test"}},
        {u"ad.test",
         oxcNetwork,
         {"computers_ad:ad.test", "users_ad:ad.test", "groups_ad:ad.test", "exchange_ad:ad.test"}},
        {u"ad.test", oxcUniversalGroup, {"groups_ad:ad.test"}},
        {u"nt.test", oxcUniversalGroup, {"groups:nt.test"}},
        {u"ad.test", oxcLyncEnabledUser, {}},
        {u"ad.test", oxcEnabledUser, {}},
        {u"nt.test", oxcMSA, {}},
        {u"ad.test",
         static_cast<oxcOstrelCounter>(oxcDC | oxcServer | oxcUnknownComputerType),
         {"computers_ad:ad.test"}},
    };
    for (const auto& c : cases) {
        run({c.name}, c.mask);
        auto runs = backend->taken_runs();
        std::sort(runs.begin(), runs.end());
        auto expected = c.runs;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(runs, expected) << std::string(c.name, c.name + 7) << " mask " << c.mask;
    }
}

TEST_F(Engine, NetworkMaskOnNetApiDomainLeavesTheOthersAtMinusOne)
{
    const auto infos = run({u"nt.test"}, oxcNetwork);
    ASSERT_EQ(infos.size(), 1u);
    const auto& info = infos[0];
    EXPECT_EQ(count_of(info, oxcDC), 1);
    EXPECT_EQ(count_of(info, oxcUser), 10);
    EXPECT_EQ(count_of(info, oxcEnabledUser), 8); // reported by the user collector, kept
    for (auto c : {oxcUnknownComputerType, oxcExchangeServer, oxcMSA, oxcLyncEnabledUser, oxcUniversalGroup})
        EXPECT_EQ(count_of(info, c), -1) << c;
    // The failed LDAP bind is no error.
    EXPECT_EQ(info.error, u"");
    ASSERT_EQ(collected.size(), 1u);
    EXPECT_EQ(collected[0].second, u"");
}

TEST_F(Engine, KeepsEveryReportedCountAndTheErrorLines)
{
    const auto infos = run({u"ad.test"}, oxcUser);
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(count_of(infos[0], oxcMSA), 2); // not asked, still kept
    const auto all = run({u"ad.test", u"nt.test"}, oxcNetwork);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].error, u"error processing LDAP query 'x': failed\r\n");
    EXPECT_EQ(collected[0], std::make_pair(std::u16string(u"ad.test"), all[0].error));
    EXPECT_EQ(collected[1].first, u"nt.test");
    EXPECT_EQ(all[0].flags, oxcNetwork);
}

TEST_F(Engine, SharesOneSearcherAmongTheCollectorsOfAnEntry)
{
    run({u"ad.test"}, oxcNetwork);
    for (auto c : {oxcDC, oxcUser, oxcGlobalGroup, oxcContact}) {
        SCOPED_TRACE(c);
        EXPECT_EQ(static_cast<collector_test::fake_collector&>(*backend->ad[c]).searcher_name, u"ad.test");
    }
}

TEST_F(Engine, Exchange5Entries)
{
    backend->ldap_names = {u"ex1", u"ex2"};
    backend->organizations = {{u"ex1", u"Org One"}};
    backend->exchange5_reports = {{oxcExchange5Servers, 2}, {oxcExchange5Mailbox, 40}};
    const auto infos = run({u"ex1", u"ex2", u"down"}, oxcExchange5);
    ASSERT_EQ(infos.size(), 3u);
    EXPECT_EQ(infos[0].name, u"Org One");
    EXPECT_EQ(count_of(infos[0], oxcExchange5Mailbox), 40);
    EXPECT_EQ(infos[1].name, u"ex2");
    EXPECT_EQ(infos[1].error, u"No Exchange Organization found on server ex2.\r\n");
    EXPECT_EQ(infos[2].error, u"error while connecting to LDAP server 'down': refused\r\n");
    ASSERT_EQ(collected.size(), 3u);
    EXPECT_EQ(collected[0].first, u"Org One");
    // oxcAll has the Exchange 5.5 bits too: no domain collector runs.
    run({u"ex1"}, oxcAll);
    EXPECT_TRUE(backend->taken_runs().empty());
}

TEST_F(Engine, EmptyArrayGivesOneCompletionAndNoDomainEvents)
{
    COstrelCollectorImpl engine(backend, backend);
    recorder rec(&engine);
    name_array array({});
    ASSERT_EQ(engine.Collect(&array.v, oxcNetwork, &rec), S_OK);
    rec.wait();
    EXPECT_TRUE(rec.collected.empty());
    EXPECT_TRUE(rec.infos.empty());
    EXPECT_EQ(engine.Cancel(), S_OK);
    EXPECT_EQ(rec.completions, 1);
}

TEST_F(Engine, BadNamesArgumentsAreRefusedBeforeAnythingStarts)
{
    COstrelCollectorImpl engine(backend, backend);
    recorder rec(&engine);
    EXPECT_EQ(engine.Collect(nullptr, oxcNetwork, &rec), E_POINTER);

    VARIANT not_array;
    VariantInit(&not_array);
    not_array.vt = VT_BSTR;
    not_array.bstrVal = SysAllocString(u"ad.test");
    EXPECT_EQ(engine.Collect(&not_array, oxcNetwork, &rec), E_INVALIDARG);
    VariantClear(&not_array);

    const auto array_of = [](VARTYPE type, UINT dims) {
        VARIANT v;
        VariantInit(&v);
        SAFEARRAYBOUND bounds[2] = {{1, 0}, {1, 0}};
        v.vt = static_cast<VARTYPE>(VT_ARRAY | type);
        v.parray = SafeArrayCreate(type, dims, bounds);
        return v;
    };
    struct Case {
        const char* what;
        VARIANT v;
    };
    Case cases[] = {
        {"32-bit integers (0x2003)", array_of(VT_I4, 1)},
        {"16-bit integers (0x2002)", array_of(VT_I2, 1)},
        {"two dimensions", array_of(VT_BSTR, 2)},
        {"variant holding an integer", array_of(VT_VARIANT, 1)},
    };
    {
        VARIANT element;
        VariantInit(&element);
        element.vt = VT_I4;
        element.lVal = 7;
        LONG index = 0;
        SafeArrayPutElement(cases[3].v.parray, &index, &element);
    }
    VARIANT no_array;
    VariantInit(&no_array);
    no_array.vt = VT_ARRAY | VT_BSTR;
    no_array.parray = nullptr;
    for (auto& c : cases) {
        EXPECT_EQ(engine.Collect(&c.v, oxcNetwork, &rec), E_INVALIDARG) << c.what;
        VariantClear(&c.v);
    }
    EXPECT_EQ(engine.Collect(&no_array, oxcNetwork, &rec), E_INVALIDARG);
    EXPECT_EQ(engine.Cancel(), S_OK);
    EXPECT_EQ(rec.completions, 0);
    EXPECT_TRUE(backend->taken_runs().empty());
}

TEST_F(Engine, AcceptsVariantArraysAndByReferenceArrays)
{
    COstrelCollectorImpl engine(backend, backend);
    recorder rec(&engine);
    VARIANT v;
    VariantInit(&v);
    SAFEARRAYBOUND bound{2, 1};
    v.vt = VT_ARRAY | VT_VARIANT;
    v.parray = SafeArrayCreate(VT_VARIANT, 1, &bound);
    for (LONG i = 1; i <= 2; ++i) {
        VARIANT element;
        VariantInit(&element);
        element.vt = VT_BSTR;
        element.bstrVal = SysAllocString(i == 1 ? u"nt.test" : u"ad.test");
        SafeArrayPutElement(v.parray, &i, &element);
        VariantClear(&element);
    }
    VARIANT by_ref;
    VariantInit(&by_ref);
    by_ref.vt = VT_BYREF | VT_ARRAY | VT_VARIANT;
    by_ref.pparray = &v.parray;
    ASSERT_EQ(engine.Collect(&by_ref, oxcUser, &rec), S_OK);
    rec.wait();
    ASSERT_EQ(rec.infos.size(), 2u);
    EXPECT_EQ(rec.infos[0].name, u"nt.test");
    EXPECT_EQ(rec.infos[1].name, u"ad.test");
    // The caller's array is only read.
    EXPECT_EQ(v.vt, VT_ARRAY | VT_VARIANT);
    EXPECT_NE(v.parray, nullptr);
    engine.Cancel();
    VariantClear(&v);
}

// The test thread is an apartment thread: a call the worker queues to it runs only while the
// thread serves its queue, which it does inside Cancel's wait for the worker, that is once
// the cancel flag is set. The collector being counted holds on until that call has run.
class EngineInApartment : public Engine {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        backend = std::make_shared<fake_backend>();
        install_standard_tables(*backend);
    }
};

TEST_F(EngineInApartment, CancelDuringARunStopsAfterTheCurrentCollector)
{
    COstrelCollectorImpl engine(backend, backend);
    recorder rec(&engine);
    const std::shared_ptr<com::sta_queue> test_thread = com::current_sta();
    ASSERT_NE(test_thread, nullptr);
    const HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> served_inside_cancel{false};
    std::atomic<bool> cancelling{false};
    backend->on_collect = [&](const std::string&) {
        SetEvent(entered);
        // Returns once the test thread has served it, from inside Cancel.
        com::call_in_sta(test_thread, [&] {
            served_inside_cancel = cancelling.load();
            return S_OK;
        });
    };
    name_array array({u"nt.test", u"nt2.test", u"nt3.test"});
    ASSERT_EQ(engine.Collect(&array.v, oxcNetwork, &rec), S_OK);
    ASSERT_EQ(WaitForSingleObject(entered, INFINITE), WAIT_OBJECT_0);
    cancelling = true;
    EXPECT_EQ(engine.Cancel(), S_OK); // returns only after the worker ended
    EXPECT_TRUE(served_inside_cancel);
    EXPECT_EQ(rec.completions, 1);
    EXPECT_TRUE(rec.collected.empty()); // cancelled while the entry was counted
    ASSERT_EQ(rec.infos.size(), 3u);
    EXPECT_EQ(backend->taken_runs().size(), 1u); // the current collector finished, no other ran
    EXPECT_TRUE(rec.infos[2].counts.empty());
    // Cancel with no run, and again: success at once.
    EXPECT_EQ(engine.Cancel(), S_OK);
    CloseHandle(entered);
}

// A call that the waiting thread serves during its own Cancel (an event handler of the
// apartment, say) calls the engine again: Cancel sets the flag and returns, Collect refuses,
// neither waits for the worker that waits for them.
TEST_F(EngineInApartment, CallsServedWhileCancelWaitsNeitherWaitNorDeadlock)
{
    COstrelCollectorImpl engine(backend, backend);
    recorder rec(&engine);
    const std::shared_ptr<com::sta_queue> test_thread = com::current_sta();
    HRESULT nested_cancel = E_FAIL;
    HRESULT nested_collect = S_OK;
    name_array again({u"x"});
    const HANDLE entered = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    backend->on_collect = [&](const std::string&) {
        SetEvent(entered);
        com::call_in_sta(test_thread, [&] {
            nested_cancel = engine.Cancel();
            nested_collect = engine.Collect(&again.v, oxcUser, &rec);
            return S_OK;
        });
    };
    name_array array({u"nt.test", u"nt2.test"});
    ASSERT_EQ(engine.Collect(&array.v, oxcUser, &rec), S_OK);
    ASSERT_EQ(WaitForSingleObject(entered, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(engine.Cancel(), S_OK);
    CloseHandle(entered);
    EXPECT_EQ(nested_cancel, S_OK);
    EXPECT_EQ(nested_collect, COstrelCollectorImpl::E_ILLEGAL_METHOD_CALL);
    EXPECT_EQ(rec.completions, 1);
    EXPECT_EQ(backend->taken_runs().size(), 1u);
}

TEST_F(Engine, SecondCollectWaitsForTheFirstRunsCompletion)
{
    COstrelCollectorImpl engine(backend, backend);
    recorder rec(&engine);
    backend->on_collect = [](const std::string&) { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
    name_array first({u"nt.test", u"nt2.test"});
    name_array second({u"ad.test"});
    ASSERT_EQ(engine.Collect(&first.v, oxcUser, &rec), S_OK);
    ASSERT_EQ(engine.Collect(&second.v, oxcUser, &rec), S_OK);
    {
        std::lock_guard lock(rec.mutex);
        EXPECT_EQ(rec.completions, 1); // the first run had ended, not been cancelled
        EXPECT_EQ(rec.collected.size(), 2u);
    }
    rec.wait(2);
    engine.Cancel();
    ASSERT_EQ(rec.infos.size(), 1u);
    EXPECT_EQ(rec.infos[0].name, u"ad.test");
}

TEST_F(Engine, ThreadThatCannotStartFailsCollectWithoutEvents)
{
    COstrelCollectorImpl engine(backend, backend);
    recorder rec(&engine);
    name_array array({u"nt.test"});
    com::fail_next_thread_creation(ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(engine.Collect(&array.v, oxcNetwork, &rec), HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(engine.Cancel(), S_OK);
    EXPECT_EQ(rec.completions, 0);
    EXPECT_TRUE(backend->taken_runs().empty());
}

TEST_F(Engine, ThreadThatCannotStartKeepsThePreviousRunsRecords)
{
    COstrelCollectorImpl engine(backend, backend);
    recorder rec(&engine);
    name_array first({u"nt.test", u"ad.test"});
    ASSERT_EQ(engine.Collect(&first.v, oxcUser, &rec), S_OK);
    rec.wait();
    engine.Cancel();
    name_array second({u"nt2.test"});
    com::fail_next_thread_creation(ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(engine.Collect(&second.v, oxcUser, &rec), HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY));
    const auto& kept = engine.GetInfos();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].name, u"nt.test");
    EXPECT_EQ(count_of(kept[0], oxcUser), 10);
    EXPECT_EQ(count_of(kept[1], oxcUser), 20);
}

// An entry with credentials whose bind fails: the management collectors get the host alone
// and count with the entry's own credentials, which they let go of afterwards; the entry's
// error text keeps why the bind failed, without the password.
TEST_F(Engine, FailedBindWithCredentialsFallsBackWithTheHostAndTheEntrysCredentials)
{
    const auto infos = run({u"nt.test/reader/Se/cret", u"nt2.test"}, oxcUser);
    EXPECT_EQ(backend->taken_runs(), (std::vector<std::string>{"credentials:reader:Se/cret", "users:nt.test",
                                                               "credentials end", "users:nt2.test"}));
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(infos[0].name, u"nt.test/reader/Se/cret");
    EXPECT_EQ(infos[0].error, u"error while connecting to LDAP server 'nt.test/reader': refused\r\n");
    EXPECT_EQ(count_of(infos[0], oxcUser), 10);
    // Without credentials a name that doesn't answer LDAP is no error.
    EXPECT_EQ(infos[1].error, u"");
}

TEST_F(Engine, CallsFromTheWorkersOwnCallbackNeitherDeadlockNorThrow)
{
    auto engine = std::make_unique<COstrelCollectorImpl>(backend, backend);
    recorder rec(engine.get());
    name_array array({u"nt.test", u"nt2.test"});
    HRESULT cancel_result = E_FAIL;
    HRESULT collect_result = S_OK;
    rec.on_domain = [&] {
        name_array again({u"x"});
        collect_result = engine->Collect(&again.v, oxcUser, &rec);
        cancel_result = engine->Cancel();
    };
    ASSERT_EQ(engine->Collect(&array.v, oxcUser, &rec), S_OK);
    rec.wait();
    EXPECT_EQ(cancel_result, S_OK);
    EXPECT_EQ(collect_result, COstrelCollectorImpl::E_ILLEGAL_METHOD_CALL);
    EXPECT_EQ(rec.collected.size(), 1u); // the cancel from the callback took effect
    engine.reset();
}

TEST_F(Engine, DestroyedFromItsOwnCallbackLetsTheWorkerFinish)
{
    auto* engine = new COstrelCollectorImpl(backend, backend);
    recorder rec(engine);
    name_array array({u"nt.test", u"nt2.test"});
    std::promise<void> collect_returned;
    auto returned = collect_returned.get_future();
    rec.on_domain = [&] {
        returned.wait(); // as a COM caller would, the owner holds its reference through Collect
        delete engine;   // the last release, on the worker thread
        rec.engine = nullptr;
    };
    ASSERT_EQ(engine->Collect(&array.v, oxcUser, &rec), S_OK);
    collect_returned.set_value();
    // No CollectionComplete comes to a destroyed owner; the worker ends on its own.
    for (int i = 0; i < 100 && backend.use_count() > 1; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(backend.use_count(), 1);
    EXPECT_EQ(rec.collected.size(), 1u);
    EXPECT_EQ(rec.completions, 0);
}

// Counts releases and remembers the thread of the last one.
class counted_owner final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return 1; }
    ULONG Release() override
    {
        released_on = GetCurrentThreadId();
        return static_cast<ULONG>(--left);
    }
    std::atomic<int> left{1};
    std::atomic<DWORD> released_on{0};
};

TEST_F(Engine, ReleaseHandedToTheWorkerOnlyFromItsOwnCallback)
{
    auto engine = std::make_unique<COstrelCollectorImpl>(backend, backend);
    counted_owner owner;
    EXPECT_FALSE(engine->defer_release_to_worker(&owner)); // no run
    recorder rec(engine.get());
    name_array array({u"nt.test", u"nt2.test", u"nt.test"});
    std::atomic<DWORD> worker{0};
    bool handed = false;
    bool handed_twice = true;
    std::promise<void> in_callback;
    std::promise<void> checked;
    auto checked_future = checked.get_future();
    rec.on_domain = [&] {
        if (worker != 0)
            return;
        worker = GetCurrentThreadId();
        in_callback.set_value();
        checked_future.wait();
        handed = engine->defer_release_to_worker(&owner);
        handed_twice = engine->defer_release_to_worker(&owner);
    };
    ASSERT_EQ(engine->Collect(&array.v, oxcUser, &rec), S_OK);
    in_callback.get_future().wait();
    EXPECT_FALSE(engine->defer_release_to_worker(&owner)); // from another thread, mid-run
    checked.set_value();
    for (int i = 0; i < 500 && owner.left != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(handed);
    EXPECT_FALSE(handed_twice);
    EXPECT_EQ(owner.left, 0); // released once, when the run was over
    EXPECT_EQ(owner.released_on, worker);
    EXPECT_EQ(engine->Cancel(), S_OK);
    // No callback after the hand-over, not even CollectionComplete.
    EXPECT_EQ(rec.collected.size(), 1u);
    EXPECT_EQ(rec.completions, 0);
}

TEST_F(Engine, EnumerateDomains)
{
    COstrelCollectorImpl engine(backend, backend);
    EXPECT_EQ(engine.EnumerateDomains(nullptr), E_POINTER);
    VARIANT out;
    VariantInit(&out);
    EXPECT_EQ(engine.EnumerateDomains(&out), S_OK);
    EXPECT_EQ(out.vt, VT_EMPTY);
    backend->enumerate = [](VARIANT*) -> DWORD { return ERROR_NO_NETWORK; };
    EXPECT_EQ(engine.EnumerateDomains(&out), static_cast<HRESULT>(0x800704C6u));
    backend->enumerate = [](VARIANT*) -> DWORD { return 0x12345u; };
    EXPECT_EQ(engine.EnumerateDomains(&out), static_cast<HRESULT>(0x80072345u));
}

TEST(EngineDefault, EmptyBackendCountsNothing)
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        COstrelCollectorImpl engine(nullptr, nullptr);
        recorder rec(&engine);
        name_array array({u"nobody.test"});
        ASSERT_EQ(engine.Collect(&array.v, oxcNetwork, &rec), S_OK);
        rec.wait();
        ASSERT_EQ(rec.infos.size(), 1u);
        EXPECT_TRUE(rec.infos[0].counts.empty());
        EXPECT_EQ(rec.infos[0].error, u"");
        engine.Cancel();
    }
    CoUninitialize();
}

} // namespace
