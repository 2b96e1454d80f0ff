#include "platform/forms/collection.h"
#include "platform/forms/vb_error.h"

#include "error_number.h"

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
    for (const auto& [number, f] : cases)
        EXPECT_EQ(error_of(f), number);
    EXPECT_EQ(c.Count(), 2); // nothing failed half-way
}
