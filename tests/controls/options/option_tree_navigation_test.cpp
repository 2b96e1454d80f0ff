#include "controls/options/c_tab_manager.h"
#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_navigation.h"
#include "controls/options/option_tree_text.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "tests/support/forms/test_host.h"

#include <gtest/gtest.h>

namespace {

// General holds two pages, Advanced a container Net with one page, Empty nothing.
const QString kTree = QStringLiteral(" \t_GENERAL\t0\tGeneral\t0\t \r\n"
                                     "_GENERAL\t_GENERAL\\VIEW\t1\tView\t1\r\n"
                                     "_GENERAL\t_GENERAL\\EDIT\t1\tEdit\t2\r\n"
                                     " \t_ADVANCED\t0\tAdvanced\t0\t \r\n"
                                     "_ADVANCED\t_ADVANCED\\NET\t0\tNet\t0\t \r\n"
                                     "_ADVANCED\\NET\t_ADVANCED\\NET\\PROXY\t1\tProxy\t3\r\n"
                                     " \t_EMPTY\t0\tEmpty\t0\t \r\n");

// The widget needs the application, which the fixture makes first.
struct Application {
    Application() { forms::TestHost::ensure_application(); }
};

class NavigationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list_ = options::ParseOptionList(kTree);
        options::FillOptionTree(tree_, *list_, false);
        navigation_.set_options(list_);
        navigation_.before_page_change = [this](short from, short to, bool& cancel) {
            events_ << QStringLiteral("Before %1 %2").arg(from).arg(to);
            cancel = cancel_next_;
        };
        navigation_.after_page_change = [this](short from, short to) {
            events_ << QStringLiteral("After %1 %2").arg(from).arg(to);
        };
        QObject::connect(&tabs_, &CTabManager::OnChangeTab,
                         [this](short index) { events_ << QStringLiteral("ChangeTab %1").arg(index); });
        navigation_.show_first_page();
    }

    QStringList click(const QString& key)
    {
        events_.clear();
        tree_.Select(key);
        navigation_.node_click(key);
        return events_;
    }

    QString remembered(const QString& key) const { return options::option_at(*list_, key)->strSelectedProperty; }

    Application application_;
    forms::TreeView tree_{nullptr, QStringLiteral("tvOptions")};
    CTabManager tabs_;
    OptionCollection list_;
    options::OptionTreeNavigation navigation_{tree_, tabs_};
    QStringList events_;
    bool cancel_next_ = false;
};

TEST_F(NavigationTest, LoadShowsTheFirstPageInCollectionOrderWithoutEvents)
{
    EXPECT_EQ(events_, QStringList{"ChangeTab 1"});
    EXPECT_EQ(navigation_.CurrentKey(), "_GENERAL\\VIEW");
    EXPECT_EQ(tree_.Image("_GENERAL\\VIEW"), options::kArrow);
    EXPECT_EQ(remembered("_GENERAL"), "_GENERAL\\VIEW");
}

TEST_F(NavigationTest, ClickingThePageShownRaisesNothing) { EXPECT_EQ(click("_GENERAL\\VIEW"), QStringList()); }

TEST_F(NavigationTest, ClickingAnotherPageMovesTheArrowAndTellsThePages)
{
    EXPECT_EQ(click("_GENERAL\\EDIT"), (QStringList{"Before 1 2", "After 1 2", "ChangeTab 2"}));
    EXPECT_EQ(tree_.Image("_GENERAL\\EDIT"), options::kArrow);
    EXPECT_EQ(tree_.Image("_GENERAL\\VIEW"), options::kNoArrow);
    EXPECT_EQ(remembered("_GENERAL"), "_GENERAL\\EDIT");
    EXPECT_EQ(navigation_.FromKey(), "_GENERAL\\VIEW");
    EXPECT_EQ(navigation_.ToKey(), "_GENERAL\\EDIT");
}

TEST_F(NavigationTest, AContainerRememberingThePageShownRaisesOnlyBeforeAndStaysSelected)
{
    EXPECT_EQ(click("_GENERAL"), (QStringList{"Before 1 1"}));
    EXPECT_EQ(tree_.SelectedKey(), "_GENERAL");
    EXPECT_EQ(navigation_.CurrentKey(), "_GENERAL");
}

TEST_F(NavigationTest, AContainerRememberingNoPageAsksForZeroAndHidesEveryPage)
{
    EXPECT_EQ(click("_EMPTY"), (QStringList{"Before 1 0", "After 1 -1", "ChangeTab -1"}));
    EXPECT_EQ(tree_.Image("_GENERAL\\VIEW"), options::kNoArrow);
    EXPECT_EQ(tree_.SelectedKey(), "_EMPTY");
}

TEST_F(NavigationTest, CancelKeepsEverythingAndReselectsThePageShown)
{
    cancel_next_ = true;
    EXPECT_EQ(click("_GENERAL\\EDIT"), (QStringList{"Before 1 2"}));
    EXPECT_EQ(navigation_.CurrentKey(), "_GENERAL\\VIEW");
    EXPECT_EQ(tree_.SelectedKey(), "_GENERAL\\VIEW");
    EXPECT_EQ(tree_.Image("_GENERAL\\VIEW"), options::kArrow);
    EXPECT_NE(tree_.Image("_GENERAL\\EDIT"), options::kArrow);
    EXPECT_EQ(remembered("_GENERAL"), "_GENERAL\\VIEW");
    EXPECT_EQ(tabs_.CurrentTabIndex(), 1);
}

TEST_F(NavigationTest, AContainerShowsThePageLastUsedInsideIt)
{
    click("_ADVANCED\\NET\\PROXY");
    EXPECT_EQ(remembered("_ADVANCED"), "_ADVANCED\\NET\\PROXY");
    EXPECT_EQ(remembered("_ADVANCED\\NET"), "_ADVANCED\\NET\\PROXY");
    click("_GENERAL");
    EXPECT_EQ(tabs_.CurrentTabIndex(), 1);
    EXPECT_EQ(click("_ADVANCED"), (QStringList{"Before 1 3", "After 1 3", "ChangeTab 3"}));
    EXPECT_EQ(tree_.SelectedKey(), "_ADVANCED");
    EXPECT_TRUE(tree_.Expanded("_ADVANCED\\NET"));
}

} // namespace
