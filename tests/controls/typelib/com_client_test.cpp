// A COM client of the control library that knows it only by its registered type library: it
// creates what the library marks creatable by CoCreateInstance through the registry, compares
// identities, calls every member as the type information says it may be called, and walks the
// wizard's pages with their enumerator.

#include "platform/com/atl/com_ptr.h"
#include "platform/com/bstr.h"
#include "platform/com/connection_points.h"
#include "platform/com/enum_variant.h"
#include "platform/com/error_info.h"
#include "platform/com/runtime.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/object_dispatch.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/controls/typelib/three_page_wizard.h"

#include <string>
#include <vector>

extern "C" HRESULT DllCanUnloadNow();

namespace {

constexpr DISPID kWizardPages = 0x68030056;
constexpr DISPID kCurrentPage = 0x6803003E;
constexpr DISPID kPageName = 0x6803000F;

QString one_of_each_control()
{
    QString more;
    for (const char* control : {"KyProgressBar prbBar", "KyProgressInfo piInfo", "KyLabel lblLabel",
                                "KyUpDown udUpDown", "TlxInfoPanel ipPanel", "KyTreeBase tbTree"})
        more += QStringLiteral("Begin KyComCtl.%1\nEnd\n").arg(QString::fromLatin1(control));
    return three_page_wizard(more);
}

HRESULT get(IDispatch* target, DISPID id, VARIANT* result, std::vector<VARIANT> args = {})
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return target->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &params, result, nullptr, nullptr);
}

std::u16string name_of(IDispatch* page)
{
    CComVariant name;
    if (page == nullptr || FAILED(get(page, kPageName, &name)) || name.vt != VT_BSTR)
        return u"none";
    return std::u16string(com::bstr_view(name.bstrVal));
}

std::u16string error_description()
{
    CComPtr<IErrorInfo> info;
    CComBSTR text;
    if (GetErrorInfo(0, &info) != S_OK || FAILED(info->GetDescription(&text.m_str)))
        return {};
    return std::u16string(text.view());
}

// Every member as the object's type information allows it to be called: a dual interface
// through its vtable, a dispatch interface only through Invoke. Every Get without arguments
// answers its described type; a record or a forms collection does not travel in a VARIANT.
void call_as_described(IDispatch* object, const char* what)
{
    SCOPED_TRACE(what);
    CComPtr<ITypeInfo> type;
    ASSERT_EQ(object->GetTypeInfo(0, 0, &type), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(type->GetTypeAttr(&attr), S_OK);
    const WORD functions = attr->cFuncs;
    const IID iid = attr->guid;
    EXPECT_EQ(attr->wTypeFlags & TYPEFLAG_FDUAL, 0) << "a dual interface promises a vtable";
    type->ReleaseTypeAttr(attr);
    // A dispatch interface's identifier answers the object's IDispatch itself.
    CComPtr<IUnknown> by_iid;
    ASSERT_EQ(object->QueryInterface(iid, reinterpret_cast<void**>(&by_iid)), S_OK);
    EXPECT_EQ(static_cast<IUnknown*>(object), by_iid.p);
    for (UINT i = 0; i < functions; ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_EQ(type->GetFuncDesc(i, &f), S_OK);
        CComBSTR name;
        type->GetDocumentation(f->memid, &name.m_str, nullptr, nullptr, nullptr);
        SCOPED_TRACE(QString::fromStdU16String(std::u16string(name.view())).toStdString());
        EXPECT_EQ(f->funckind, FUNC_DISPATCH);
        if (f->invkind == INVOKE_PROPERTYGET && f->cParams == 1) {
            const VARTYPE described = static_cast<VARTYPE>(f->lprgelemdescParam[0].vt & ~VT_BYREF);
            CComVariant value;
            const HRESULT hr = get(object, f->memid, &value);
            if (described == VT_RECORD || name.view() == u"mcolOptions") {
                EXPECT_EQ(hr, DISP_E_TYPEMISMATCH);
            } else {
                EXPECT_EQ(hr, S_OK);
                const bool nothing = value.vt == VT_DISPATCH && value.pdispVal == nullptr;
                EXPECT_TRUE(value.vt == described || described == VT_VARIANT || nothing) << value.vt;
            }
        }
        type->ReleaseFuncDesc(f);
    }
}

class ComClientTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        initialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    void TearDown() override
    {
        KyComCtlTest::TearDown();
        if (initialized_)
            CoUninitialize();
    }

    CComPtr<IDispatch> create(const char16_t* prog_id)
    {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(prog_id, &clsid), S_OK);
        CComPtr<IDispatch> made;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&made.p)),
                  S_OK);
        return made;
    }
    CComPtr<IDispatch> control(const char* name)
    {
        CComPtr<IDispatch> dispatch;
        EXPECT_EQ(forms::dispatch_of(QVariant::fromValue<QObject*>(host().form().site(QString::fromLatin1(name))),
                                     &dispatch),
                  S_OK);
        return dispatch;
    }
    CComPtr<IDispatch> item(IDispatch* pages, LONG n)
    {
        CComVariant index(n), page;
        EXPECT_EQ(get(pages, DISPID_VALUE, &page, {index}), S_OK);
        return CComPtr<IDispatch>(page.vt == VT_DISPATCH ? page.pdispVal : nullptr);
    }

    bool initialized_ = false;
};

TEST_F(ComClientTest, EachCreatableClassIsCreatedThroughTheRegistryAndAControlIsRefusedSayingWhy)
{
    for (const char16_t* prog_id : {u"KyComCtl.CPages", u"KyComCtl.COption", u"KyComCtl.CTabManager"}) {
        SCOPED_TRACE(QString::fromStdU16String(prog_id).toStdString());
        [&] { // an ASSERT ends this row only
            CComPtr<IDispatch> made = create(prog_id);
            ASSERT_TRUE(made);
            CComPtr<IUnknown> first, second;
            ASSERT_EQ(made->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&first)), S_OK);
            ASSERT_EQ(made->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&second)), S_OK);
            EXPECT_EQ(first.p, second.p);
            call_as_described(made, "created");
        }();
    }
    // Two creations are two objects.
    EXPECT_FALSE(CComPtr<IUnknown>(create(u"KyComCtl.CPages").p).IsEqualObject(create(u"KyComCtl.CPages")));

    const struct {
        const char* clsid;
        const char16_t* says;
    } refused[] = {
        {"{FAA454D0-0406-4890-B357-826252DD696C}", u"KyWizardNavigator is a control class: a form places it"},
        {"{5B7C296E-1FE3-431C-99A6-B112A7B74939}", u"KyProgressBar is a control class: a form places it"},
        {"{C8DFC7E7-7767-4B8C-B468-1DD43A113D43}", u"CPage is not creatable"},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.clsid);
        [&] { // an ASSERT ends this row only
            CLSID clsid{};
            const std::string text(r.clsid);
            ASSERT_TRUE(com::parse_guid(std::u16string(text.begin(), text.end()), clsid));
            CComPtr<IDispatch> none;
            EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                       reinterpret_cast<void**>(&none.p)),
                      CLASS_E_CLASSNOTAVAILABLE);
            EXPECT_FALSE(none);
            EXPECT_NE(error_description().find(r.says), std::u16string::npos);
        }();
    }
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE) << "the module's classes stay declared for the process";
}

TEST_F(ComClientTest, EveryControlAndObjectHasOneIdentityAndAnswersAsItsTypeInformationSays)
{
    host().form().load(forms::FormFile::parse(one_of_each_control()));
    host().show();
    CComPtr<IDispatch> navigator = control("kwnNavigator");
    ASSERT_TRUE(navigator);
    EXPECT_TRUE(CComPtr<IUnknown>(navigator.p).IsEqualObject(control("kwnNavigator")))
        << "two dispatches of one control";
    CComQIPtr<IConnectionPointContainer> container(navigator.p);
    ASSERT_TRUE(container);
    EXPECT_TRUE(CComPtr<IUnknown>(container.p).IsEqualObject(navigator));

    CComVariant pages, current;
    ASSERT_EQ(get(navigator, kWizardPages, &pages), S_OK);
    ASSERT_EQ(pages.vt, VT_DISPATCH);
    CComVariant pages_again;
    ASSERT_EQ(get(navigator, kWizardPages, &pages_again), S_OK);
    EXPECT_TRUE(CComPtr<IUnknown>(pages.pdispVal).IsEqualObject(pages_again.pdispVal));
    ASSERT_EQ(get(navigator, kCurrentPage, &current), S_OK);
    ASSERT_EQ(current.vt, VT_DISPATCH);
    CComPtr<IDispatch> first = item(pages.pdispVal, 1);
    EXPECT_TRUE(CComPtr<IUnknown>(current.pdispVal).IsEqualObject(first)) << "CurrentPage Is Item(1)";

    for (const char* name : {"kwnNavigator", "wtPage1", "prbBar", "piInfo", "lblLabel", "udUpDown", "ipPanel", "tbTree"})
        call_as_described(control(name), name);
    call_as_described(pages.pdispVal, "WizardPages");
    call_as_described(first, "Item(1)");
}

TEST_F(ComClientTest, ForEachOverThePagesWalksTheEnumeratorInPageOrder)
{
    host().form().load(forms::FormFile::parse(one_of_each_control()));
    CComVariant pages;
    ASSERT_EQ(get(control("kwnNavigator"), kWizardPages, &pages), S_OK);
    ASSERT_EQ(pages.vt, VT_DISPATCH);
    CComVariant walker;
    ASSERT_EQ(get(pages.pdispVal, DISPID_NEWENUM, &walker), S_OK);
    ASSERT_EQ(walker.vt, VT_UNKNOWN);
    CComQIPtr<IEnumVARIANT> pages_enum(walker.punkVal);
    ASSERT_TRUE(pages_enum);
    std::vector<std::u16string> walked;
    for (LONG n = 1;; ++n) {
        CComVariant page;
        ULONG fetched = 0;
        if (pages_enum->Next(1, &page, &fetched) != S_OK)
            break;
        ASSERT_EQ(page.vt, VT_DISPATCH);
        walked.push_back(name_of(page.pdispVal));
        EXPECT_TRUE(CComPtr<IUnknown>(page.pdispVal).IsEqualObject(item(pages.pdispVal, n))) << n;
    }
    EXPECT_EQ(walked, (std::vector<std::u16string>{u"wtPage1", u"wtPage2", u"wtPage3"}));

    // A clone starts where its original stands; Reset starts over.
    ASSERT_EQ(pages_enum->Reset(), S_OK);
    ASSERT_EQ(pages_enum->Skip(2), S_OK);
    CComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(pages_enum->Clone(&clone), S_OK);
    CComVariant last;
    ULONG fetched = 0;
    ASSERT_EQ(clone->Next(1, &last, &fetched), S_OK);
    EXPECT_EQ(name_of(last.pdispVal), u"wtPage3");

    // A registry of the host's own holds no page.
    CComVariant empty_walker;
    ASSERT_EQ(get(create(u"KyComCtl.CPages"), DISPID_NEWENUM, &empty_walker), S_OK);
    CComQIPtr<IEnumVARIANT> nothing(empty_walker.punkVal);
    ASSERT_TRUE(nothing);
    CComVariant none;
    EXPECT_EQ(nothing->Next(1, &none, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
}

} // namespace
