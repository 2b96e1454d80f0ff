#include "platform/com/apartment.h"
#include "platform/com/atl/com_object.h"
#include "platform/com/runtime.h"
#include "platform/com/sta_queue.h"
#include "platform/com/threading.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace {

TEST(Apartment, CountsAndChangedMode)
{
    std::thread([] {
        EXPECT_EQ(com::current_apartment(), com::apartment_kind::none);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
        EXPECT_EQ(com::current_apartment(), com::apartment_kind::single_threaded);
        CoUninitialize();
        EXPECT_EQ(com::current_apartment(), com::apartment_kind::single_threaded);
        CoUninitialize();
        EXPECT_EQ(com::current_apartment(), com::apartment_kind::none);
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        EXPECT_EQ(com::current_sta(), nullptr);
        CoUninitialize();
    }).join();
}

// A dispatch sink that records the thread and order of its calls.
class recording_sink_object : public CComObjectRootEx<CComMultiThreadModel>, public IDispatch {
public:
    recording_sink_object() { InternalAddRef(); } // the test's own reference
    BEGIN_COM_MAP(recording_sink_object)
    COM_INTERFACE_ENTRY(IDispatch)
    END_COM_MAP()

    std::mutex lock;
    std::vector<std::pair<DISPID, DWORD>> calls;

    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        std::lock_guard guard(lock);
        calls.emplace_back(id, GetCurrentThreadId());
        return id == 99 ? E_FAIL : S_OK;
    }
};

// It also records the thread that gives back the last reference but the test's.
class recording_sink final : public CComObjectStackEx<recording_sink_object> {
public:
    std::atomic<DWORD> released_on{0};
    ULONG Release() override
    {
        const ULONG left = CComObjectStackEx::Release();
        if (left == 1)
            released_on = GetCurrentThreadId();
        return left;
    }
};

struct worker_args {
    IUnknown* sink;
    int count;
    std::vector<HRESULT> results;
};

unsigned fire_events(void* p)
{
    auto* args = static_cast<worker_args*>(p);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IDispatch* disp = nullptr;
    args->sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp));
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    for (int i = 1; i <= args->count; ++i) {
        args->results.push_back(disp->Invoke(i == args->count ? 99 : i, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                             &none, nullptr, nullptr, nullptr));
    }
    disp->Release();
    // The last reference goes on the worker too: it must reach the sink on its own thread.
    args->sink->Release();
    CoUninitialize();
    return 0;
}

TEST(Apartment, SinkOfStaGetsCallsOnItsThreadInOrderWhileItWaits)
{
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    recording_sink sink;
    IUnknown* wrapped = nullptr;
    ASSERT_EQ(com::wrap_sink_for_caller(&sink, IID_IDispatch, &wrapped), S_OK);
    EXPECT_NE(wrapped, static_cast<IUnknown*>(static_cast<IDispatch*>(&sink)));
    worker_args args{wrapped, 5, {}};
    auto worker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, fire_events, &args, 0, nullptr));
    ASSERT_NE(worker, nullptr);
    // The join of a worker that calls in: served meanwhile, never a deadlock.
    DWORD index = 99;
    ASSERT_EQ(CoWaitForMultipleHandles(0, 10000, 1, &worker, &index), S_OK);
    EXPECT_EQ(index, 0u);
    CloseHandle(worker);
    const DWORD me = GetCurrentThreadId();
    ASSERT_EQ(sink.calls.size(), 5u);
    for (std::size_t i = 0; i < sink.calls.size(); ++i) {
        EXPECT_EQ(sink.calls[i].first, i == 4 ? 99 : static_cast<DISPID>(i + 1));
        EXPECT_EQ(sink.calls[i].second, me);
    }
    EXPECT_EQ(args.results.back(), E_FAIL);
    EXPECT_EQ(args.results.front(), S_OK);
    EXPECT_EQ(sink.m_dwRef.load(), 1u);
    EXPECT_EQ(sink.released_on.load(), me);
    CoUninitialize();
}

TEST(Apartment, WakeupIsCalledAndServeRunsTheQueue)
{
    std::atomic<int> wakes{0};
    std::shared_ptr<com::sta_queue> sta;
    std::atomic<bool> ready{false};
    std::atomic<bool> stop{false};
    std::atomic<int> served{0};
    std::thread ui([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        com::set_sta_wakeup([&] { ++wakes; });
        sta = com::current_sta();
        ready = true;
        while (!stop) {
            served += com::serve_sta_queue();
            std::this_thread::yield();
        }
        CoUninitialize();
    });
    while (!ready)
        std::this_thread::yield();
    DWORD ran_on = 0;
    EXPECT_EQ(com::call_in_sta(sta,
                               [&] {
                                   ran_on = GetCurrentThreadId();
                                   return S_FALSE;
                               }),
              S_FALSE);
    EXPECT_NE(ran_on, GetCurrentThreadId());
    EXPECT_GE(wakes.load(), 1);
    stop = true;
    ui.join();
    EXPECT_EQ(served.load(), 1);
    // The apartment has ended: calls into it are refused, not lost in a wait.
    EXPECT_EQ(com::call_in_sta(sta, [] { return S_OK; }), RPC_E_DISCONNECTED);
}

// While an STA thread runs a call that another thread queued, it knows that thread waits on
// it, also inside a nested serve of its queue; before and after, and for other threads, not.
TEST(Apartment, KnowsWhoseQueuedCallItIsRunning)
{
    std::shared_ptr<com::sta_queue> sta;
    std::atomic<DWORD> sta_thread{0};
    std::atomic<bool> stop{false};
    std::thread apartment([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        sta = com::current_sta();
        sta_thread = GetCurrentThreadId();
        while (!stop) {
            com::serve_sta_queue();
            std::this_thread::yield();
        }
        CoUninitialize();
    });
    while (!sta_thread)
        std::this_thread::yield();

    const DWORD caller = GetCurrentThreadId();
    bool outside = true, inside = false, nested = false, other = true, after = true;
    outside = com::serving_call_from(caller);
    EXPECT_EQ(com::call_in_sta(sta,
                               [&] {
                                   inside = com::serving_call_from(caller);
                                   other = com::serving_call_from(caller + 1);
                                   // A call queued by the apartment itself runs in a nested serve.
                                   com::current_sta()->post([&] { nested = com::serving_call_from(caller); });
                                   com::serve_sta_queue();
                                   return S_OK;
                               }),
              S_OK);
    EXPECT_EQ(com::call_in_sta(sta,
                               [&] {
                                   after = com::serving_call_from(sta_thread);
                                   return S_OK;
                               }),
              S_OK);
    stop = true;
    apartment.join();
    EXPECT_FALSE(outside);
    EXPECT_TRUE(inside);
    EXPECT_TRUE(nested);
    EXPECT_FALSE(other);
    EXPECT_FALSE(after);
}

TEST(Apartment, WaitTimesOutWithCallPending)
{
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD index = 0;
    EXPECT_EQ(CoWaitForMultipleHandles(0, 20, 1, &never, &index), RPC_S_CALLPENDING);
    EXPECT_EQ(CoWaitForMultipleHandles(0, 20, 0, &never, &index), E_INVALIDARG);
    CloseHandle(never);
}

TEST(Apartment, CreationNeedsAnApartment)
{
    std::thread([] {
        IUnknown* p = nullptr;
        EXPECT_EQ(
            CoCreateInstance(IID_IUnknown, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&p)),
            CO_E_NOTINITIALIZED);
    }).join();
}

} // namespace
