#include "probe_control.h"
#include "variant_probe.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"

#include "tests/platform/forms/error_number.h"

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

// The same value: the same type, and the same object for an object reference.
::testing::AssertionResult same_value(const QVariant& actual, const QVariant& expected)
{
    if (actual.metaType() != expected.metaType())
        return ::testing::AssertionFailure() << "type " << actual.typeName() << " instead of " << expected.typeName();
    const bool same = expected.metaType().flags().testFlag(QMetaType::PointerToQObject)
                          ? actual.value<QObject*>() == expected.value<QObject*>()
                          : actual == expected;
    if (!same)
        return ::testing::AssertionFailure()
               << "value " << actual.toString().toStdString() << " instead of " << expected.toString().toStdString();
    return ::testing::AssertionSuccess();
}

class LateBindingTest : public ::testing::Test {
protected:
    LateBindingTest() : host(true), site(host.add(std::make_unique<ProbeControl>(), QStringLiteral("probe"))) {}
    TestHost host;
    ControlSite& site;
};

} // namespace

TEST_F(LateBindingTest, GetLetSetAndCallByNameWithoutCase)
{
    // Extender members first, then the control's.
    EXPECT_EQ(get(&site, QStringLiteral("NAME")).toString().toStdString(), "probe");
    let(&site, QStringLiteral("tag"), QStringLiteral("t1"));
    EXPECT_EQ(site.Tag().toStdString(), "t1");
    let(&site, QStringLiteral("caption"), 42); // converted to text as the runtime does
    EXPECT_EQ(get(&site, QStringLiteral("Caption")).toString().toStdString(), "42");
    let(&site, QStringLiteral("Max"), QStringLiteral("2.5")); // CLng: half to even
    EXPECT_EQ(get(&site, QStringLiteral("max")).toInt(), 2);
    let(&site, QStringLiteral("ForeColor"), static_cast<std::int32_t>(syscolor::ButtonFace)); // a negative Long
    EXPECT_EQ(get(&site, QStringLiteral("ForeColor")).toUInt(), syscolor::ButtonFace);
    let(&site, QStringLiteral("Flag"), QStringLiteral("True"));
    EXPECT_TRUE(get(&site, QStringLiteral("flag")).toBool());
    auto font = StdFont::create();
    set(&site, QStringLiteral("DisplayFont"), QVariant::fromValue(font));
    EXPECT_EQ(get(&site, QStringLiteral("DisplayFont")).value<FontRef>().get(), font.get());
    EXPECT_EQ(call(&site, QStringLiteral("add"), {2, 3}).toInt(), 5);
    EXPECT_EQ(call(&site, QStringLiteral("Add"), {2}).toInt(), 3); // optional argument left out
    EXPECT_EQ(get(&site, QStringLiteral("Add"), {4}).toInt(), 5);
    call(&site, QStringLiteral("ZOrder"), {0});
    EXPECT_EQ(call(&site, QStringLiteral("Caption")).toString().toStdString(), "42");
    EXPECT_TRUE(has_member(&site, QStringLiteral("fire")));
    EXPECT_FALSE(has_member(&site, QStringLiteral("Nope")));
    // The form itself, as controls reach it.
    let(&host.form(), QStringLiteral("BorderStyle"), 1);
    EXPECT_EQ(host.form().BorderStyle(), 1);
    EXPECT_EQ(get(&host.form(), QStringLiteral("Controls")).toList().size(), 1);
}

TEST_F(LateBindingTest, ErrorsOfLateBinding)
{
    const std::pair<int32_t, std::function<void()>> cases[] = {
        {438, [&] { get(&site, QStringLiteral("Missing")); }},
        {438, [&] { let(&site, QStringLiteral("Missing"), 1); }},
        {438, [&] { call(&site, QStringLiteral("Missing")); }},
        {450,
         [&] {
             call(&site, QStringLiteral("Add"), {1, 2, 3});
         }},
        {450, [&] { get(&site, QStringLiteral("Max"), {1}); }},
        {450, [&] { let(&site, QStringLiteral("Fire"), 1); }},
        {383, [&] { let(&site, QStringLiteral("ReadOnly"), 1); }},
        {13, [&] { let(&site, QStringLiteral("Max"), QStringLiteral("many")); }},
        {6, [&] { let(&site, QStringLiteral("Max"), 1e12); }},
        {424, [&] { set(&site, QStringLiteral("DisplayFont"), 5); }},
        {380, [&] { let(&site, QStringLiteral("Max"), 0); }}, // the control's own error
        {5, [&] { call(&site, QStringLiteral("Fail")); }},    // raised inside a method
        {91, [&] { get(nullptr, QStringLiteral("Name")); }},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE("row " + std::to_string(&row - cases));
        EXPECT_EQ(error_of(row.second), row.first);
    }
    try {
        let(&site, QStringLiteral("Max"), 0);
    } catch (const VbError& e) {
        EXPECT_EQ(e.source().toStdString(), "::Max (Let)");
    }
}

TEST_F(LateBindingTest, EventsAreSynchronousAndByReferenceArgumentsGoBack)
{
    QObject context;
    QStringList seen;
    connect_event(&site, QStringLiteral("ask"), &context, [&](QVariantList& args) {
        seen.push_back(args.at(0).toString());
        args[1] = QVariant(args.at(0).toString() == QLatin1String("stop"));
    });
    EXPECT_FALSE(call(&site, QStringLiteral("Fire"), {QStringLiteral("go")}).toBool());
    EXPECT_TRUE(call(&site, QStringLiteral("Fire"), {QStringLiteral("stop")}).toBool());
    EXPECT_EQ(seen.join(',').toStdString(), "go,stop");
    EXPECT_EQ(error_of([&] { connect_event(&site, QStringLiteral("NoSuchEvent"), &context, [](QVariantList&) {}); }),
              438);
}

TEST_F(LateBindingTest, ConnectionEndsWithItsContext)
{
    int calls = 0;
    {
        QObject context;
        connect_event(&site, QStringLiteral("Ask"), &context, [&](QVariantList&) { ++calls; });
        call(&site, QStringLiteral("Fire"), {QStringLiteral("x")});
    }
    call(&site, QStringLiteral("Fire"), {QStringLiteral("x")});
    EXPECT_EQ(calls, 1);
}

TEST_F(LateBindingTest, VariantMembersTakeAndGiveTheValueItself)
{
    ControlSite& vs = host.add(std::make_unique<VariantProbe>(), QStringLiteral("holder"));
    auto& holder = *static_cast<VariantProbe*>(vs.control());
    QObject referenced;
    const QVariant object = QVariant::fromValue<QObject*>(&referenced);
    const QVariant values[] = {QVariant(42), QVariant(QStringLiteral("text")), object};
    for (const QVariant& v : values) {
        SCOPED_TRACE(v.typeName());
        let(&vs, QStringLiteral("value"), v);
        EXPECT_TRUE(same_value(holder.Value(), v));                    // the control holds the value as given
        EXPECT_TRUE(same_value(get(&vs, QStringLiteral("Value")), v)); // and it comes back unwrapped
    }
    set(&vs, QStringLiteral("Value"), object);
    EXPECT_TRUE(same_value(holder.Value(), object));

    // A value that arrives wrapped in a second Variant lands as the value inside.
    const QVariant seven(7);
    let(&vs, QStringLiteral("Value"), QVariant(QMetaType::fromType<QVariant>(), &seven));
    EXPECT_TRUE(same_value(holder.Value(), seven));

    // A Variant parameter and result of a method.
    EXPECT_TRUE(same_value(call(&vs, QStringLiteral("Swap"), {QStringLiteral("new")}), seven));
    EXPECT_TRUE(same_value(holder.Value(), QVariant(QStringLiteral("new"))));

    // A Variant event argument by reference: the handler sees the value and its answer goes back.
    QObject context;
    QVariant seen;
    connect_event(&vs, QStringLiteral("Offered"), &context, [&](QVariantList& args) {
        seen = args.at(0);
        args[0] = object;
    });
    call(&vs, QStringLiteral("Offer"));
    EXPECT_TRUE(same_value(seen, QVariant(QStringLiteral("new"))));
    EXPECT_TRUE(same_value(holder.Value(), object));
}
