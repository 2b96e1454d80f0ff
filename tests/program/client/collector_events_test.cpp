// The program's event sink as the collector's connection point calls it: late bound, by
// dispatch identifier, with the arguments last first, by value or by reference.

#include "program/client/collector_events.h"

#include "platform/com/variant.h"
#include "platform/win32/win_errors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct received {
    std::vector<std::pair<QString, QString>> domains;
    std::vector<std::pair<IOstrelInfoCollection*, QString>> completions;
};

CComPtr<program::CCollectorEvents> sink_into(received& into)
{
    return program::make_collector_events(
        [&into](const QString& name, const QString& error) { into.domains.emplace_back(name, error); },
        [&into](IOstrelInfoCollection* infos, const QString& error) { into.completions.emplace_back(infos, error); });
}

HRESULT raise(IDispatch* sink, DISPID id, std::vector<CComVariant> lastFirst)
{
    DISPPARAMS params{lastFirst.data(), nullptr, static_cast<UINT>(lastFirst.size()), 0};
    return sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

CComPtr<IDispatch> as_events(program::CCollectorEvents* events)
{
    CComPtr<IDispatch> sink;
    EXPECT_EQ(events->GetUnknown()->QueryInterface(DIID__IOstrelCollectorEvents, reinterpret_cast<void**>(&sink)),
              S_OK);
    return sink;
}

TEST(CollectorEvents, DomainCollectedArrivesWithItsTextsByValueAndByReference)
{
    received got;
    const auto events = sink_into(got);
    const auto sink = as_events(events);
    ASSERT_EQ(raise(sink, DISPID_DomainCollected, {CComVariant(u"line\r\n"), CComVariant(u"a.com")}), S_OK);

    CComVariant name(u"b.com");
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_BSTR | VT_BYREF;
    byRef.pbstrVal = &name.bstrVal;
    ASSERT_EQ(raise(sink, DISPID_DomainCollected, {CComVariant(u""), CComVariant(byRef)}), S_OK);

    ASSERT_EQ(got.domains.size(), 2u);
    EXPECT_EQ(got.domains[0], std::make_pair(QStringLiteral("a.com"), QStringLiteral("line\r\n")));
    EXPECT_EQ(got.domains[1], std::make_pair(QStringLiteral("b.com"), QString()));
}

TEST(CollectorEvents, CollectionCompletedHandsOverTheResultObjectOrNothing)
{
    received got;
    const auto events = sink_into(got);
    const auto sink = as_events(events);
    ASSERT_EQ(
        raise(sink, DISPID_CollectionCompleted, {CComVariant(u"x"), CComVariant(static_cast<IDispatch*>(nullptr))}),
        S_OK);
    ASSERT_EQ(got.completions.size(), 1u);
    EXPECT_EQ(got.completions[0].first, nullptr);
    EXPECT_EQ(got.completions[0].second, QStringLiteral("x"));
}

TEST(CollectorEvents, UnknownMembersAndWrongArgumentsFailAndADetachedSinkDropsCalls)
{
    received got;
    const auto events = sink_into(got);
    const auto sink = as_events(events);
    EXPECT_EQ(raise(sink, 7, {CComVariant(u""), CComVariant(u"")}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(raise(sink, DISPID_DomainCollected, {CComVariant(u"only one")}), DISP_E_BADPARAMCOUNT);

    events->Forward(nullptr, nullptr);
    EXPECT_EQ(raise(sink, DISPID_DomainCollected, {CComVariant(u""), CComVariant(u"late")}), S_OK);
    EXPECT_TRUE(got.domains.empty());
}

} // namespace
