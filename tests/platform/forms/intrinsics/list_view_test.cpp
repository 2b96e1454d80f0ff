// The report list view: ticks raised as ItemCheck only when a user changes them, FindItem on
// whole texts without regard to case, selection, index errors, a column never narrower than
// nothing, small icons from an image list, the mouse buttons and keys a host opens a context
// menu on, and the popup menu itself.

#include "platform/forms/intrinsics/image_list.h"
#include "platform/forms/hosting/input_events.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/intrinsics/popup_menu.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace forms;

namespace {

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestHost::ensure_application();
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
        list = new ListView(window.get(), QStringLiteral("lstNames"));
        list->Move(0, 0, 4500, 3000);
        list->setCheckboxes(true);
        list->AddColumn(QStringLiteral("Name"), 3000);
        for (const char* name : {"alpha.example", "Beta.example", "gamma"})
            list->Add(QString::fromLatin1(name), QStringLiteral("1"));
        QObject::connect(list, &ListView::ItemCheck, [this](int index) { checks.push_back(index); });
        window->show();
        window->activateWindow();
    }
    void key(int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        window_input::key(list->widget(), qt_key, modifiers);
    }

    std::unique_ptr<QWidget> window;
    ListView* list = nullptr;
    std::vector<int> checks;
};

TEST_F(ListViewTest, ItemCheckFollowsTheUsersTicksNotTheCodes)
{
    list->setChecked(1, true);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_TRUE(checks.empty()) << "a tick set by code raises nothing";
    list->Select(2);
    key(Qt::Key_Space);
    EXPECT_TRUE(list->Checked(2));
    list->click_check_box(1);
    EXPECT_FALSE(list->Checked(1));
    EXPECT_EQ(checks, (std::vector<int>{2, 1}));
}

TEST_F(ListViewTest, WithoutCheckBoxesTicksAreKeptButNotShown)
{
    list->setChecked(3, true);
    list->setCheckboxes(false);
    EXPECT_TRUE(list->Checked(3));
    EXPECT_FALSE(list->widget().topLevelItem(2)->data(0, Qt::CheckStateRole).isValid());
    list->click_check_box(3);
    EXPECT_TRUE(list->Checked(3)) << "no box to click";
    EXPECT_TRUE(checks.empty());
}

TEST_F(ListViewTest, FindItemMatchesWholeTextsWithoutRegardToCase)
{
    list->Add(QStringLiteral("GAMMA"));
    struct Case {
        const char* text;
        int found;
    };
    for (const Case& c :
         {Case{"beta.example", 2}, Case{"Gamma", 3}, Case{"alpha", 0}, Case{"", 0}, Case{"gamma ", 0}}) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(list->FindItem(QString::fromLatin1(c.text)), c.found);
    }
}

TEST_F(ListViewTest, SelectionAndRemovalCountFromOneAndABadIndexIsAnError)
{
    EXPECT_EQ(list->SelectedIndex(), 0);
    list->Select(3);
    EXPECT_EQ(list->SelectedIndex(), 3);
    list->Remove(1);
    EXPECT_EQ(list->Count(), 2);
    EXPECT_EQ(list->SelectedIndex(), 2);
    EXPECT_EQ(list->Text(2), QStringLiteral("gamma"));
    list->Select(0);
    EXPECT_EQ(list->SelectedIndex(), 0);
    for (int bad : {0, 3, -1}) {
        SCOPED_TRACE(bad);
        try {
            (void)list->Text(bad);
            ADD_FAILURE() << bad;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), kListIndexOutOfBounds);
        }
    }
}

TEST_F(ListViewTest, AColumnIsNeverNarrowerThanNothing)
{
    list->setColumnWidth(1, -350);
    EXPECT_EQ(list->ColumnWidth(1), 0);
    list->setColumnWidth(1, 1500);
    EXPECT_EQ(list->ColumnWidth(1), 1500);
}

TEST_F(ListViewTest, SmallIconsComeFromTheImageListByKey)
{
    ImageList images(QSize(16, 16));
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add(QStringLiteral("1"), red);
    list->Add(QStringLiteral("delta"), QStringLiteral("9"));
    list->setSmallIcons(&images);
    EXPECT_FALSE(list->widget().topLevelItem(0)->icon(0).isNull());
    EXPECT_TRUE(list->widget().topLevelItem(3)->icon(0).isNull()) << "a key the list does not hold shows nothing";
    EXPECT_EQ(list->SmallIcon(4), QStringLiteral("9"));
}

TEST_F(ListViewTest, MouseButtonsAndKeysReachTheHostWithTheRuntimesCodes)
{
    std::vector<std::pair<short, short>> keys;
    std::vector<short> buttons;
    QObject::connect(list, &ListView::KeyDown, [&](short& code, short& shift) { keys.emplace_back(code, shift); });
    QObject::connect(list, &ListView::MouseDown, [&](short button, short, float, float) { buttons.push_back(button); });
    key(Qt::Key_Menu);
    key(Qt::Key_F10, Qt::ShiftModifier);
    key(Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier);
    window_input::click(*list->widget().viewport(), QPoint(5, 5), Qt::RightButton);
    using P = std::pair<short, short>;
    EXPECT_EQ(keys, (std::vector<P>{P{keycode::Apps, 0}, P{keycode::F10, shiftmask::Shift},
                                    P{keycode::F10, shiftmask::Shift | shiftmask::Ctrl}}));
    EXPECT_EQ(buttons, (std::vector<short>{mousebutton::Right}));
}

TEST_F(ListViewTest, APopupMenuOpensNearItsControlAndRaisesClickWithTheChosenIndex)
{
    PopupMenu menu(QStringLiteral("mnuNames"));
    menu.AddItem(QStringLiteral("&Select All"));
    menu.AddItem(QStringLiteral("&Unselect All"));
    std::vector<int> chosen;
    QObject::connect(&menu, &PopupMenu::Click, [&](int index) { chosen.push_back(index); });
    menu.Popup(list);
    EXPECT_TRUE(menu.is_open());
    EXPECT_EQ(menu.popups(), 1);
    menu.choose(1);
    EXPECT_FALSE(menu.is_open());
    EXPECT_EQ(chosen, (std::vector<int>{1}));
    EXPECT_EQ(menu.Caption(0), QStringLiteral("&Select All"));
}

} // namespace
