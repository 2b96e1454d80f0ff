// The grid scrolled as a person scrolls it, with the wheel and with clicks on the scroll bar:
// the fixed header row and name column stay on the screen, the other cells move beneath them.
#include "platform/forms/intrinsics/flex_grid.h"
#include "platform/forms/core/screen.h"

#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QAccessible>
#include <QApplication>
#include <QScrollBar>
#include <QTableWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace forms;

namespace {

class FlexGridScrollTest : public ::testing::Test {
public:
    void SetUp() override
    {
        grid.setCols(17);
        grid.setFixedRows(0);
        grid.setRows(0);
        QString header = QStringLiteral("Domain");
        for (int c = 1; c < 17; ++c)
            header += QStringLiteral("\tTitle %1").arg(c);
        grid.AddItem(header);
        for (int r = 1; r <= 30; ++r) {
            QString row = QStringLiteral("domain%1.test").arg(r);
            for (int c = 1; c < 17; ++c)
                row += u'\t' + QString::number(r * 100 + c);
            grid.AddItem(row);
        }
        grid.setFixedRows(1);
        grid.setFixedCols(1);
        form.resize(420, 220);
        grid.Move(0, 0, 420 * 15, 220 * 15);
        form.show();
        QApplication::processEvents();
    }

    QTableWidget* table() const { return grid.view(); }
    QImage picture() { return grid.grab().toImage(); }
    // A part of the view's visible cells, in the grid's own coordinates.
    QRect in_grid(const QRect& viewport_rect) const
    {
        return viewport_rect.translated(table()->viewport()->mapTo(&grid, QPoint(0, 0)));
    }
    QRect header_row() const { return in_grid(QRect(0, 0, table()->viewport()->width(), table()->rowHeight(0))); }
    QRect name_column() const { return in_grid(QRect(0, 0, table()->columnWidth(0), table()->viewport()->height())); }
    QRect body() const
    {
        return in_grid(QRect(table()->columnWidth(0), table()->rowHeight(0),
                             table()->viewport()->width() - table()->columnWidth(0),
                             table()->viewport()->height() - table()->rowHeight(0)));
    }

    bool application_ = (TestHost::ensure_application(), true);
    QWidget form;
    FlexGrid grid{&form, QStringLiteral("fxgOutResults")};
};

void turn_wheel_down(QWidget* viewport, int notches)
{
    for (int i = 0; i < notches; ++i)
        window_input::wheel(*viewport, viewport->rect().center(), -1);
}

// Clicks in the bar's groove just before its far arrow: a page towards the end each time.
void click_scroll_bar_towards_the_end(QScrollBar* bar, int clicks)
{
    const QPoint at = bar->orientation() == Qt::Horizontal ? QPoint(bar->width() - bar->height() - 4, bar->height() / 2)
                                                           : QPoint(bar->width() / 2, bar->height() - bar->width() - 4);
    for (int i = 0; i < clicks; ++i)
        window_input::click(*bar, at);
}

TEST_F(FlexGridScrollTest, TheHeaderRowAndTheNameColumnStayWhenTheCellsScroll)
{
    struct Row {
        const char* what;
        std::function<void(FlexGridScrollTest&)> scroll;
        QScrollBar* (*bar)(QTableWidget*);
        QRect (FlexGridScrollTest::*fixed)() const; // what stays as it was
    };
    const Row rows[] = {
        {"the wheel, down", [](FlexGridScrollTest& t) { turn_wheel_down(t.table()->viewport(), 3); },
         [](QTableWidget* v) { return v->verticalScrollBar(); }, &FlexGridScrollTest::header_row},
        {"clicks on the horizontal scroll bar",
         [](FlexGridScrollTest& t) { click_scroll_bar_towards_the_end(t.table()->horizontalScrollBar(), 2); },
         [](QTableWidget* v) { return v->horizontalScrollBar(); }, &FlexGridScrollTest::name_column},
        {"clicks on the vertical scroll bar",
         [](FlexGridScrollTest& t) { click_scroll_bar_towards_the_end(t.table()->verticalScrollBar(), 2); },
         [](QTableWidget* v) { return v->verticalScrollBar(); }, &FlexGridScrollTest::header_row},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        table()->horizontalScrollBar()->setValue(0);
        table()->verticalScrollBar()->setValue(0);
        QApplication::processEvents();
        const QImage before = picture();
        row.scroll(*this);
        EXPECT_GT(row.bar(table())->value(), 0) << "the grid did not scroll";
        const QImage after = picture();
        const QRect fixed = (this->*row.fixed)();
        EXPECT_EQ(after.copy(fixed), before.copy(fixed)) << "the fixed cells moved";
        EXPECT_NE(after.copy(body()), before.copy(body())) << "the cells did not move";
    }
    // Scrolled both ways: the corner's title is still where it was.
    turn_wheel_down(table()->viewport(), 2);
    const QRect corner = in_grid(QRect(0, 0, table()->columnWidth(0), table()->rowHeight(0)));
    table()->horizontalScrollBar()->setValue(0);
    table()->verticalScrollBar()->setValue(0);
    QApplication::processEvents();
    const QImage unscrolled = picture();
    click_scroll_bar_towards_the_end(table()->horizontalScrollBar(), 3);
    turn_wheel_down(table()->viewport(), 4);
    EXPECT_EQ(picture().copy(corner), unscrolled.copy(corner));
    EXPECT_TRUE(save_picture(grid, "grid_scrolled_with_fixed_cells"));
}

// Tab leaves the grid for the next control; the arrow keys move in the grid, and a cell they
// reach under the fixed column is scrolled out from under it.
TEST_F(FlexGridScrollTest, TabLeavesTheGridAndTheArrowsMoveInIt)
{
    QWidget next(&form);
    next.setFocusPolicy(Qt::StrongFocus);
    next.setGeometry(0, 200, 20, 20);
    next.show();
    form.activateWindow();
    table()->setFocus(Qt::TabFocusReason);
    table()->setCurrentCell(1, 1);
    click_scroll_bar_towards_the_end(table()->horizontalScrollBar(), 3);
    window_input::key(*table(), Qt::Key_Left);
    EXPECT_EQ(table()->currentColumn(), 1);
    window_input::key(*table(), Qt::Key_Left);
    EXPECT_EQ(table()->currentColumn(), 1) << "the name column is no cell to move to";
    EXPECT_GE(table()->visualRect(table()->model()->index(1, 1)).left(), table()->columnWidth(0));
    window_input::key(*table(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &next);
}

} // namespace

// What a screen reader reads of the fixed cells after the grid scrolled both ways: the header
// row's cells at the top of the grid, the name column's at its left, all showing, as they
// are drawn.
TEST_F(FlexGridScrollTest, AssistiveToolsReadTheFixedCellsWhereTheyAreDrawn)
{
    click_scroll_bar_towards_the_end(table()->horizontalScrollBar(), 3);
    turn_wheel_down(table()->viewport(), 4);
    ASSERT_GT(table()->horizontalScrollBar()->value(), 0);
    ASSERT_GT(table()->verticalScrollBar()->value(), 0);
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(table());
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->tableInterface(), nullptr);
    const QRect viewport(table()->viewport()->mapToGlobal(QPoint(0, 0)), table()->viewport()->size());
    const struct {
        const char* what;
        int row;
        int col;
        bool at_top;
        bool at_left;
    } cells[] = {{"the corner", 0, 0, true, true},
                 {"a title in view", 0, table()->columnAt(viewport.width() / 2), true, false},
                 {"a name in view", table()->rowAt(viewport.height() / 2), 0, false, true}};
    for (const auto& c : cells) {
        SCOPED_TRACE(c.what);
        [&] { // an ASSERT ends this row only
            QAccessibleInterface* cell = view->tableInterface()->cellAt(c.row, c.col);
            ASSERT_NE(cell, nullptr);
            const QRect read = cell->rect();
            EXPECT_TRUE(viewport.intersects(read)) << read.x() << "," << read.y();
            if (c.at_top) {
                EXPECT_EQ(read.top(), viewport.top());
            }
            if (c.at_left) {
                EXPECT_EQ(read.left(), viewport.left());
            }
            EXPECT_FALSE(cell->state().invisible);
            EXPECT_FALSE(cell->state().offscreen);
        }();
    }
}

// A person drags a column's right border in the header row: the column follows the pointer,
// and the grid keeps the width it was given.
TEST_F(FlexGridScrollTest, DraggingAColumnsBorderInTheHeaderWidensIt)
{
    QWidget* band = nullptr;
    for (QWidget* child : table()->findChildren<QWidget*>())
        if (child->parentWidget() == table() && child != table()->viewport() && child->isVisible() &&
            child->geometry() == table()->viewport()->geometry())
            band = child;
    ASSERT_NE(band, nullptr);
    const int before = table()->columnWidth(0);
    const QPoint border(before, table()->rowHeight(0) / 2);
    window_input::mouse_press(*band, border);
    window_input::mouse_move(*band, border + QPoint(60, 0), Qt::LeftButton);
    window_input::mouse_release(*band, border + QPoint(60, 0));
    EXPECT_EQ(table()->columnWidth(0), before + 60);
    EXPECT_EQ(grid.ColWidth(0), forms::Screen::to_twips_x(before + 60));
}
