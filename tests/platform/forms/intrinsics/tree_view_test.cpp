#include "platform/forms/intrinsics/image_list.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QLineEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        forms::TestHost::ensure_application();
        tree_ = std::make_unique<forms::TreeView>(nullptr, QStringLiteral("tvOptions"));
        tree_->Add({}, forms::tvwLast, "A", "Alpha");
        tree_->Add("A", forms::tvwChild, "A1", "One");
        tree_->Add("A", forms::tvwChild, "A3", "Three");
        tree_->Add("A3", forms::tvwPrevious, "A2", "Two");
        tree_->Add({}, forms::tvwLast, "B", "Beta");
    }

    static int error_of(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const forms::VbError& error) {
            return error.number();
        }
        return 0;
    }

    std::unique_ptr<forms::TreeView> tree_;
};

TEST_F(TreeViewTest, NodesAreReachedByKeyInTheirOrder)
{
    EXPECT_EQ(tree_->Count(), 5);
    EXPECT_EQ(tree_->ChildKeys("A"), (QStringList{"A1", "A2", "A3"}));
    EXPECT_EQ(tree_->ChildKeys({}), (QStringList{"A", "B"}));
    EXPECT_EQ(tree_->PreviousKey("A2"), "A1");
    EXPECT_EQ(tree_->NextKey("A2"), "A3");
    EXPECT_EQ(tree_->NextKey("A3"), "");
    EXPECT_EQ(tree_->PreviousKey("A"), "");
    EXPECT_EQ(tree_->ParentKey("A2"), "A");
    EXPECT_EQ(tree_->ParentKey("A"), "");
    EXPECT_EQ(tree_->FirstKey(), "A");
    EXPECT_EQ(tree_->Text("A2"), "Two");

    tree_->Remove("A");
    EXPECT_EQ(tree_->Count(), 1);
    EXPECT_FALSE(tree_->Exists("A2"));
}

TEST_F(TreeViewTest, UnknownAndDuplicateKeysRaiseTheTreesErrors)
{
    EXPECT_EQ(error_of([&] { tree_->Text("NONE"); }), forms::kTreeElementNotFound);
    EXPECT_EQ(error_of([&] { tree_->Add("NONE", forms::tvwChild, "X", "X"); }), forms::kTreeElementNotFound);
    EXPECT_EQ(error_of([&] { tree_->Add({}, forms::tvwLast, "A2", "Again"); }), forms::kTreeKeyNotUnique);
    EXPECT_FALSE(tree_->Exists("X"));
    EXPECT_EQ(tree_->Count(), 5);
}

TEST_F(TreeViewTest, AClickOnANodeSelectsItThenRaisesNodeClickAndClick)
{
    QStringList events;
    QObject::connect(tree_.get(), &forms::TreeView::NodeClick,
                     [&](const QString& key) { events << "NodeClick " + key + " selected " + tree_->SelectedKey(); });
    QObject::connect(tree_.get(), &forms::TreeView::Click, [&] { events << "Click"; });
    tree_->click_node("A2");
    tree_->click_empty();
    EXPECT_EQ(events, (QStringList{"NodeClick A2 selected A2", "Click", "Click"}));
    tree_->Select({});
    EXPECT_EQ(tree_->SelectedKey(), "");
}

TEST_F(TreeViewTest, AKeyThatSelectsAnotherNodeIsANodeClick)
{
    tree_->show();
    tree_->Select("A");
    QStringList clicks;
    QObject::connect(tree_.get(), &forms::TreeView::NodeClick, [&](const QString& key) { clicks << key; });
    tree_->activateWindow();
    window_input::key(tree_->widget(), Qt::Key_Down);
    for (int i = 0; i < 5 && clicks.isEmpty(); ++i)
        QApplication::processEvents();
    EXPECT_EQ(clicks, QStringList{tree_->SelectedKey()});
    EXPECT_NE(tree_->SelectedKey(), "A");
}

TEST_F(TreeViewTest, ExpandAndCollapseRaiseTheirEvents)
{
    QStringList events;
    QObject::connect(tree_.get(), &forms::TreeView::Expand, [&](const QString& key) { events << "Expand " + key; });
    QObject::connect(tree_.get(), &forms::TreeView::Collapse, [&](const QString& key) { events << "Collapse " + key; });
    tree_->setExpanded("A", true);
    EXPECT_TRUE(tree_->Expanded("A"));
    tree_->setExpanded("A", false);
    EXPECT_EQ(events, (QStringList{"Expand A", "Collapse A"}));
}

TEST_F(TreeViewTest, AnInPlaceEditTakesTheTextUnlessCancelled)
{
    tree_->setLabelEdit(true);
    bool refuse = true;
    QStringList edited;
    QObject::connect(tree_.get(), &forms::TreeView::AfterLabelEdit, [&](bool& cancel, QString& text) {
        edited << tree_->EditedKey();
        cancel = refuse && text.contains('\\');
    });
    tree_->finish_label_edit("A1", "Un\\o");
    EXPECT_EQ(tree_->Text("A1"), "One");
    tree_->finish_label_edit("A1", "Uno");
    EXPECT_EQ(tree_->Text("A1"), "Uno");
    EXPECT_EQ(edited, (QStringList{"A1", "A1"}));
    EXPECT_EQ(tree_->EditedKey(), "");
}

TEST_F(TreeViewTest, TheInPlaceEditorHandsItsTextToAfterLabelEdit)
{
    tree_->setLabelEdit(true);
    tree_->show();
    QStringList edits;
    QObject::connect(tree_.get(), &forms::TreeView::AfterLabelEdit,
                     [&](bool&, QString& text) { edits << tree_->EditedKey() + "=" + text; });
    tree_->activateWindow();
    tree_->StartLabelEdit("B");
    auto* editor = tree_->widget().findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    window_input::type(*editor, QStringLiteral("Bravo")); // over the text the editor opens with selected
    window_input::key(*editor, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    for (int i = 0; i < 5 && edits.isEmpty(); ++i)
        QApplication::processEvents();
    EXPECT_EQ(edits, QStringList{"B=Bravo"});
    EXPECT_EQ(tree_->Text("B"), "Bravo");
}

TEST_F(TreeViewTest, AnImageKeyTheListDoesNotHoldShowsNoPicture)
{
    forms::ImageList images(QSize(14, 14));
    QImage red(14, 14, QImage::Format_ARGB32);
    red.fill(Qt::red);
    images.Add("RED", red);
    tree_->setImageList(&images);
    tree_->setImage("A", "RED");
    const QTreeWidgetItem* item = tree_->widget().topLevelItem(0);
    EXPECT_EQ(item->icon(0).pixmap(14, 14).toImage().pixelColor(7, 7), QColor(Qt::red));
    tree_->setImage("A", "NONE");
    EXPECT_EQ(tree_->Image("A"), "NONE");
    EXPECT_EQ(item->icon(0).pixmap(14, 14).toImage().pixelColor(7, 7).alpha(), 0);
}

} // namespace
