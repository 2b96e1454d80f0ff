#include "platform/forms/core/collection.h"
#include "platform/forms/core/key_case.h"
#include "platform/forms/core/property_bag.h"
#include "platform/forms/core/vb_error.h"

#include "tests/platform/forms/error_number.h"

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

QString keys_order(const Collection& c)
{
    QString out;
    for (const auto& e : c)
        out += e.item.toString();
    return out;
}

} // namespace

TEST(Collection, OneBasedOrderedAndKeyedWithoutCase)
{
    Collection c;
    c.Add(QStringLiteral("a"), QStringLiteral("First"));
    c.Add(QStringLiteral("c"));
    c.Add(QStringLiteral("b"), QStringLiteral("second"), {}, 1); // after item 1
    c.Add(QStringLiteral("0"), {}, QStringLiteral("FIRST"));     // before key "First"
    EXPECT_EQ(c.Count(), 4);
    EXPECT_EQ(keys_order(c).toStdString(), "0abc");
    EXPECT_EQ(c.Item(1).toString().toStdString(), "0");
    EXPECT_EQ(c.Item(QStringLiteral("SECOND")).toString().toStdString(), "b");
    EXPECT_EQ(c.Item(2.5).toString().toStdString(), "a"); // a fractional index rounds half to even
    c.Remove(QStringLiteral("first"));
    EXPECT_EQ(keys_order(c).toStdString(), "0bc");
    c.Remove(1);
    EXPECT_EQ(keys_order(c).toStdString(), "bc");
    EXPECT_FALSE(c.Exists(QStringLiteral("first")));
    // A removed key can be used again.
    c.Add(QStringLiteral("d"), QStringLiteral("First"));
    EXPECT_EQ(c.Item(QStringLiteral("first")).toString().toStdString(), "d");
}

TEST(Collection, ErrorsFiveNineAndFourFiftySeven)
{
    Collection c;
    c.Add(1, QStringLiteral("k"));
    c.Add(2);
    const std::pair<int32_t, std::function<void()>> cases[] = {
        {9, [&] { c.Item(0); }},
        {9, [&] { c.Item(3); }},
        {9, [&] { c.Remove(-1); }},
        {5, [&] { c.Item(QStringLiteral("missing")); }},
        {5, [&] { c.Remove(QStringLiteral("missing")); }},
        {457, [&] { c.Add(3, QStringLiteral("K")); }},
        {5, [&] { c.Add(3, {}, 1, 1); }}, // Before and After together
        {5, [&] { c.Add(3, {}, 5); }},    // Before out of range
        {5, [&] { c.Add(3, {}, {}, QStringLiteral("nokey")); }},
        {13, [&] { c.Item(QVariant(QStringList{})); }},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE("row " + std::to_string(&row - cases));
        EXPECT_EQ(error_of(row.second), row.first);
    }
    EXPECT_EQ(c.Count(), 2); // nothing failed half-way
}

// One case mapping for every key: what the options tree upper-cases is the key the
// collection and the property bag find.
TEST(KeyCase, AKeyInCapitalsIsTheSameKeyForTheCollectionAndTheBag)
{
    const QString keys[] = {
        QStringLiteral("_\u0131"),      QStringLiteral("_i"),      QStringLiteral("\u0130x"),
        QStringLiteral("\u00DF"),       QStringLiteral("\u017Fa"), QStringLiteral("\u01C5"),
        QStringLiteral("\u03C2\u03A3"), QStringLiteral("\u1E9E"),  QStringLiteral("K\u212A"),
    };
    for (const QString& key : keys) {
        SCOPED_TRACE(key.toStdString());
        const QString upper = key_upper(key);
        EXPECT_EQ(upper.size(), key.size());
        EXPECT_TRUE(same_key(upper, key));
        EXPECT_EQ(key_upper(upper), upper);
        Collection c;
        c.Add(1, key);
        EXPECT_EQ(c.Item(upper).toInt(), 1);
        EXPECT_EQ(error_of([&] { c.Add(2, upper); }), 457);
        PropertyBag bag;
        bag.set(key, 1);
        EXPECT_TRUE(bag.contains(upper));
    }
    EXPECT_TRUE(same_key(QStringLiteral("_\u0131"), QStringLiteral("_I")));
    EXPECT_FALSE(same_key(QStringLiteral("\u00DF"), QStringLiteral("SS")));
}
