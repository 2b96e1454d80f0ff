// The built module as a COM client sees it next to the fixture DC, with its own default back
// end: the domain list comes from the network provider, and a name that answers no LDAP bind
// is counted over the management calls, whose lines reach the events.

#include "collector/ostrel_collector_lib.h"
#include "tests/collector/recording_sink.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/bstr.h"
#include "platform/com/connection_points.h"
#include "platform/com/runtime.h"
#include "platform/com/safearray.h"
#include "platform/com/threading.h"
#include "tests/support/dc_ticket.h"
#include "tests/support/server_env.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <mutex>
#include <vector>

namespace {

using collector_test::recording_sink;
using collector_test::sink_call;
using entry_fn = HRESULT (*)();

class NetapiModuleAddc : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        static std::string why;
        static const bool taken = ostrel::test::take_dc_ticket(why);
        ASSERT_TRUE(taken) << why;
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        m_initialized = true;
        m_handle = ::dlopen(OSTREL_COLLECTOR_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << ::dlerror();
        ASSERT_EQ(reinterpret_cast<entry_fn>(::dlsym(m_handle, "DllRegisterServer"))(), S_OK);
        CLSID clsid{};
        ASSERT_EQ(CLSIDFromProgID(u"OstrelCollector.OstrelCollector", &clsid), S_OK);
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOstrelCollector,
                                   reinterpret_cast<void**>(&m_collector.p)),
                  S_OK);
        m_done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    void TearDown() override
    {
        m_collector.Release();
        for (auto& call : m_log)
            if (call.infos != nullptr)
                call.infos->Release();
        if (m_done != nullptr)
            CloseHandle(m_done);
        if (m_handle != nullptr)
            ::dlclose(m_handle);
        if (m_initialized)
            CoUninitialize();
    }

    ostrel::test::temp_registry m_registry;
    bool m_initialized = false;
    void* m_handle = nullptr;
    CComPtr<IOstrelCollector> m_collector;
    HANDLE m_done = nullptr;
    std::mutex m_mutex;
    std::vector<sink_call> m_log;
};

TEST_F(NetapiModuleAddc, NetworkWithoutBrowseMasterListsTheConfiguredDomain)
{
    VARIANT domains;
    VariantInit(&domains);
    EXPECT_EQ(m_collector->EnumerateNetwork(&domains), S_OK);
    ASSERT_EQ(domains.vt, VT_ARRAY | VT_BSTR);
    LONG index = 0;
    BSTR first = nullptr;
    ASSERT_EQ(SafeArrayGetElement(domains.parray, &index, &first), S_OK);
    EXPECT_EQ(std::u16string(first), u"test.local");
    SysFreeString(first);
    VariantClear(&domains);
}

TEST_F(NetapiModuleAddc, NameWithoutLdapIsCountedOverTheManagementCalls)
{
    recording_sink sink(1, m_log, m_mutex, m_done);
    CComQIPtr<IConnectionPointContainer> container(m_collector.p);
    ASSERT_TRUE(container);
    CComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(DIID__IOstrelCollectorEvents, &point.p), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    VARIANT names;
    VariantInit(&names);
    names.vt = VT_ARRAY | VT_BSTR;
    names.parray = SafeArrayCreateVector(VT_BSTR, 0, 1);
    LONG index = 0;
    BSTR name = SysAllocString(u"nosuch.example.invalid");
    SafeArrayPutElement(names.parray, &index, name);
    SysFreeString(name);
    ASSERT_EQ(m_collector->Collect(&names, oxcUser), S_OK);
    VariantClear(&names);
    ASSERT_EQ(WaitForSingleObject(m_done, 60000), 0u);
    // The worker still releases the sink after its last event returns: join it before the
    // sink on this stack goes away.
    m_collector->Cancel();
    point->Unadvise(cookie);

    std::lock_guard lock(m_mutex);
    ASSERT_EQ(m_log.size(), 2u);
    EXPECT_EQ(m_log[0].id, DISPID_DomainCollected);
    // The failed bind is no error; the user collector's failed lookup is the only line.
    EXPECT_EQ(m_log[0].error, u"Error while enumerating users: Could not find domain controller for this domain.\r\n");
    EXPECT_EQ(m_log[1].id, DISPID_CollectionCompleted);
}

} // namespace
