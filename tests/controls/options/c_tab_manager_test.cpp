#include "controls/options/c_tab_manager.h"
#include "controls/options/option_tree_text.h"
#include "platform/forms/core/vb_error.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PageRegistry, RegisterHandsOutTheSmallestFreeIndexForZeroOrATakenOne)
{
    struct Case {
        std::vector<short> registered;
        short asked;
        short given;
    };
    const std::vector<Case> cases = {
        {{}, 0, 1}, {{1, 2, 4}, 0, 3}, {{1, 2, 4}, -5, 3}, {{2}, 2, 1}, {{1, 2}, 2, 3}, {{1}, 7, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases.data()));
        CTabManager manager;
        for (short index : c.registered)
            manager.RegisterPage(index);
        EXPECT_EQ(manager.RegisterPage(c.asked), c.given) << "asked " << c.asked;
        EXPECT_TRUE(manager.IsRegistered(c.given));
    }
}

TEST(PageRegistry, ChangePageIndexMovesOnlyToAFreePositiveIndex)
{
    CTabManager manager;
    manager.RegisterPage(2);
    manager.RegisterPage(3);
    EXPECT_TRUE(manager.ChangePageIndex(2, 5));
    EXPECT_TRUE(manager.IsRegistered(5));
    EXPECT_FALSE(manager.IsRegistered(2));
    EXPECT_FALSE(manager.ChangePageIndex(5, 5)); // its own index counts as taken
    EXPECT_FALSE(manager.ChangePageIndex(5, 3));
    EXPECT_FALSE(manager.ChangePageIndex(0, 6));
    EXPECT_FALSE(manager.ChangePageIndex(5, -1));
    EXPECT_TRUE(manager.IsRegistered(5));
    EXPECT_TRUE(manager.IsRegistered(3));
    // the old index is not registered: the collection's error reaches the caller
    EXPECT_THROW(manager.ChangePageIndex(9, 10), forms::VbError);
}

TEST(PageRegistry, UnregisterFreesAnIndexAndIgnoresAnAbsentOne)
{
    CTabManager manager;
    manager.RegisterPage(1);
    manager.RegisterPage(2);
    manager.UnregisterPage(1);
    manager.UnregisterPage(8);
    EXPECT_EQ(manager.FindFreePageIndex(), 1);
    EXPECT_TRUE(manager.IsRegistered(2));
}

TEST(PageRegistry, ChangeTabAlwaysTellsThePages)
{
    CTabManager manager;
    std::vector<short> told;
    QObject::connect(&manager, &CTabManager::OnChangeTab, [&](short index) { told.push_back(index); });
    int resized = 0;
    QObject::connect(&manager, &CTabManager::OnResizeBase, [&] { ++resized; });
    EXPECT_EQ(manager.CurrentTabIndex(), 0);
    manager.ChangeTab(2);
    manager.ChangeTab(2);
    manager.ChangeTab(-1);
    manager.ResizeBase();
    EXPECT_EQ(told, (std::vector<short>{2, 2, -1}));
    EXPECT_EQ(manager.CurrentTabIndex(), -1);
    EXPECT_EQ(resized, 1);
}

TEST(PageRegistry, TreeContainmentDescribesTheOptionList)
{
    CTabManager manager;
    EXPECT_EQ(manager.strTreeContainment(), QString());
    const QString text = QStringLiteral(" \t_A\t0\tA\t0\t \r\n");
    manager.setOptionList(options::ParseOptionList(text));
    EXPECT_EQ(manager.strTreeContainment(), text);
    manager.setOptionList(nullptr);
    EXPECT_EQ(manager.strTreeContainment(), QString());
    ASSERT_TRUE(manager.OptionList());
    EXPECT_EQ(manager.OptionList()->Count(), 0);
}

} // namespace
