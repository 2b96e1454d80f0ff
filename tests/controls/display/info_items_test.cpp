#include "controls/display/info_items.h"

#include "tests/platform/forms/error_number.h"

#include <gtest/gtest.h>

#include <QPointer>

namespace {

TEST(InfoItems, RecordsAreNumberedInOrderAndKeyedWithoutCase)
{
    InfoItems items;
    items.Add(QStringLiteral("Users"), QStringLiteral("12"));
    items.Add(QStringLiteral("Groups"), QStringLiteral("3"));
    EXPECT_EQ(error_of([&] { items.Add(QStringLiteral("USERS"), QStringLiteral("1")); }), 457);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(QStringLiteral("groups"))->Index(), 2);
    EXPECT_EQ(items.Item(1)->Name(), QStringLiteral("Users"));
    EXPECT_EQ(items.Item(1)->Value(), QStringLiteral("12"));
    const QVariantList all = items.NewEnum();
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(qobject_cast<InfoItem*>(all[1].value<QObject*>())->Name(), QStringLiteral("Groups"));
    EXPECT_EQ(items.findChildren<InfoItem*>().size(), 2) << "the refused record was not released";
}

TEST(InfoItems, UnknownKeysFailWithTheCollectionsErrors)
{
    InfoItems items;
    items.Add(QStringLiteral("Users"), {});
    EXPECT_EQ(error_of([&] { items.Item(QStringLiteral("Computers")); }), 5);
    EXPECT_EQ(error_of([&] { items.Item(2); }), 9);
    QPointer<InfoItem> removed = items.Item(1);
    items.Remove(QStringLiteral("users"));
    EXPECT_EQ(items.Count(), 0);
    EXPECT_TRUE(removed.isNull());
}

} // namespace
