#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_text.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"

#include <gtest/gtest.h>

namespace {

// Each node as "key(parent)=text tag image/selected" in tree order.
QStringList shape(const forms::TreeView& tree, const QString& parent = {})
{
    QStringList lines;
    for (const QString& key : tree.ChildKeys(parent)) {
        lines << QStringLiteral("%1(%2)=%3 %4 %5/%6")
                     .arg(key, parent, tree.Text(key), tree.Tag(key).toString(), tree.Image(key),
                          tree.SelectedImage(key));
        lines << shape(tree, key);
    }
    return lines;
}

class TreeFillTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        forms::TestHost::ensure_application();
        tree_ = std::make_unique<forms::TreeView>(nullptr, QStringLiteral("tvOptions"));
    }
    std::unique_ptr<forms::TreeView> tree_;
};

TEST_F(TreeFillTest, ChildrenBeforeParentsGiveTheSameTree)
{
    const QString parents_first = QStringLiteral(" \t_A\t0\tA\t0\t \r\n_A\t_A\\B\t0\tB\t0\t \r\n"
                                                 "_A\\B\t_A\\B\\P\t1\tP\t4\r\n_A\t_A\\Q\t1\tQ\t5\r\n");
    const QString children_first = QStringLiteral("_A\\B\t_A\\B\\P\t1\tP\t4\r\n_A\t_A\\B\t0\tB\t0\t \r\n"
                                                  "_A\t_A\\Q\t1\tQ\t5\r\n \t_A\t0\tA\t0\t \r\n");
    options::FillOptionTree(*tree_, *options::ParseOptionList(parents_first), false);
    const QStringList expected = {"_A()=A 0 CLOSEDFOLDER/CLOSEDFOLDER", "_A\\B(_A)=B 0 CLOSEDFOLDER/CLOSEDFOLDER",
                                  "_A\\B\\P(_A\\B)=P 4 /", "_A\\Q(_A)=Q 5 /"};
    EXPECT_EQ(shape(*tree_), expected);
    options::FillOptionTree(*tree_, *options::ParseOptionList(children_first), false);
    EXPECT_EQ(shape(*tree_), expected);
}

TEST_F(TreeFillTest, EditorModeTagsTheTypeAndGivesPagesTheArrowWhenSelected)
{
    options::FillOptionTree(
        *tree_, *options::ParseOptionList(QStringLiteral(" \t_A\t0\tA\t0\t \r\n_A\t_A\\P\t1\tP\t4\r\n")), true);
    EXPECT_EQ(shape(*tree_), (QStringList{"_A()=A 0 CLOSEDFOLDER/CLOSEDFOLDER", "_A\\P(_A)=P 1 /ARROW"}));
}

TEST_F(TreeFillTest, APageUnderTheRootIsTheTreesErrorAndTheNodesBeforeStay)
{
    auto list = options::ParseOptionList(QStringLiteral(" \t_A\t0\tA\t0\t \r\n"));
    auto page = std::make_shared<COption>();
    page->strParentKey = options::kRootKey;
    page->strKey = QStringLiteral("_P");
    page->eOptionType = PropertyPage;
    options::add_option(*list, page);
    try {
        options::FillOptionTree(*tree_, *list, false);
        FAIL();
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), forms::kTreeElementNotFound);
    }
    EXPECT_EQ(tree_->Count(), 1);
}

} // namespace
