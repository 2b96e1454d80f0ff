// The module through COM as a client sees it: registration into a temporary registry,
// creation by ProgID, a whole collection driven late-bound through IDispatch with a fake back
// end, events to two sinks, the result objects, and an apartment client. It runs the test
// build of the module, which is the shipped module's object over back ends a test installs.

#include "collector/ostrel_collector_lib.h"
#include "fake_backend.h"
#include "recording_sink.h"

#include "platform/com/apartment.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/bstr.h"
#include "platform/com/connection_points.h"
#include "platform/com/enum_variant.h"
#include "platform/com/error_info.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"
#include "platform/com/sta_queue.h"
#include "platform/com/threading.h"
#include "tests/platform/com/registry_probe.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

#include <filesystem>
#include <thread>

namespace {

using collector_test::fake_backend;
using collector_test::recording_sink;
using collector_test::sink_call;
using entry_fn = HRESULT (*)();
using install_fn = void (*)(directory_backend*, network_backend*);

const char16_t* const kClasses[][2] = {
    {u"OstrelCollector", u"{1F0B29AD-1CB8-4F95-99C1-563E3BDFA6D9}"},
    {u"OstrelInfo", u"{D2F4BA9A-D3F7-4335-91F9-1BB12B615CB2}"},
    {u"OstrelInfoCollection", u"{18D42C92-D907-4190-A4DD-010E8FB94CEF}"},
};

DISPID id_of(IDispatch* object, const OLECHAR* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    return id;
}

// Invoke by name; args in the caller's order.
HRESULT call(IDispatch* object, const OLECHAR* name, WORD kind, std::vector<VARIANT> args, VARIANT* result)
{
    std::reverse(args.begin(), args.end());
    DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return object->Invoke(id_of(object, name), IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr);
}

VARIANT i4(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

// A VT_ARRAY|VT_BSTR of the names.
VARIANT names_of(std::initializer_list<const char16_t*> names)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_ARRAY | VT_BSTR;
    v.parray = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(names.size()));
    LONG i = 0;
    for (const auto* n : names) {
        BSTR b = SysAllocString(n);
        SafeArrayPutElement(v.parray, &i, b);
        SysFreeString(b);
        ++i;
    }
    return v;
}

// An outer object that aggregates the collector: its identity, its count, and every other
// interface answered by the inner object. Frees itself and the inner one at its last release.
class aggregating_outer final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        if (iid == IID_IUnknown) {
            *out = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner->QueryInterface(iid, out);
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0) {
            inner->Release();
            delete this;
        }
        return left;
    }
    IUnknown* inner = nullptr;

private:
    ~aggregating_outer() = default;
    std::atomic<ULONG> m_refs{1};
};

class CollectorModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_handle = ::dlopen(OSTREL_COLLECTOR_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << ::dlerror();
        ASSERT_EQ(entry("DllRegisterServer")(), S_OK);
        m_install = reinterpret_cast<install_fn>(::dlsym(m_handle, "OstrelCollectorTesting_InstallBackends"));
        ASSERT_NE(m_install, nullptr);
        collector_test::install_standard_tables(m_backend);
        m_backend.ldap_names = {u"ad.test"};
        m_install(&m_backend, &m_backend);
        m_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override
    {
        if (m_install != nullptr)
            m_install(nullptr, nullptr);
        for (auto& c : m_log)
            if (c.infos != nullptr)
                c.infos->Release();
        CloseHandle(m_done);
        if (m_handle != nullptr)
            ::dlclose(m_handle);
    }
    entry_fn entry(const char* name) { return reinterpret_cast<entry_fn>(::dlsym(m_handle, name)); }

    CComPtr<IDispatch> create_by_progid()
    {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(u"OstrelCollector.OstrelCollector", &clsid), S_OK);
        EXPECT_EQ(clsid, CLSID_OstrelCollector);
        CComPtr<IDispatch> object;
        EXPECT_EQ(
            CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object.p)),
            S_OK);
        return object;
    }
    DWORD advise(IUnknown* object, IUnknown* sink)
    {
        CComQIPtr<IConnectionPointContainer> container(object);
        EXPECT_TRUE(container);
        CComPtr<IConnectionPoint> point;
        EXPECT_EQ(container->FindConnectionPoint(DIID__IOstrelCollectorEvents, &point.p), S_OK);
        DWORD cookie = 0;
        EXPECT_EQ(point->Advise(sink, &cookie), S_OK);
        return cookie;
    }
    void unadvise(IUnknown* object, DWORD cookie)
    {
        CComQIPtr<IConnectionPointContainer> container(object);
        CComPtr<IConnectionPoint> point;
        container->FindConnectionPoint(DIID__IOstrelCollectorEvents, &point.p);
        EXPECT_EQ(point->Unadvise(cookie), S_OK);
    }
    // Lets go of the result collections the sinks kept, then asks whether any object of the
    // module is still alive.
    bool no_object_left()
    {
        {
            std::lock_guard lock(m_mutex);
            for (auto& c : m_log) {
                if (c.infos != nullptr)
                    c.infos->Release();
                c.infos = nullptr;
            }
        }
        return entry("DllCanUnloadNow")() == S_OK;
    }
    std::vector<sink_call> log()
    {
        std::lock_guard lock(m_mutex);
        return m_log;
    }

    ostrel::test::temp_registry m_registry;
    void* m_handle = nullptr;
    install_fn m_install = nullptr;
    fake_backend m_backend;
    std::mutex m_mutex;
    std::vector<sink_call> m_log;
    HANDLE m_done = nullptr;
};

class MtaCollectorModule : public CollectorModule {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        CollectorModule::SetUp();
    }
    void TearDown() override
    {
        CollectorModule::TearDown();
        CoUninitialize();
    }
};

TEST_F(MtaCollectorModule, RegistrationWritesBothProgIdsAndUnregistrationKeepsClsid)
{
    for (const auto& c : kClasses) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(c[0])));
        [&] { // an ASSERT ends this row only
            const std::u16string name = c[0];
            const std::u16string progid = u"OstrelCollector." + name;
            const std::u16string key = std::u16string(u"CLSID\\") + c[1];
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, progid), name + u" Class");
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, progid + u".1"), name + u" Class");
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, progid + u"\\CLSID"), c[1]);
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, progid + u".1\\CLSID"), c[1]);
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, progid + u"\\CurVer"), progid + u".1");
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, key), name + u" Class");
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, key + u"\\ProgID"), progid + u".1");
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, key + u"\\VersionIndependentProgID"), progid);
            EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, key + u"\\Programmable"));
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, key + u"\\InprocServer32", u"ThreadingModel"), u"Free");
            const auto path = string_value(HKEY_CLASSES_ROOT, key + u"\\InprocServer32");
            ASSERT_TRUE(path);
            const std::string file = std::filesystem::path(OSTREL_COLLECTOR_MODULE).filename().string();
            EXPECT_TRUE(path->ends_with(u"/" + std::u16string(file.begin(), file.end()))) << file;
            EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, key + u"\\TypeLib"), u"{37BBB4B6-3E12-4F77-93FB-E6795BB31482}");
        }();
    }
    const std::u16string lib = u"TypeLib\\{37BBB4B6-3E12-4F77-93FB-E6795BB31482}\\1.0";
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, lib), u"OstrelCollector 1.0 Type Library");
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, u"Interface\\{7DDD0D92-7DEA-4C30-B190-4718A1F60FB0}"),
              u"IOstrelCollector");

    ASSERT_EQ(entry("DllUnregisterServer")(), S_OK);
    for (const auto& c : kClasses) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(c[0])));
        const std::u16string progid = std::u16string(u"OstrelCollector.") + c[0];
        EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, progid));
        EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, progid + u".1"));
        EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, std::u16string(u"CLSID\\") + c[1]));
    }
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, lib));
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, u"CLSID"));
}

TEST_F(MtaCollectorModule, LateBoundClientDrivesAWholeCollection)
{
    CComPtr<IDispatch> collector = create_by_progid();
    ASSERT_TRUE(collector);
    recording_sink first(1, m_log, m_mutex, nullptr);
    recording_sink second(2, m_log, m_mutex, m_done);
    first.fail = true; // a failing sink does not stop the other
    const DWORD first_cookie = advise(collector, &first);
    const DWORD second_cookie = advise(collector, &second);

    // As a late-bound client passes it: the array variant by reference, the mask as a number.
    VARIANT names = names_of({u"ad.test", u"nt.test"});
    VARIANT by_ref;
    VariantInit(&by_ref);
    by_ref.vt = VT_BYREF | VT_VARIANT;
    by_ref.pvarVal = &names;
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(call(collector, u"collect", DISPATCH_METHOD, {by_ref, i4(oxcNetwork)}, &result), S_OK);
    ASSERT_EQ(WaitForSingleObject(m_done, 10000), 0u);
    EXPECT_EQ(call(collector, u"Cancel", DISPATCH_METHOD, {}, &result), S_OK);
    VariantClear(&names);

    const auto calls = log();
    ASSERT_EQ(calls.size(), 6u);
    // Each event once per sink, in slot order.
    const std::pair<DISPID, int> order[] = {{2, 1}, {2, 2}, {2, 1}, {2, 2}, {1, 1}, {1, 2}};
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].id, order[i].first) << i;
        EXPECT_EQ(calls[i].sink_tag, order[i].second) << i;
    }
    EXPECT_EQ(calls[0].name, u"ad.test");
    EXPECT_EQ(calls[0].error, u"error processing LDAP query 'x': failed\r\n");
    EXPECT_EQ(calls[2].name, u"nt.test");
    EXPECT_EQ(calls[2].error, u""); // a successful entry: an empty string
    EXPECT_FALSE(calls[2].error_is_null);
    EXPECT_EQ(calls[5].error, u"Collection of domain \"ad.test\" failed due to the following reason: "
                              u"error processing LDAP query 'x': failed\r\n\r\n");

    // The results, walked late-bound by Count and Item.
    IDispatch* infos = calls[5].infos;
    ASSERT_NE(infos, nullptr);
    ASSERT_EQ(call(infos, u"Count", DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(result.lVal, 2);
    VariantClear(&result);
    ASSERT_EQ(call(infos, u"item", DISPATCH_PROPERTYGET, {i4(1)}, &result), S_OK);
    ASSERT_EQ(result.vt, VT_DISPATCH);
    CComPtr<IDispatch> info(result.pdispVal);
    VariantClear(&result);
    ASSERT_EQ(call(info, u"DomainName", DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(std::u16string(result.bstrVal), u"nt.test");
    VariantClear(&result);
    struct Case {
        oxcOstrelCounter counter;
        LONG expected;
    };
    for (const Case c :
         {Case{oxcUser, 10}, Case{oxcDC, 1}, Case{oxcEnabledUser, 8}, Case{oxcMSA, -1}, Case{oxcNetwork, -1}}) {
        SCOPED_TRACE(c.counter);
        [&] { // an ASSERT ends this row only
            ASSERT_EQ(call(info, u"GetInfo", DISPATCH_METHOD, {i4(c.counter)}, &result), S_OK);
            EXPECT_EQ(result.lVal, c.expected) << c.counter;
        }();
    }
    EXPECT_NE(call(infos, u"Item", DISPATCH_PROPERTYGET, {i4(2)}, &result), S_OK);

    // In process the collection is also its own enumerator of the items.
    CComQIPtr<IEnumVARIANT> items(infos);
    ASSERT_TRUE(items);
    VARIANT fetched[3];
    for (auto& v : fetched)
        VariantInit(&v);
    ULONG count = 0;
    EXPECT_EQ(items->Next(3, fetched, &count), S_FALSE);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(fetched[0].vt, VT_DISPATCH);
    EXPECT_EQ(fetched[1].pdispVal, info.p);
    for (auto& v : fetched)
        VariantClear(&v);
    unadvise(collector, first_cookie);
    unadvise(collector, second_cookie);
}

TEST_F(MtaCollectorModule, NoFailedEntryGivesANullSummary)
{
    CComPtr<IDispatch> collector = create_by_progid();
    recording_sink sink(1, m_log, m_mutex, m_done);
    const DWORD cookie = advise(collector, &sink);
    CComQIPtr<IOstrelCollector> direct(collector.p);
    VARIANT names = names_of({u"nt.test"});
    ASSERT_EQ(direct->Collect(&names, oxcNetwork), S_OK);
    ASSERT_EQ(WaitForSingleObject(m_done, 10000), 0u);
    direct->Cancel();
    VariantClear(&names);
    auto calls = log();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[1].error_is_null);

    // Two failed entries: two blocks, in entry order.
    ResetEvent(m_done);
    names = names_of({u"ad.test", u"nt.test", u"ad.test"});
    ASSERT_EQ(direct->Collect(&names, oxcNetwork), S_OK);
    ASSERT_EQ(WaitForSingleObject(m_done, 10000), 0u);
    direct->Cancel();
    VariantClear(&names);
    calls = log();
    ASSERT_EQ(calls.size(), 6u);
    const std::u16string block = u"Collection of domain \"ad.test\" failed due to the following reason: "
                                 u"error processing LDAP query 'x': failed\r\n\r\n";
    EXPECT_EQ(calls[5].error, block + block);
    unadvise(collector, cookie);
}

TEST_F(MtaCollectorModule, ResultObjectsAndErrorInfoSupport)
{
    CComPtr<IOstrelInfoCollection> collection;
    ASSERT_EQ(CoCreateInstance(CLSID_OstrelInfoCollection, nullptr, CLSCTX_INPROC_SERVER, IID_IOstrelInfoCollection,
                               reinterpret_cast<void**>(&collection.p)),
              S_OK);
    IOstrelInfo* item = nullptr;
    struct Case {
        LONG index;
        HRESULT expected;
    };
    for (const Case c : {Case{0, E_INVALIDARG}, Case{-1, E_INVALIDARG}}) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(collection->get_Item(c.index, &item), c.expected);
    }
    EXPECT_EQ(collection->get_Item(0, nullptr), E_POINTER);
    CComQIPtr<IEnumVARIANT> items(collection.p);
    EXPECT_TRUE(items);

    CComPtr<IOstrelInfo> info;
    ASSERT_EQ(CoCreateInstance(CLSID_OstrelInfo, nullptr, CLSCTX_INPROC_SERVER, IID_IOstrelInfo,
                               reinterpret_cast<void**>(&info.p)),
              S_OK);
    BSTR text = nullptr;
    ASSERT_EQ(info->get_DomainName(&text), S_OK);
    ASSERT_NE(text, nullptr); // nothing stored: an empty string, not a null one
    EXPECT_EQ(SysStringLen(text), 0u);
    SysFreeString(text);
    EXPECT_EQ(info->get_ErrorString(nullptr), E_POINTER);
    EXPECT_EQ(info->GetInfo(oxcUser, nullptr), E_POINTER);

    struct Support {
        const char* name;
        IUnknown* object;
        IID yes;
    };
    CComPtr<IDispatch> collector = create_by_progid();
    for (const Support s :
         {Support{"collector", collector, IID_IOstrelCollector}, Support{"info", info, IID_IOstrelInfo},
          Support{"collection", collection, IID_IOstrelInfoCollection}}) {
        SCOPED_TRACE(s.name);
        [&] { // an ASSERT ends this row only
            CComQIPtr<ISupportErrorInfo> support(s.object);
            ASSERT_TRUE(support);
            EXPECT_EQ(support->InterfaceSupportsErrorInfo(s.yes), S_OK);
            EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
        }();
    }
}

TEST_F(MtaCollectorModule, WithoutBackEndCountsReadMinusOneAndTheDomainListIsEmpty)
{
    m_install(nullptr, nullptr);
    CComPtr<IDispatch> collector = create_by_progid();
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(call(collector, u"EnumerateNetwork", DISPATCH_METHOD, {}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_EMPTY);
    CComQIPtr<IOstrelCollector> direct(collector.p);
    EXPECT_EQ(direct->EnumerateNetwork(nullptr), E_POINTER);
    EXPECT_EQ(direct->Collect(nullptr, oxcNetwork), E_POINTER);
}

// A free-threaded sink calls Cancel, Collect and the last Release from inside an event, on
// the worker thread: no deadlock, no exception, and the worker ends on its own.
TEST_F(MtaCollectorModule, CallsFromInsideAnEventOnTheWorkerThread)
{
    IDispatch* collector = create_by_progid().Detach();
    CComQIPtr<IOstrelCollector> direct(collector);
    recording_sink sink(1, m_log, m_mutex, nullptr);
    advise(collector, &sink);
    HRESULT cancel_result = E_FAIL;
    HRESULT collect_result = S_OK;
    std::atomic<bool> released{false};
    sink.on_call = [&](DISPID id) {
        if (id != DISPID_DomainCollected || released)
            return;
        VARIANT again = names_of({u"x"});
        collect_result = direct->Collect(&again, oxcUser);
        VariantClear(&again);
        cancel_result = direct->Cancel();
        direct.Release();
        collector->Release(); // the last client reference
        released = true;
    };
    VARIANT names = names_of({u"nt.test", u"ad.test"});
    ASSERT_EQ(direct->Collect(&names, oxcUser), S_OK);
    VariantClear(&names);
    for (int i = 0; i < 200 && entry("DllCanUnloadNow")() != S_OK; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(released);
    EXPECT_EQ(entry("DllCanUnloadNow")(), S_OK); // every object is gone
    EXPECT_EQ(cancel_result, S_OK);
    EXPECT_EQ(collect_result, static_cast<HRESULT>(0x8000000Eu));
    // Nothing is raised after the last release, not even the run's CollectionCompleted.
    const auto calls = log();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].id, DISPID_DomainCollected);
}

// Standalone and aggregated (the outer object then holds the client's reference).
class CollectorLifetime : public MtaCollectorModule, public ::testing::WithParamInterface<bool> {
protected:
    // The client's one reference to a new collector.
    IUnknown* create_client_reference()
    {
        if (!GetParam())
            return create_by_progid().Detach();
        auto* outer = new aggregating_outer;
        EXPECT_EQ(CoCreateInstance(CLSID_OstrelCollector, outer, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                   reinterpret_cast<void**>(&outer->inner)),
                  S_OK);
        return outer;
    }
    void collect(IUnknown* object, std::initializer_list<const char16_t*> list)
    {
        CComQIPtr<IOstrelCollector> direct(object);
        ASSERT_TRUE(direct);
        VARIANT names = names_of(list);
        EXPECT_EQ(direct->Collect(&names, oxcUser), S_OK);
        VariantClear(&names);
    }
};

INSTANTIATE_TEST_SUITE_P(StandaloneAndAggregated, CollectorLifetime, ::testing::Bool());

// A client thread lets go of its last reference while the worker is inside an event: the
// release cancels the run and returns only once the worker has ended, its final
// CollectionCompleted delivered; nothing comes afterwards.
TEST_P(CollectorLifetime, LastReleaseDuringAnEventWaitsForTheWorker)
{
    IUnknown* client = create_client_reference();
    ASSERT_NE(client, nullptr);
    recording_sink sink(1, m_log, m_mutex, nullptr);
    advise(client, &sink);
    HANDLE in_event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE releasing = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> sink_returned{false};
    sink.on_call = [&](DISPID id) {
        if (id != DISPID_DomainCollected || sink_returned)
            return;
        SetEvent(in_event);
        // Held until the client is inside Release, then a little longer.
        WaitForSingleObject(releasing, 10000);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        sink_returned = true;
    };
    collect(client, {u"nt.test", u"ad.test", u"nt.test"});
    ASSERT_EQ(WaitForSingleObject(in_event, 10000), 0u);
    SetEvent(releasing);
    client->Release(); // the last reference, from this thread
    EXPECT_TRUE(sink_returned);
    EXPECT_TRUE(no_object_left()); // gone by the time Release returned
    const auto calls = log();
    ASSERT_EQ(calls.size(), 2u); // the cancel took effect after the entry being reported
    EXPECT_EQ(calls[0].id, DISPID_DomainCollected);
    EXPECT_EQ(calls[1].id, DISPID_CollectionCompleted);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(log().size(), 2u);
    CloseHandle(in_event);
    CloseHandle(releasing);
}

// A free-threaded sink drops the last reference from inside an event, on the worker thread,
// with a second sink connected: the event reaches no further sink, no event follows, and the
// object is gone once the worker is done with it.
TEST_P(CollectorLifetime, LastReleaseOnTheWorkerThreadRaisesNothingAfterwards)
{
    IUnknown* client = create_client_reference();
    ASSERT_NE(client, nullptr);
    recording_sink first(1, m_log, m_mutex, nullptr);
    recording_sink second(2, m_log, m_mutex, nullptr);
    advise(client, &first);
    advise(client, &second);
    std::atomic<bool> released{false};
    // collect() holds a reference of its own while Collect runs; the sink lets go of the last
    // one only after that, or its release would not be the last (and the run would go on).
    HANDLE collect_returned = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    first.on_call = [&](DISPID) {
        WaitForSingleObject(collect_returned, 10000);
        if (!released.exchange(true))
            client->Release();
    };
    collect(client, {u"nt.test", u"ad.test"});
    SetEvent(collect_returned);
    for (int i = 0; i < 500 && !no_object_left(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(no_object_left());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto calls = log();
    CloseHandle(collect_returned);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].id, DISPID_DomainCollected);
    EXPECT_EQ(calls[0].sink_tag, 1);
}

// Many clients in a row, each on a thread of its own, release the collector the moment
// CollectionCompleted has reached them (the worker still inside the event) and end their
// thread at once: each release waits for its worker, so nothing outlives the object.
TEST_F(MtaCollectorModule, ReleaseRightAfterCompletionAndExitManyTimes)
{
    constexpr int kCycles = 200;
    int gone_at_release = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        bool gone = false;
        std::thread client([&] {
            ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
            {
                HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
                recording_sink sink(1, m_log, m_mutex, done);
                CComPtr<IDispatch> collector = create_by_progid();
                advise(collector, &sink);
                CComQIPtr<IOstrelCollector> direct(collector.p);
                VARIANT names = names_of({u"nt.test"});
                EXPECT_EQ(direct->Collect(&names, oxcUser), S_OK);
                VariantClear(&names);
                EXPECT_EQ(WaitForSingleObject(done, 10000), 0u);
                direct.Release();
                collector.Release();
                gone = no_object_left();
                CloseHandle(done);
            }
            CoUninitialize();
        });
        client.join();
        gone_at_release += gone ? 1 : 0;
    }
    EXPECT_EQ(gone_at_release, kCycles);
    EXPECT_EQ(log().size(), 2u * kCycles);
}

// An apartment client receives every event on its own thread, also while it waits in Cancel.
TEST_F(CollectorModule, ApartmentClientReceivesEventsOnItsOwnThread)
{
    DWORD sta_thread = 0;
    std::vector<sink_call> calls;
    bool completed_inside_cancel = false;
    std::thread client([&] {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        sta_thread = GetCurrentThreadId();
        {
            CComPtr<IDispatch> collector = create_by_progid();
            CComQIPtr<IOstrelCollector> direct(collector.p);
            recording_sink sink(1, m_log, m_mutex, m_done);
            const DWORD cookie = advise(collector, &sink);

            // A whole run, served while waiting for its completion.
            VARIANT names = names_of({u"nt.test", u"ad.test"});
            ASSERT_EQ(direct->Collect(&names, oxcUser), S_OK);
            DWORD index = 0;
            HANDLE handles[] = {m_done};
            ASSERT_EQ(CoWaitForMultipleHandles(0, 10000, 1, handles, &index), S_OK);

            // A run cancelled at once: CollectionCompleted comes while Cancel waits.
            bool in_cancel = false;
            sink.on_call = [&](DISPID id) {
                if (id == DISPID_CollectionCompleted)
                    completed_inside_cancel = in_cancel;
            };
            m_backend.on_collect = [](const std::string&) {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
            };
            ASSERT_EQ(direct->Collect(&names, oxcUser), S_OK);
            in_cancel = true;
            EXPECT_EQ(direct->Cancel(), S_OK);
            in_cancel = false;
            VariantClear(&names);
            unadvise(collector, cookie);
        }
        CoUninitialize();
    });
    client.join();
    calls = log();
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls[0].id, DISPID_DomainCollected);
    EXPECT_EQ(calls[2].id, DISPID_CollectionCompleted);
    for (const auto& c : calls)
        EXPECT_EQ(c.thread, sta_thread);
    EXPECT_EQ(calls.back().id, DISPID_CollectionCompleted);
    EXPECT_TRUE(completed_inside_cancel);
}

} // namespace

// A Back click handled inside a DomainCollected handler of an apartment client: the worker is
// blocked on that handler, so Cancel sets the flag and returns at once instead of waiting for
// the worker. The click runs in the handler itself, or in a nested message pump of the
// handler (a progress display that lets pending messages run). The run then stops and its
// completion still arrives.
class CancelInsideEvent : public CollectorModule, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(DirectAndFromANestedPump, CancelInsideEvent, ::testing::Bool());

TEST_P(CancelInsideEvent, ReturnsAtOnceAndTheCompletionStillArrives)
{
    const bool nested = GetParam();
    std::atomic<bool> finished{false};
    HRESULT cancel_result = E_FAIL;
    HRESULT collect_result = S_OK;
    bool completed = false;
    std::thread client([&] {
        struct on_return {
            std::atomic<bool>& flag;
            ~on_return() { flag = true; }
        } mark_finished{finished};
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
        {
            // The sink outlives the collector, whose last release waits for the worker.
            recording_sink sink(1, m_log, m_mutex, m_done);
            CComPtr<IDispatch> collector = create_by_progid();
            CComQIPtr<IOstrelCollector> direct(collector.p);
            const DWORD cookie = advise(collector, &sink);
            auto back_click = [&] {
                cancel_result = direct->Cancel();
                VARIANT again = names_of({u"ad.test"});
                collect_result = direct->Collect(&again, oxcUser);
                VariantClear(&again);
            };
            sink.on_call = [&](DISPID id) {
                if (id != DISPID_DomainCollected || cancel_result == S_OK)
                    return;
                if (!nested) {
                    back_click();
                    return;
                }
                // The click waits in the apartment's queue and runs in the handler's pump.
                ASSERT_TRUE(com::current_sta()->post(back_click));
                com::serve_sta_queue();
            };

            VARIANT names = names_of({u"ad.test", u"nt.test", u"ad.test"});
            ASSERT_EQ(direct->Collect(&names, oxcUser), S_OK);
            DWORD index = 0;
            HANDLE handles[] = {m_done};
            completed = CoWaitForMultipleHandles(0, 10000, 1, handles, &index) == S_OK;
            VariantClear(&names);
            unadvise(collector, cookie);
        }
        CoUninitialize();
    });
    // A deadlock never returns: end the test process with a clear failure rather than hang.
    for (int i = 0; i < 1000 && !finished; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!finished) {
        ADD_FAILURE() << "Cancel inside a DomainCollected handler did not return";
        std::fflush(stdout);
        std::_Exit(1);
    }
    client.join();
    EXPECT_EQ(cancel_result, S_OK);
    EXPECT_EQ(collect_result, static_cast<HRESULT>(0x8000000Eu)); // it would wait on itself
    EXPECT_TRUE(completed);
    const auto calls = log();
    ASSERT_EQ(calls.size(), 2u); // the entry that was being reported, then the completion
    EXPECT_EQ(calls[0].id, DISPID_DomainCollected);
    EXPECT_EQ(calls[1].id, DISPID_CollectionCompleted);
}
