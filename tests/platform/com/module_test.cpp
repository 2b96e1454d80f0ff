// CoCreateInstance through a temporary registry of the test module: registration, ProgIDs
// with CurVer, late binding by name, argument conversion and errors, type information.

#include "tests/platform/com/test_counter.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/com/error_info.h"
#include "platform/com/runtime.h"
#include "tests/platform/com/registry_probe.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>

#include <filesystem>

namespace {

using entry_fn = HRESULT (*)();

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        m_handle = ::dlopen(COM_TEST_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << ::dlerror();
        auto reg = reinterpret_cast<entry_fn>(::dlsym(m_handle, "DllRegisterServer"));
        ASSERT_NE(reg, nullptr);
        ASSERT_EQ(reg(), S_OK);
    }
    void TearDown() override
    {
        CoUninitialize();
        // The runtime keeps the module loaded; this handle is only ours.
        if (m_handle != nullptr)
            ::dlclose(m_handle);
    }
    HRESULT unregister() { return reinterpret_cast<entry_fn>(::dlsym(m_handle, "DllUnregisterServer"))(); }
    CComPtr<IDispatch> create()
    {
        CComPtr<IDispatch> object;
        EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&object)),
                  S_OK);
        return object;
    }
    static DISPID id_of(IDispatch* object, const OLECHAR* name)
    {
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << "name";
        return id;
    }

    ostrel::test::temp_registry m_registry;
    void* m_handle = nullptr;
};

TEST_F(ModuleTest, RegistrationWritesClassProgIdsAndTypeLibrary)
{
    const std::u16string clsid = u"CLSID\\{5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0001}";
    auto path = string_value(HKEY_CLASSES_ROOT, clsid + u"\\InprocServer32");
    ASSERT_TRUE(path);
    EXPECT_NE(path->find(u"com_test_module"), std::u16string::npos);
    EXPECT_EQ(path->front(), u'/');
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, clsid + u"\\InprocServer32", u"ThreadingModel"), u"Free");
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, u"TestCom.Counter\\CurVer"), u"TestCom.Counter.1");
    const std::u16string lib = u"TypeLib\\{5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0002}\\1.0";
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, lib), u"TestCounter 1.0 Type Library");
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, lib + u"\\0\\win32"), *path);
    EXPECT_EQ(string_value(HKEY_CLASSES_ROOT, u"Interface\\{5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0003}"), u"ITestCounter");

    ASSERT_EQ(unregister(), S_OK);
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, clsid));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, u"TestCom.Counter"));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, u"TestCom.Counter.1"));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, lib));
    EXPECT_FALSE(key_exists(HKEY_CLASSES_ROOT, u"Interface\\{5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C0003}"));
    EXPECT_TRUE(key_exists(HKEY_CLASSES_ROOT, u"CLSID"));
    CComPtr<IUnknown> none;
    EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&none)),
              REGDB_E_CLASSNOTREG);
}

TEST_F(ModuleTest, ProgIdLookupFollowsCurVer)
{
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"TestCom.Counter", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestCounter);
    clsid = CLSID_NULL;
    EXPECT_EQ(CLSIDFromProgID(u"testcom.counter.1", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestCounter);
    EXPECT_EQ(CLSIDFromProgID(u"TestCom.Nothing", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromString(u"TestCom.Counter", &clsid), S_OK);
    LPOLESTR progid = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(CLSID_TestCounter, &progid), S_OK);
    EXPECT_EQ(std::u16string_view(progid), u"TestCom.Counter.1");
    CoTaskMemFree(progid);
}

TEST_F(ModuleTest, LateBoundCallsByNameWithoutRegardToCase)
{
    CComPtr<IDispatch> object = create();
    ASSERT_TRUE(object);
    EXPECT_EQ(id_of(object, u"aDD"), 1);
    EXPECT_EQ(id_of(object, u"name"), 2);
    DISPID ids[2] = {};
    LPOLESTR names[] = {const_cast<LPOLESTR>(u"ADD"), const_cast<LPOLESTR>(u"Nope")};
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 2, 0, ids), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(ids[0], 1);
    EXPECT_EQ(ids[1], DISPID_UNKNOWN);

    // A string argument is converted to the method's LONG parameter.
    CComVariant amount(u"40");
    DISPPARAMS params{&amount, nullptr, 1, 0};
    CComVariant result;
    ASSERT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 40);

    // Property put with its named argument, then get (method|get as the languages send it).
    CComVariant name(u"counter");
    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS put{&name, &put_id, 1, 1};
    ASSERT_EQ(object->Invoke(2, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr), S_OK);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    CComVariant got;
    ASSERT_EQ(object->Invoke(2, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &got, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(got.vt, VT_BSTR);
    EXPECT_EQ(com::bstr_view(got.bstrVal), u"counter");
}

TEST_F(ModuleTest, ByReferenceArgumentsAreWrittenBackInReverseOrder)
{
    CComPtr<IDispatch> object = create();
    BSTR text = SysAllocString(u"hey");
    VARIANT args[2];
    // rgvarg[0] is the last parameter (flag), rgvarg[1] the first (text by reference).
    VariantInit(&args[0]);
    args[0].vt = VT_BOOL;
    args[0].boolVal = VARIANT_FALSE;
    VariantInit(&args[1]);
    args[1].vt = VT_BSTR | VT_BYREF;
    args[1].pbstrVal = &text;
    DISPPARAMS params{args, nullptr, 2, 0};
    CComVariant result;
    ASSERT_EQ(object->Invoke(6, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(com::bstr_view(text), u"hey!");
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);
    SysFreeString(text);

    // A variant by reference reaches a VARIANT* parameter as the referenced variant.
    CComVariant inner(7);
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_VARIANT | VT_BYREF;
    ref.pvarVal = &inner;
    DISPPARAMS echo{&ref, nullptr, 1, 0};
    CComVariant echoed;
    ASSERT_EQ(object->Invoke(3, IID_NULL, 0, DISPATCH_METHOD, &echo, &echoed, nullptr, nullptr), S_OK);
    EXPECT_EQ(echoed.vt, VT_I4);
    EXPECT_EQ(echoed.lVal, 7);
}

TEST_F(ModuleTest, InvokeErrors)
{
    CComPtr<IDispatch> object = create();
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    CComVariant text(u"not a number");
    DISPPARAMS bad{&text, nullptr, 1, 0};
    UINT arg_error = 99;
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &bad, nullptr, nullptr, &arg_error), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(arg_error, 0u);
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), DISP_E_BADPARAMCOUNT);
    VARIANT missing; // an argument the caller left out
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    DISPPARAMS left_out{&missing, nullptr, 1, 0};
    arg_error = 99;
    EXPECT_EQ(object->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &left_out, nullptr, nullptr, &arg_error),
              DISP_E_PARAMNOTOPTIONAL);
    EXPECT_EQ(arg_error, 0u);
    EXPECT_EQ(object->Invoke(77, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(object->Invoke(4, IID_NULL, 0, DISPATCH_PROPERTYPUT, &none, nullptr, nullptr, nullptr),
              DISP_E_MEMBERNOTFOUND);
    DISPID named = 0;
    DISPPARAMS with_name{&text, &named, 1, 1};
    EXPECT_EQ(object->Invoke(5, IID_NULL, 0, DISPATCH_METHOD, &with_name, nullptr, nullptr, nullptr),
              DISP_E_NONAMEDARGS);

    // A failing method: its error information reaches the client as an exception.
    EXCEPINFO info{};
    EXPECT_EQ(object->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, &info, nullptr), DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, E_ACCESSDENIED);
    EXPECT_EQ(com::bstr_view(info.bstrDescription), u"the counter failed");
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrHelpFile);
    EXPECT_EQ(object->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), E_ACCESSDENIED);
    IErrorInfo* left = nullptr;
    ASSERT_EQ(GetErrorInfo(0, &left), S_OK);
    left->Release();
}

TEST_F(ModuleTest, TypeInfoDescribesTheInterface)
{
    CComPtr<IDispatch> object = create();
    UINT count = 0;
    ASSERT_EQ(object->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    CComPtr<ITypeInfo> info;
    ASSERT_EQ(object->GetTypeInfo(0, 0, &info), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, IID_ITestCounter);
    EXPECT_EQ(attr->cFuncs, 7);
    info->ReleaseTypeAttr(attr);
    BSTR names[3] = {};
    UINT got = 0;
    ASSERT_EQ(info->GetNames(1, names, 3, &got), S_OK);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(com::bstr_view(names[0]), u"Add");
    EXPECT_EQ(com::bstr_view(names[1]), u"amount");
    for (UINT i = 0; i < got; ++i)
        SysFreeString(names[i]);
    BSTR doc = nullptr;
    ASSERT_EQ(info->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr), S_OK);
    EXPECT_EQ(com::bstr_view(doc), u"ITestCounter Interface");
    SysFreeString(doc);
    FUNCDESC* func = nullptr;
    // A dual interface's member is called through its vtable slot, as its description says.
    ASSERT_EQ(info->GetFuncDesc(0, &func), S_OK);
    EXPECT_EQ(func->funckind, FUNC_PUREVIRTUAL);
    ASSERT_EQ(func->oVft, static_cast<SHORT>(7 * sizeof(void*)));
    CComQIPtr<ITestCounter> counter(object.p);
    ASSERT_TRUE(counter);
    using add_fn = HRESULT (*)(ITestCounter*, LONG, LONG*);
    const auto slots = *reinterpret_cast<void* const* const*>(counter.p);
    const auto add = reinterpret_cast<add_fn>(slots[func->oVft / static_cast<SHORT>(sizeof(void*))]);
    LONG total = 0;
    EXPECT_EQ(add(counter, 5, &total), S_OK);
    EXPECT_EQ(total, 5);
    info->ReleaseFuncDesc(func);
    ASSERT_EQ(info->GetFuncDesc(6, &func), S_OK);
    EXPECT_EQ(func->memid, 6);
    ASSERT_EQ(func->cParams, 3);
    EXPECT_EQ(func->lprgelemdescParam[0].vt, VT_BSTR | VT_BYREF);
    EXPECT_EQ(func->lprgelemdescParam[1].vt, VT_BOOL);
    EXPECT_EQ(func->lprgelemdescParam[2].vt, VT_BOOL | VT_BYREF);
    info->ReleaseFuncDesc(func);
}

void set_inproc_server(const std::u16string& clsid, const std::string& path)
{
    const std::u16string key_path = u"CLSID\\" + clsid + u"\\InprocServer32";
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExW(HKEY_CLASSES_ROOT, key_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    std::u16string value(path.begin(), path.end());
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * 2));
    RegCloseKey(key);
}

TEST_F(ModuleTest, LoadFailuresHaveTheirOwnCodes)
{
    constexpr CLSID missing_file = com::make_guid("5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C00F1");
    constexpr CLSID no_entry = com::make_guid("5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C00F2");
    set_inproc_server(com::guid_to_string(missing_file), "/nonexistent/module.so");
    // A module that exports no DllGetClassObject: the C library itself.
    set_inproc_server(com::guid_to_string(no_entry), "libc.so.6");
    CComPtr<IUnknown> object;
    EXPECT_EQ(
        CoCreateInstance(missing_file, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(
        CoCreateInstance(no_entry, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        CO_E_ERRORINDLL);
    // A module path that is a FIFO fails at once instead of waiting for a writer.
    constexpr CLSID fifo_file = com::make_guid("5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C00F4");
    char folder[] = "/tmp/com-fifo-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string fifo = std::string(folder) + "/module.so";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    set_inproc_server(com::guid_to_string(fifo_file), fifo);
    EXPECT_EQ(
        CoCreateInstance(fifo_file, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    constexpr CLSID unknown_class = com::make_guid("5A1C0E10-3F3B-4C55-9B1E-2D7E6A0C00F3");
    EXPECT_EQ(
        CoCreateInstance(unknown_class, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        REGDB_E_CLASSNOTREG);
    // A class the module does not serve although the registry names the module.
    set_inproc_server(com::guid_to_string(unknown_class), COM_TEST_MODULE);
    EXPECT_EQ(
        CoCreateInstance(unknown_class, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
        CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object.p, nullptr);
}

TEST_F(ModuleTest, LockCountGoesWithLiveObjects)
{
    auto can_unload = reinterpret_cast<entry_fn>(::dlsym(m_handle, "DllCanUnloadNow"));
    EXPECT_EQ(can_unload(), S_OK);
    {
        CComPtr<IDispatch> object = create();
        EXPECT_EQ(can_unload(), S_FALSE);
    }
    EXPECT_EQ(can_unload(), S_OK);
    CComPtr<IClassFactory> factory;
    ASSERT_EQ(CoGetClassObject(CLSID_TestCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    factory->LockServer(TRUE);
    EXPECT_EQ(can_unload(), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(can_unload(), S_OK);
}

} // namespace
