// The grid's model: rows and columns, fixed rows and columns, column widths, rows added from
// TAB-joined text, and cells by row and column.
#include "platform/forms/intrinsics/flex_grid.h"
#include "platform/forms/core/vb_error.h"

#include "tests/platform/forms/error_number.h"
#include "tests/support/forms/test_host.h"

#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

class FlexGridTest : public ::testing::Test {
protected:
    bool application_ = (TestHost::ensure_application(), true);
    QWidget form;
    FlexGrid grid{&form, QStringLiteral("fxgOutResults")};
};

TEST_F(FlexGridTest, StartsWithTwoByTwoAndOneFixedRowAndColumn)
{
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    EXPECT_EQ(grid.ColWidth(0), -1);
    EXPECT_EQ(grid.accessible_role(), QAccessible::Table);
}

TEST_F(FlexGridTest, AddItemSplitsAtTabAndDropsCellsBeyondTheColumns)
{
    grid.setCols(3);
    grid.setFixedRows(0);
    grid.setRows(0);
    grid.setColWidth(0, 1200);
    grid.AddItem(QStringLiteral("Domain\tUsers\tGroups\t")); // the trailing TAB's empty cell is dropped
    grid.AddItem(QStringLiteral("ad.test\t12"));             // a short row leaves its last cells empty
    grid.AddItem(QStringLiteral("Total\t12\t3"));
    grid.AddItem(QStringLiteral("first\t1\t1"), 1); // before row 1
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("Groups"));
    EXPECT_EQ(grid.TextMatrix(1, 0), QStringLiteral("first"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("12"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QString());
    EXPECT_EQ(grid.TextMatrix(3, 0), QStringLiteral("Total"));
    EXPECT_EQ(grid.ColWidth(0), 1200);
    EXPECT_EQ(grid.view()->columnWidth(0), 80); // 1200 twips at 15 twips a pixel

    grid.setFixedRows(1);
    grid.setFixedCols(1);
    // Fixed cells are headings, the others can be selected; a row added at the top is fixed.
    const auto selectable = [&](int r, int c) {
        return (grid.view()->item(r, c)->flags() & Qt::ItemIsSelectable) != 0;
    };
    EXPECT_FALSE(selectable(0, 1));
    EXPECT_FALSE(selectable(1, 0));
    EXPECT_TRUE(selectable(1, 1));
    grid.AddItem(QStringLiteral("top\t0\t0"), 0);
    EXPECT_FALSE(selectable(0, 1));
    EXPECT_TRUE(selectable(1, 1));
    grid.setTextMatrix(2, 2, QStringLiteral("<no data>"));
    EXPECT_EQ(grid.TextMatrix(2, 2), QStringLiteral("<no data>"));
    // Shrinking keeps what stays inside.
    grid.setCols(2);
    grid.setRows(4);
    EXPECT_EQ(grid.TextMatrix(3, 1), QStringLiteral("12"));
    EXPECT_EQ(grid.view()->rowCount(), 4);
}

TEST_F(FlexGridTest, OutOfRangeValuesAreRefusedAndChangeNothing)
{
    struct Case {
        const char* what;
        std::function<void()> action;
        int error;
    };
    const Case cases[] = {
        {"rows below the fixed rows", [&] { grid.setRows(1); }, kGridInvalidRow},
        {"fixed rows as many as the rows", [&] { grid.setFixedRows(2); }, kGridInvalidRow},
        {"negative rows", [&] { grid.setRows(-1); }, kGridInvalidRow},
        {"columns below the fixed columns", [&] { grid.setCols(1); }, kGridInvalidCol},
        {"fixed columns as many as the columns", [&] { grid.setFixedCols(2); }, kGridInvalidCol},
        {"a cell below the grid", [&] { grid.TextMatrix(2, 0); }, kGridSubscriptOutOfRange},
        {"a cell right of the grid", [&] { grid.setTextMatrix(0, 2, QStringLiteral("x")); }, kGridSubscriptOutOfRange},
        {"a width of a missing column", [&] { grid.setColWidth(2, 100); }, kGridSubscriptOutOfRange},
        {"a row added past the end", [&] { grid.AddItem(QStringLiteral("x"), 3); }, kGridSubscriptOutOfRange},
    };
    for (const Case& c : cases)
        EXPECT_EQ(error_of(c.action), c.error) << c.what;
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 1);
    // With no fixed rows the grid may be emptied.
    grid.setFixedRows(0);
    grid.setRows(0);
    EXPECT_EQ(grid.Rows(), 0);
}

} // namespace
