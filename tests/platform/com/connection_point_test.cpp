// Connection points of the test module: a new sink takes the first free slot, events reach
// the sinks in slot order, and a sink advised from a single-threaded apartment receives its
// calls on that thread while it waits.

#include "tests/platform/com/test_counter.h"

#include "platform/com/apartment.h"
#include "platform/com/atl/com_object.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/connection_points.h"
#include "platform/com/runtime.h"
#include "platform/com/threading.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace {

struct call_record {
    int sink;
    LONG value;
    DWORD thread;
};

class event_sink_object : public CComObjectRootEx<CComMultiThreadModel>, public IDispatch {
public:
    event_sink_object(int id, std::vector<call_record>& log, std::mutex& lock, HRESULT answer = S_OK)
        : m_id(id), m_log(log), m_lock(lock), m_answer(answer)
    {
        InternalAddRef(); // the test's own reference
    }
    BEGIN_COM_MAP(event_sink_object)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY_IID(DIID__ITestCounterEvents, IDispatch)
    END_COM_MAP()
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id != 1 || params->cArgs != 1)
            return DISP_E_MEMBERNOTFOUND;
        std::lock_guard guard(m_lock);
        m_log.push_back({m_id, params->rgvarg[0].lVal, GetCurrentThreadId()});
        return m_answer;
    }

private:
    int m_id;
    std::vector<call_record>& m_log;
    std::mutex& m_lock;
    HRESULT m_answer;
};
using event_sink = CComObjectStackEx<event_sink_object>;

class ConnectionPointTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_handle = ::dlopen(COM_TEST_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr);
        auto reg = reinterpret_cast<HRESULT (*)()>(::dlsym(m_handle, "DllRegisterServer"));
        ASSERT_EQ(reg(), S_OK);
    }
    void TearDown() override { ::dlclose(m_handle); }

    static CComPtr<IConnectionPoint> point_of(ITestCounter* counter)
    {
        CComQIPtr<IConnectionPointContainer> container(static_cast<IUnknown*>(counter));
        CComPtr<IConnectionPoint> point;
        EXPECT_EQ(container->FindConnectionPoint(DIID__ITestCounterEvents, &point), S_OK);
        return point;
    }

    ostrel::test::temp_registry m_registry;
    void* m_handle = nullptr;
};

TEST_F(ConnectionPointTest, NewSinkTakesFirstFreeSlotAndEventsGoInSlotOrder)
{
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    {
        CComPtr<ITestCounter> counter;
        ASSERT_EQ(counter.CoCreateInstance(CLSID_TestCounter), S_OK);
        CComPtr<IConnectionPoint> point = point_of(counter);
        std::vector<call_record> log;
        std::mutex lock;
        event_sink a(1, log, lock), b(2, log, lock, E_FAIL), c(3, log, lock), d(4, log, lock);
        DWORD ca = 0, cb = 0, cc = 0, cd = 0;
        ASSERT_EQ(point->Advise(&a, &ca), S_OK);
        ASSERT_EQ(point->Advise(&b, &cb), S_OK);
        ASSERT_EQ(point->Advise(&c, &cc), S_OK);
        EXPECT_EQ(ca, 1u);
        EXPECT_EQ(cb, 2u);
        EXPECT_EQ(cc, 3u);
        // A failing sink does not stop the others.
        ASSERT_EQ(counter->Fire(5), S_OK);
        ASSERT_EQ(point->Unadvise(ca), S_OK);
        EXPECT_EQ(point->Unadvise(ca), CONNECT_E_NOCONNECTION);
        ASSERT_EQ(point->Advise(&d, &cd), S_OK);
        EXPECT_EQ(cd, 1u);
        ASSERT_EQ(counter->Fire(6), S_OK);
        const std::vector<std::pair<int, LONG>> expected = {{1, 5}, {2, 5}, {3, 5}, {4, 6}, {2, 6}, {3, 6}};
        ASSERT_EQ(log.size(), expected.size());
        for (std::size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(log[i].sink, expected[i].first) << i;
            EXPECT_EQ(log[i].value, expected[i].second) << i;
        }
        CComPtr<IEnumConnections> connections;
        ASSERT_EQ(point->EnumConnections(&connections), S_OK);
        CONNECTDATA data[4];
        ULONG fetched = 0;
        EXPECT_EQ(connections->Next(4, data, &fetched), S_FALSE);
        EXPECT_EQ(fetched, 3u);
        for (ULONG i = 0; i < fetched; ++i)
            data[i].pUnk->Release();
        connections.Release();
        point->Unadvise(cb);
        point->Unadvise(cc);
        point->Unadvise(cd);
        EXPECT_EQ(a.m_dwRef.load(), 1u);
        EXPECT_EQ(d.m_dwRef.load(), 1u);
        // A sink without the outgoing interface is refused.
        CComPtr<IUnknown> not_a_sink;
        counter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&not_a_sink));
        DWORD cookie = 0;
        EXPECT_EQ(point->Advise(not_a_sink, &cookie), CONNECT_E_CANNOTCONNECT);
    }
    CoUninitialize();
}

struct fire_args {
    ITestCounter* counter;
};

unsigned fire_from_worker(void* p)
{
    auto* args = static_cast<fire_args*>(p);
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    for (LONG v = 1; v <= 3; ++v)
        args->counter->Fire(v);
    CoUninitialize();
    return 0;
}

TEST_F(ConnectionPointTest, SinkAdvisedFromStaIsCalledOnItsThreadWhileItWaits)
{
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    {
        CComPtr<ITestCounter> counter;
        ASSERT_EQ(counter.CoCreateInstance(CLSID_TestCounter), S_OK);
        CComPtr<IConnectionPoint> point = point_of(counter);
        std::vector<call_record> log;
        std::mutex lock;
        event_sink sink(1, log, lock);
        DWORD cookie = 0;
        ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
        fire_args args{counter};
        auto worker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, fire_from_worker, &args, 0, nullptr));
        ASSERT_NE(worker, nullptr);
        DWORD index = 0;
        ASSERT_EQ(CoWaitForMultipleHandles(0, 10000, 1, &worker, &index), S_OK);
        CloseHandle(worker);
        ASSERT_EQ(log.size(), 3u);
        for (std::size_t i = 0; i < log.size(); ++i) {
            EXPECT_EQ(log[i].value, static_cast<LONG>(i + 1));
            EXPECT_EQ(log[i].thread, GetCurrentThreadId());
        }
        ASSERT_EQ(point->Unadvise(cookie), S_OK);
        EXPECT_EQ(sink.m_dwRef.load(), 1u);
    }
    CoUninitialize();
}

} // namespace
