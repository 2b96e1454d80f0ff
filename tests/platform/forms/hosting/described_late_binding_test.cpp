// Late binding by name on a control whose class a type library describes: the description is
// the table of its members (names, accessors, events), the same one dispatch answers by
// DISPID; the extender's members still come first.

#include "probe_control.h"

#include "platform/com/atl/com_ptr.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/dispatch_members.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/hosting/object_dispatch.h"
#include "tests/support/forms/test_host.h"

#include "tests/platform/forms/error_number.h"

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

// The probe under a class of its own, so that only this test's objects are described.
class DescribedProbe : public ProbeControl {
    Q_OBJECT
};

constexpr GUID kLibrary = com::make_guid("5E0C7B1A-2F44-4D0B-9A7E-3C1D2B6F8E01");
constexpr GUID kInterface = com::make_guid("5E0C7B1A-2F44-4D0B-9A7E-3C1D2B6F8E02");
constexpr GUID kEvents = com::make_guid("5E0C7B1A-2F44-4D0B-9A7E-3C1D2B6F8E03");
constexpr GUID kClass = com::make_guid("5E0C7B1A-2F44-4D0B-9A7E-3C1D2B6F8E04");

// Describes Caption (get, let), Max (get only, though the class could write it), Add and the
// event Ask; the class's Flag, Log, Fire and Changed, and QObject's own members, are no
// members of it.
const com::tlb::library_desc& probe_library()
{
    static const com::tlb::library_desc library = [] {
        using namespace forms::tlb;
        com::tlb::library_desc l{kLibrary, u"ProbeLib", u"", 1, 0, {}, {}, {}};
        l.interfaces.push_back({kInterface, u"_DescribedProbe", u"", true,
                                members({property(1, u"Caption", VT_BSTR, "gl"),
                                         property(2, u"Max", VT_I4, "g"),
                                         {method(3, u"Add", {in(u"a", VT_I4), in(u"b", VT_I4)}, VT_I4)}})});
        l.interfaces.push_back(
            {kEvents, u"__DescribedProbe", u"", false, {event(1, u"Ask", {in(u"what", VT_BSTR), ref(u"Cancel", VT_BOOL)})}});
        l.coclasses.push_back({kClass,
                               u"DescribedProbe",
                               u"",
                               {{kInterface, IMPLTYPEFLAG_FDEFAULT}, {kEvents, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE}},
                               TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL});
        register_dispatch_library(l);
        return l;
    }();
    return library;
}

std::unique_ptr<DescribedProbe> described_probe()
{
    probe_library();
    return std::make_unique<DescribedProbe>();
}

class DescribedLateBindingTest : public ::testing::Test {
protected:
    DescribedLateBindingTest()
        : host(true), site(host.add(described_probe(), QStringLiteral("probe")))
    {
    }
    TestHost host;
    ControlSite& site;
};

} // namespace

TEST_F(DescribedLateBindingTest, NamesResolveThroughTheDescriptionAfterTheExtender)
{
    let(&site, QStringLiteral("caption"), QStringLiteral("c1"));
    EXPECT_EQ(get(&site, QStringLiteral("CAPTION")).toString().toStdString(), "c1");
    EXPECT_EQ(get(&site, QStringLiteral("Max")).toInt(), 100);
    EXPECT_EQ(call(&site, QStringLiteral("add"), {2, 3}).toInt(), 5);
    EXPECT_EQ(get(&site, QStringLiteral("Name")).toString().toStdString(), "probe"); // the extender's
    let(&site, QStringLiteral("Tag"), QStringLiteral("t"));
    EXPECT_TRUE(has_member(&site, QStringLiteral("Caption")));
    EXPECT_TRUE(has_member(&site, QStringLiteral("Left")));

    const struct {
        const char* what;
        int32_t number;
        std::function<void()> f;
    } cases[] = {
        {"an undescribed property", 438, [&] { get(&site, QStringLiteral("Flag")); }},
        {"an undescribed Let", 438, [&] { let(&site, QStringLiteral("Flag"), true); }},
        {"an undescribed method", 438, [&] { call(&site, QStringLiteral("Fire"), {QStringLiteral("x")}); }},
        {"QObject's own property", 438, [&] { get(site.control(), QStringLiteral("objectName")); }},
        {"a Let of a member described as read-only", 383, [&] { let(&site, QStringLiteral("Max"), 5); }},
        {"a wrong argument count", 450, [&] { call(&site, QStringLiteral("Add"), {1, 2, 3}); }},
        {"a value that does not convert", 13, [&] { call(&site, QStringLiteral("Add"), {QStringLiteral("x"), 1}); }},
        {"an undescribed event", 438,
         [&] { connect_event(&site, QStringLiteral("Changed"), &host.form(), [](QVariantList&) {}); }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(error_of(c.f), c.number) << c.what;
    EXPECT_FALSE(has_member(&site, QStringLiteral("Flag")));
    EXPECT_FALSE(has_member(&site, QStringLiteral("Log")));
    EXPECT_EQ(site.control()->property("Max").toInt(), 100); // the refused Let wrote nothing
}

TEST_F(DescribedLateBindingTest, TheEventInterfaceNamesTheEventsAByNameHandlerGets)
{
    QStringList seen;
    connect_event(&site, QStringLiteral("ask"), &host.form(), [&](QVariantList& args) {
        seen.push_back(args.at(0).toString());
        args[1] = true;
    });
    EXPECT_TRUE(static_cast<DescribedProbe*>(site.control())->Fire(QStringLiteral("go")));
    EXPECT_EQ(seen.join(',').toStdString(), "go");
}

TEST_F(DescribedLateBindingTest, DispatchAndNamesAnswerFromTheOneTable)
{
    CComPtr<IDispatch> dispatch;
    ASSERT_EQ(dispatch_of(QVariant::fromValue<QObject*>(&site), &dispatch), S_OK);
    const struct {
        const char16_t* name;
        HRESULT result;
        DISPID id;
        bool by_name;
    } names[] = {
        {u"caption", S_OK, 1, true},
        {u"Max", S_OK, 2, true},
        {u"ADD", S_OK, 3, true},
        {u"Flag", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN, false},
        {u"Fire", DISP_E_UNKNOWNNAME, DISPID_UNKNOWN, false},
    };
    for (const auto& n : names) {
        SCOPED_TRACE(::testing::PrintToString(std::u16string(n.name)));
        std::u16string text = n.name;
        LPOLESTR name = text.data();
        DISPID id = 0;
        EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), n.result);
        EXPECT_EQ(id, n.id);
        EXPECT_EQ(has_member(site.control(), QString::fromStdU16String(text)), n.by_name);
    }
}

#include "described_late_binding_test.moc"
