// A tiny in-process server: one aggregatable class with a dual interface described by a
// type-library description, one outgoing dispatch interface, its registry script and the
// four exported entry points.

#include "tests/platform/com/test_counter.h"

#include "platform/com/atl/com_object.h"
#include "platform/com/atl/connection_point.h"
#include "platform/com/atl/dispatch_impl.h"
#include "platform/com/atl/module.h"

namespace {

CComModule _Module;

template <class T>
class CProxy_ITestCounterEvents : public IConnectionPointImpl<T, &DIID__ITestCounterEvents> {
public:
    HRESULT Fire_Changed(LONG value)
    {
        T* self = static_cast<T*>(this);
        int count = this->m_vec.GetSize();
        for (int i = 0; i < count; ++i) {
            self->Lock();
            CComPtr<IUnknown> sink = this->m_vec.GetAt(i);
            self->Unlock();
            CComQIPtr<IDispatch> disp(sink.p);
            if (!disp)
                continue;
            CComVariant arg(static_cast<int>(value));
            DISPPARAMS params{&arg, nullptr, 1, 0};
            disp->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        }
        return S_OK;
    }
};

class CTestCounter : public CComObjectRootEx<CComMultiThreadModel>,
                     public CComCoClass<CTestCounter, &CLSID_TestCounter>,
                     public IConnectionPointContainerImpl<CTestCounter>,
                     public IDispatchImpl<ITestCounter, &IID_ITestCounter, &LIBID_TestCounterLib>,
                     public CProxy_ITestCounterEvents<CTestCounter> {
public:
    DECLARE_REGISTRY_RESOURCEID(101)

    BEGIN_COM_MAP(CTestCounter)
    COM_INTERFACE_ENTRY(ITestCounter)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IConnectionPointContainer)
    END_COM_MAP()

    BEGIN_CONNECTION_POINT_MAP(CTestCounter)
    CONNECTION_POINT_ENTRY(DIID__ITestCounterEvents)
    END_CONNECTION_POINT_MAP()

    HRESULT Add(LONG amount, LONG* total) override
    {
        if (total == nullptr)
            return E_POINTER;
        m_total += amount;
        *total = m_total;
        return S_OK;
    }
    HRESULT get_Name(BSTR* pVal) override
    {
        if (pVal == nullptr)
            return E_POINTER;
        return m_name.CopyTo(pVal);
    }
    HRESULT put_Name(BSTR value) override
    {
        m_name = value;
        return S_OK;
    }
    HRESULT Echo(VARIANT* value, VARIANT* result) override
    {
        if (value == nullptr || result == nullptr)
            return E_POINTER;
        return VariantCopyInd(result, value);
    }
    HRESULT Fail() override { return Error(u"the counter failed", IID_ITestCounter, E_ACCESSDENIED); }
    HRESULT Fire(LONG value) override { return Fire_Changed(value); }
    HRESULT Swap(BSTR* text, VARIANT_BOOL flag, VARIANT_BOOL* result) override
    {
        if (text == nullptr || result == nullptr)
            return E_POINTER;
        CComBSTR upper(*text);
        upper.Append(u"!");
        SysFreeString(*text);
        *text = upper.Detach();
        *result = flag == VARIANT_FALSE ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }

private:
    LONG m_total = 0;
    CComBSTR m_name;
};

const com::tlb::library_desc& test_library()
{
    using namespace com::tlb;
    static const library_desc library{
        LIBID_TestCounterLib,
        u"TESTCOUNTERLib",
        u"TestCounter 1.0 Type Library",
        1,
        0,
        {
            interface_desc{IID_ITestCounter,
                           u"ITestCounter",
                           u"ITestCounter Interface",
                           true,
                           {
                               method(1, u"Add", u"method Add", &ITestCounter::Add,
                                      {{u"amount"}, {u"total", PARAMFLAG_FOUT | PARAMFLAG_FRETVAL}}),
                               property_get(2, u"Name", u"property Name", &ITestCounter::get_Name),
                               property_put(2, u"Name", u"property Name", &ITestCounter::put_Name, {{u"value"}}),
                               method(3, u"Echo", u"method Echo", &ITestCounter::Echo,
                                      {{u"value"}, {u"result", PARAMFLAG_FOUT | PARAMFLAG_FRETVAL}}),
                               method(4, u"Fail", u"method Fail", &ITestCounter::Fail),
                               method(5, u"Fire", u"method Fire", &ITestCounter::Fire, {{u"value"}}),
                               method(6, u"Swap", u"method Swap", &ITestCounter::Swap,
                                      {{u"text", PARAMFLAG_FIN | PARAMFLAG_FOUT},
                                       {u"flag", PARAMFLAG_FIN, VT_BOOL},
                                       {u"result", PARAMFLAG_FOUT | PARAMFLAG_FRETVAL, VT_BOOL}}),
                           }},
            interface_desc{DIID__ITestCounterEvents,
                           u"_ITestCounterEvents",
                           u"_ITestCounterEvents Interface",
                           false,
                           {event_method(1, u"Changed", u"method Changed", {{u"value", PARAMFLAG_FIN, VT_I4}})}},
        },
        {},
        {coclass_desc{CLSID_TestCounter,
                      u"TestCounter",
                      u"TestCounter Class",
                      {{IID_ITestCounter, IMPLTYPEFLAG_FDEFAULT},
                       {DIID__ITestCounterEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}}}},
    };
    return library;
}

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_TestCounter, CTestCounter)
END_OBJECT_MAP()

const char16_t* const counter_script = uR"(HKCR
{
    TestCom.Counter.1 = s 'TestCounter Class'
    {
        CLSID = s '{5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0001}'
    }
    TestCom.Counter = s 'TestCounter Class'
    {
        CLSID = s '{5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0001}'
        CurVer = s 'TestCom.Counter.1'
    }
    NoRemove CLSID
    {
        ForceRemove {5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0001} = s 'TestCounter Class'
        {
            ProgID = s 'TestCom.Counter.1'
            VersionIndependentProgID = s 'TestCom.Counter'
            ForceRemove 'Programmable'
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Free'
            }
            'TypeLib' = s '{5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0002}'
        }
    }
})";

// Stands in for the process attach and detach of a Windows module. A static object after
// _Module in this file, so that it runs once _Module is constructed.
struct module_lifetime {
    module_lifetime()
    {
        _Module.Init(ObjectMap, win32::current_module(), &LIBID_TestCounterLib);
        _Module.set_registry_script(101, counter_script);
        _Module.set_type_library(&test_library());
    }
    ~module_lifetime() { _Module.Term(); }
} lifetime;

} // namespace

extern "C" [[gnu::visibility("default")]] HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv)
{
    return _Module.DllGetClassObject(clsid, riid, ppv);
}
extern "C" [[gnu::visibility("default")]] HRESULT DllCanUnloadNow() { return _Module.DllCanUnloadNow(); }
extern "C" [[gnu::visibility("default")]] HRESULT DllRegisterServer() { return _Module.DllRegisterServer(TRUE); }
extern "C" [[gnu::visibility("default")]] HRESULT DllUnregisterServer() { return _Module.DllUnregisterServer(TRUE); }
