// A client that knows the wizard controls only by their DISPIDs: it drives a navigator and its
// pages through IDispatch, receives the page changes through the event interface, and gets the
// dispatch errors of a wrong member, argument count or value.

#include "controls/wizard/ky_wizard_navigator.h"
#include "platform/com/atl/com_ptr.h"
#include "platform/com/bstr.h"
#include "platform/com/connection_points.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/object_dispatch.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/controls/typelib/three_page_wizard.h"

#include <atomic>
#include <string>
#include <vector>

namespace {

constexpr DISPID kWizardPages = 0x68030056;
constexpr DISPID kCurrentPage = 0x6803003E;
constexpr DISPID kGoToNewPage = 0x60030068;
constexpr DISPID kRightMiddleButtonEnabled = 0x6803004E;
constexpr DISPID kStartPage = 0x6803003D;
constexpr DISPID kImageBanner = 0x6803003C;
constexpr DISPID kGoToNewPageEx = 0x60030085;
constexpr DISPID kSetFocusOnButton = 0x600300A8;
constexpr DISPID kPageName = 0x6803000F;
constexpr DISPID kPageBannerTitle = 0x68030014;
constexpr DISPID kTabBannerTitle = 0x6803007B;
constexpr DISPID kGetButton = 0x6003008C;
constexpr DISPID kLeftButton = 0x68030067;
constexpr GUID kNavigatorEvents = com::make_guid("A63F1204-DF9D-4F58-8C9D-2B497B6C102C");
constexpr GUID kNavigatorInterface = com::make_guid("0679F701-5F06-4ACA-A8CD-19029CCBE5F3");

// Invoke with the arguments in parameter order (DISPPARAMS takes them reversed).
HRESULT invoke(IDispatch* target, DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result = nullptr,
               UINT* arg_error = nullptr)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID named = DISPID_PROPERTYPUT;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), put ? &named : nullptr,
                      static_cast<UINT>(reversed.size()), put ? 1u : 0u};
    return target->Invoke(id, IID_NULL, 0, flags, &params, result, nullptr, arg_error);
}

VARIANT i4(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

std::u16string number(LONG n)
{
    const std::string text = std::to_string(n);
    return std::u16string(text.begin(), text.end());
}

std::u16string page_name(IDispatch* page)
{
    CComVariant name;
    if (page == nullptr || FAILED(invoke(page, kPageName, DISPATCH_PROPERTYGET, {}, &name)) || name.vt != VT_BSTR)
        return u"none";
    return std::u16string(com::bstr_view(name.bstrVal));
}

// The host's event sink: it records the page changes by their DISPIDs and may cancel one.
class RecordingSink final : public IDispatch {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kNavigatorEvents) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; } // lives on the test's stack
    HRESULT GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id != 1 && id != 2)
            return S_OK; // the page changes only: focus events come and go with the window manager
        std::u16string line = number(id);
        if (id == 1 && params->cArgs == 4) { // BeforePageChange(direction, NewPage by ref, CurrentPage, Cancel by ref)
            const VARIANT* a = params->rgvarg;
            line += u" " + number(a[3].lVal) + u" " + page_name(*a[2].ppdispVal) + u" " + page_name(a[1].pdispVal) +
                    u" " + (a[0].vt == (VT_BOOL | VT_BYREF) ? u"ref" : u"?");
            if (cancel_next) {
                *a[0].pboolVal = VARIANT_TRUE;
                cancel_next = false;
            }
        } else if (id == 2 && params->cArgs == 3) { // AfterPageChange(direction, CurrentPage, OldPage)
            const VARIANT* a = params->rgvarg;
            line += u" " + number(a[2].lVal) + u" " + page_name(a[1].pdispVal) + u" " + page_name(a[0].pdispVal);
        }
        log.push_back(line);
        return S_OK;
    }

    std::atomic<ULONG> refs{1};
    std::vector<std::u16string> log;
    bool cancel_next = false;
};

class DispatchClientTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        host().form().load(forms::FormFile::parse(three_page_wizard()));
        auto* navigator = qobject_cast<KyWizardNavigator*>(
            host().form().site(QStringLiteral("kwnNavigator"))->control());
        ASSERT_NE(navigator, nullptr);
        ASSERT_EQ(forms::dispatch_of(QVariant::fromValue<QObject*>(navigator), &nav_), S_OK);
        host().show();
    }
    void TearDown() override
    {
        nav_.Release();
        KyComCtlTest::TearDown();
    }

    // CPages.Item(n), asked for by the registry's default member.
    CComPtr<IDispatch> page(LONG n)
    {
        CComVariant pages, item;
        EXPECT_EQ(invoke(nav_, kWizardPages, DISPATCH_PROPERTYGET, {}, &pages), S_OK);
        EXPECT_EQ(pages.vt, VT_DISPATCH);
        VARIANT index = i4(n);
        VARIANT by_ref;
        VariantInit(&by_ref);
        by_ref.vt = VT_VARIANT | VT_BYREF;
        by_ref.pvarVal = &index;
        EXPECT_EQ(invoke(pages.pdispVal, DISPID_VALUE, DISPATCH_PROPERTYGET, {by_ref}, &item), S_OK);
        return CComPtr<IDispatch>(item.vt == VT_DISPATCH ? item.pdispVal : nullptr);
    }
    HRESULT go_to(IDispatch* target)
    {
        IDispatch* held = target;
        VARIANT by_ref;
        VariantInit(&by_ref);
        by_ref.vt = VT_DISPATCH | VT_BYREF;
        by_ref.ppdispVal = &held;
        return invoke(nav_, kGoToNewPage, DISPATCH_METHOD, {by_ref});
    }
    std::u16string current()
    {
        CComVariant page;
        EXPECT_EQ(invoke(nav_, kCurrentPage, DISPATCH_PROPERTYGET, {}, &page), S_OK);
        return page.vt == VT_DISPATCH ? page_name(page.pdispVal) : u"none";
    }

    CComPtr<IDispatch> nav_;
};

TEST_F(DispatchClientTest, AWalkOfThreePagesByDispidReportsThroughTheEventInterface)
{
    CComQIPtr<IConnectionPointContainer> container(nav_.p);
    ASSERT_TRUE(container);
    CComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(kNavigatorEvents, &point), S_OK);
    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);

    EXPECT_EQ(current(), u"wtPage1");
    EXPECT_EQ(page_name(page(2)), u"wtPage2") << "Item counts from 1 in page order";

    struct Step {
        LONG to;
        bool cancel;
        std::vector<std::u16string> events;
        const char16_t* shown;
    };
    const Step walk[] = {
        {2, false, {u"1 0 wtPage2 wtPage1 ref", u"2 0 wtPage2 wtPage1"}, u"wtPage2"},
        {3, false, {u"1 0 wtPage3 wtPage2 ref", u"2 0 wtPage3 wtPage2"}, u"wtPage3"},
        {1, true, {u"1 1 wtPage1 wtPage3 ref"}, u"wtPage3"}, // the sink sets Cancel
        {1, false, {u"1 1 wtPage1 wtPage3 ref", u"2 1 wtPage1 wtPage3"}, u"wtPage1"},
        {1, false, {}, u"wtPage1"}, // the current page: nothing happens
    };
    for (const Step& step : walk) {
        SCOPED_TRACE(step.to);
        sink.log.clear();
        sink.cancel_next = step.cancel;
        ASSERT_EQ(go_to(page(step.to)), S_OK);
        EXPECT_EQ(sink.log, step.events);
        EXPECT_EQ(current(), step.shown);
    }

    // A page's texts by DISPID: the proxy's Let reaches the page control's own member.
    CComPtr<IDispatch> second = page(2);
    CComVariant title(u"Second");
    ASSERT_EQ(invoke(second, kPageBannerTitle, DISPATCH_PROPERTYPUT, {title}), S_OK);
    auto* tab = host().form().site(QStringLiteral("wtPage2"))->control();
    CComPtr<IDispatch> tab_dispatch;
    ASSERT_EQ(forms::dispatch_of(QVariant::fromValue<QObject*>(tab), &tab_dispatch), S_OK);
    CComVariant read;
    ASSERT_EQ(invoke(tab_dispatch, kTabBannerTitle, DISPATCH_PROPERTYGET, {}, &read), S_OK);
    ASSERT_EQ(read.vt, VT_BSTR);
    EXPECT_EQ(com::bstr_view(read.bstrVal), u"Second");

    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    sink.log.clear();
    ASSERT_EQ(go_to(page(2)), S_OK);
    EXPECT_TRUE(sink.log.empty()) << "no event after Unadvise";
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
}

TEST_F(DispatchClientTest, TheConnectionPointIsPartOfTheObjectAndListsItsSinks)
{
    CComQIPtr<IConnectionPointContainer> container(nav_.p);
    ASSERT_TRUE(container);
    CComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(&points), S_OK);
    CComPtr<IConnectionPoint> point;
    ULONG fetched = 0;
    ASSERT_EQ(points->Next(1, &point, &fetched), S_OK);
    IID outgoing{};
    ASSERT_EQ(point->GetConnectionInterface(&outgoing), S_OK);
    EXPECT_EQ(outgoing, kNavigatorEvents);
    CComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(point->GetConnectionPointContainer(&back), S_OK);
    EXPECT_TRUE(CComPtr<IUnknown>(back.p).IsEqualObject(nav_)) << "one identity with the dispatch";

    RecordingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(&sink, &cookie), S_OK);
    CComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(&connections), S_OK);
    CONNECTDATA data{};
    ASSERT_EQ(connections->Next(1, &data, &fetched), S_OK);
    EXPECT_EQ(data.dwCookie, cookie);
    data.pUnk->Release();
    EXPECT_EQ(point->Unadvise(cookie), S_OK);

    CComVariant pages;
    ASSERT_EQ(invoke(nav_, kWizardPages, DISPATCH_PROPERTYGET, {}, &pages), S_OK);
    EXPECT_FALSE(CComQIPtr<IConnectionPointContainer>(pages.pdispVal)) << "the page registry raises no events";
}

TEST_F(DispatchClientTest, WrongMembersCountsAndValuesGetTheDispatchErrors)
{
    CComVariant result;
    UINT arg_error = 99;
    CComVariant no_boolean(u"not a boolean");
    CComVariant not_a_number(u"abc");
    VARIANT missing; // an argument the caller left out
    VariantInit(&missing);
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    VARIANT no_page;
    VariantInit(&no_page);
    no_page.vt = VT_DISPATCH;
    no_page.pdispVal = nullptr;
    CComVariant picture;
    ASSERT_EQ(invoke(nav_, kImageBanner, DISPATCH_PROPERTYGET, {}, &picture), S_OK);
    const struct {
        const char* what;
        DISPID id;
        WORD flags;
        std::vector<VARIANT> args;
        HRESULT expected;
    } cases[] = {
        {"unknown DISPID", 0x12345, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND},
        {"a Get of a Let-only kind", kGoToNewPage, DISPATCH_PROPERTYPUT, {i4(1)}, DISP_E_MEMBERNOTFOUND},
        {"GoToNewPage without its page", kGoToNewPage, DISPATCH_METHOD, {}, DISP_E_BADPARAMCOUNT},
        {"a Get with an argument", kStartPage, DISPATCH_PROPERTYGET, {i4(1)}, DISP_E_BADPARAMCOUNT},
        {"text for a Boolean", kRightMiddleButtonEnabled, DISPATCH_PROPERTYPUT, {no_boolean}, DISP_E_TYPEMISMATCH},
        {"text for a number", kStartPage, DISPATCH_PROPERTYPUT, {not_a_number}, DISP_E_TYPEMISMATCH},
        {"a number for a page", kGoToNewPage, DISPATCH_METHOD, {i4(2)}, DISP_E_TYPEMISMATCH},
        {"GoToNewPage's page left out", kGoToNewPage, DISPATCH_METHOD, {missing}, DISP_E_PARAMNOTOPTIONAL},
        {"GoToNewPageEx's direction left out", kGoToNewPageEx, DISPATCH_METHOD, {no_page, missing},
         DISP_E_PARAMNOTOPTIONAL},
        {"SetFocusOnButton's button left out", kSetFocusOnButton, DISPATCH_METHOD, {missing},
         DISP_E_PARAMNOTOPTIONAL},
        {"a Let's value left out", kStartPage, DISPATCH_PROPERTYPUT, {missing}, DISP_E_PARAMNOTOPTIONAL},
        {"a Let of the Set-only ImageBanner", kImageBanner, DISPATCH_PROPERTYPUT, {picture}, DISP_E_MEMBERNOTFOUND},
        {"a Set of the Let-only StartPage", kStartPage, DISPATCH_PROPERTYPUTREF, {i4(1)}, DISP_E_MEMBERNOTFOUND},
    };
    for (const auto& c : cases) {
        arg_error = 99;
        EXPECT_EQ(invoke(nav_, c.id, c.flags, c.args, &result, &arg_error), c.expected) << c.what;
        if (c.expected == DISP_E_TYPEMISMATCH || c.expected == DISP_E_PARAMNOTOPTIONAL) {
            EXPECT_EQ(arg_error, 0u) << c.what;
        }
    }
    // A button record of a page does not travel in a VARIANT, either way.
    CComPtr<IDispatch> tab;
    ASSERT_EQ(forms::dispatch_of(QVariant::fromValue<QObject*>(host().form().site(QStringLiteral("wtPage1"))), &tab),
              S_OK);
    const struct {
        const char* what;
        DISPID id;
        WORD flags;
        std::vector<VARIANT> args;
    } records[] = {
        {"GetButton's record", kGetButton, DISPATCH_METHOD, {i4(2)}},
        {"a record property's Get", kLeftButton, DISPATCH_PROPERTYGET, {}},
        {"a number for a record", kLeftButton, DISPATCH_PROPERTYPUT, {i4(2)}},
    };
    for (const auto& r : records)
        EXPECT_EQ(invoke(tab, r.id, r.flags, r.args, &result), DISP_E_TYPEMISMATCH) << r.what;

    // A value that converts is taken.
    CComVariant yes(u"True");
    EXPECT_EQ(invoke(nav_, kRightMiddleButtonEnabled, DISPATCH_PROPERTYPUT, {yes}), S_OK);
    ASSERT_EQ(invoke(nav_, kRightMiddleButtonEnabled, DISPATCH_PROPERTYGET, {}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_BOOL);
    EXPECT_EQ(result.boolVal, VARIANT_TRUE);
}

TEST_F(DispatchClientTest, TypeInformationAndNamesComeFromTheLibrary)
{
    UINT count = 0;
    ASSERT_EQ(nav_->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    CComPtr<ITypeInfo> info;
    ASSERT_EQ(nav_->GetTypeInfo(0, 0, &info), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, kNavigatorInterface);
    info->ReleaseTypeAttr(attr);
    const char16_t* names[] = {u"gotonewpage"};
    DISPID id = 0;
    ASSERT_EQ(nav_->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR*>(names), 1, 0, &id), S_OK);
    EXPECT_EQ(id, kGoToNewPage);
}

} // namespace
