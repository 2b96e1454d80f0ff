#include "platform/forms/intrinsics/flex_grid.h"

#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <utility>

namespace forms {

namespace {

constexpr QChar kTab = u'\t';
constexpr double kDefaultColWidthTwips = 960; // 64 pixels at 15 twips per pixel
constexpr int kCellPaddingPixels = 12;        // the cell's margins around its text

void raise_grid(std::int32_t number, const QString& description)
{
    raise(number, QStringLiteral("FlexGrid"), description);
}

// The fixed rows and columns, drawn over the view's edges so that they stay while the cells
// scroll beneath them: the fixed rows follow the view sideways only, the fixed columns up
// and down only, their corner neither. The band takes the wheel and clicks on it to the
// view, whose cells are drawn by the view's own delegate.
class FixedCellsBand : public QWidget {
public:
    FixedCellsBand(QTableWidget* table, const int& fixed_rows, const int& fixed_cols)
        : QWidget(table), table_(table), fixed_rows_(fixed_rows), fixed_cols_(fixed_cols)
    {
        setFocusPolicy(Qt::NoFocus);
        setMouseTracking(true);
        table_->viewport()->installEventFilter(this);
        connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
        connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
        connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { place(); });
        connect(table_->verticalHeader(), &QHeaderView::sectionResized, this, [this] { place(); });
    }

    // A person widens or narrows a column by dragging its right border in the fixed rows, as
    // in the grid control; `resized` hears the column and its new width in pixels.
    std::function<void(int col, int pixels)> resized;

    // Covers the fixed part of the view, or hides when nothing is fixed.
    void place()
    {
        const QRect viewport = table_->viewport()->geometry();
        const int width = std::min(fixed_width(), viewport.width());
        const int height = std::min(fixed_height(), viewport.height());
        setGeometry(viewport);
        QRegion shape;
        if (height > 0)
            shape += QRect(0, 0, viewport.width(), height);
        if (width > 0)
            shape += QRect(0, 0, width, viewport.height());
        setMask(shape);
        setVisible(!shape.isEmpty());
        raise();
        update();
    }

    int fixed_width() const
    {
        int width = 0;
        for (int c = 0; c < std::min(fixed_cols_, table_->columnCount()); ++c)
            width += table_->columnWidth(c);
        return width;
    }
    int fixed_height() const
    {
        int height = 0;
        for (int r = 0; r < std::min(fixed_rows_, table_->rowCount()); ++r)
            height += table_->rowHeight(r);
        return height;
    }

protected:
    // The column whose right border lies under x in the fixed rows (-1: none).
    int border_at(const QPoint& at) const
    {
        if (at.y() >= fixed_height())
            return -1;
        for (int c = 0; c < table_->columnCount(); ++c) {
            const int right = column_left(c) + table_->columnWidth(c);
            if (std::abs(at.x() - right) <= kBorderGrip)
                return c;
        }
        return -1;
    }
    // A column's left edge as the band draws it: the fixed ones stay, the others scroll.
    int column_left(int col) const
    {
        int x = 0;
        for (int c = 0; c < col; ++c)
            x += table_->columnWidth(c);
        return col < fixed_cols_ ? x : x - table_->horizontalScrollBar()->value();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        dragged_ = event->button() == Qt::LeftButton ? border_at(event->position().toPoint()) : -1;
        if (dragged_ < 0)
            QWidget::mousePressEvent(event);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        if (dragged_ >= 0) {
            const int width = std::max(kNarrowestColumn, at.x() - column_left(dragged_));
            if (resized)
                resized(dragged_, width);
            return;
        }
        if (border_at(at) >= 0)
            setCursor(Qt::SplitHCursor);
        else
            unsetCursor();
        QWidget::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (std::exchange(dragged_, -1) < 0)
            QWidget::mouseReleaseEvent(event);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == table_->viewport() && event->type() == QEvent::Resize)
            place();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int width = fixed_width();
        const int height = fixed_height();
        const int rows = table_->rowCount();
        const int cols = table_->columnCount();
        // The fixed rows: their own place down the view, the columns' place across it.
        painter.save();
        painter.setClipRect(QRect(width, 0, this->width() - width, height));
        for (int r = 0, y = 0; r < std::min(fixed_rows_, rows); y += table_->rowHeight(r++))
            for (int c = fixed_cols_; c < cols; ++c)
                paint_cell(painter, r, c,
                           QRect(table_->columnViewportPosition(c), y, table_->columnWidth(c), table_->rowHeight(r)));
        painter.restore();
        // The fixed columns: their own place across, the rows' place down.
        painter.save();
        painter.setClipRect(QRect(0, height, width, this->height() - height));
        for (int c = 0, x = 0; c < std::min(fixed_cols_, cols); x += table_->columnWidth(c++))
            for (int r = fixed_rows_; r < rows; ++r)
                paint_cell(painter, r, c,
                           QRect(x, table_->rowViewportPosition(r), table_->columnWidth(c), table_->rowHeight(r)));
        painter.restore();
        // Their corner.
        for (int r = 0, y = 0; r < std::min(fixed_rows_, rows); y += table_->rowHeight(r++))
            for (int c = 0, x = 0; c < std::min(fixed_cols_, cols); x += table_->columnWidth(c++))
                paint_cell(painter, r, c, QRect(x, y, table_->columnWidth(c), table_->rowHeight(r)));
    }

private:
    void paint_cell(QPainter& painter, int row, int col, const QRect& cell)
    {
        if (!cell.intersects(rect()))
            return;
        painter.fillRect(cell, table_->palette().base());
        QStyleOptionViewItem option;
        option.initFrom(table_);
        option.rect = cell.adjusted(0, 0, -1, -1);
        option.font = table_->font();
        option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_MouseOver);
        table_->itemDelegate()->paint(&painter, option, table_->model()->index(row, col));
        const QColor line = QColor::fromRgba(
            static_cast<QRgb>(table_->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, table_)));
        painter.setPen(line);
        painter.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
        painter.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
    }

    static constexpr int kBorderGrip = 3;
    static constexpr int kNarrowestColumn = 8;
    QTableWidget* table_;
    const int& fixed_rows_;
    const int& fixed_cols_;
    int dragged_ = -1;
};

// The view whose fixed cells are where the band draws them: a fixed row keeps its place down
// the view (it follows the columns sideways), a fixed column its place across it. Assistive
// tools read a cell's extents and whether it shows from here, so after a scroll the header
// row and the name column are read on screen, where a person sees them.
class FlexTable : public QTableWidget {
public:
    FlexTable(QWidget* parent, const int& fixed_rows, const int& fixed_cols)
        : QTableWidget(parent), fixed_rows_(fixed_rows), fixed_cols_(fixed_cols)
    {
    }

    QRect visualRect(const QModelIndex& index) const override
    {
        QRect cell = QTableWidget::visualRect(index);
        if (!index.isValid())
            return cell;
        if (index.row() < fixed_rows_) {
            int y = 0;
            for (int r = 0; r < index.row(); ++r)
                y += rowHeight(r);
            cell.moveTop(y);
        }
        if (index.column() < fixed_cols_) {
            int x = 0;
            for (int c = 0; c < index.column(); ++c)
                x += columnWidth(c);
            cell.moveLeft(x);
        }
        return cell;
    }

private:
    const int& fixed_rows_;
    const int& fixed_cols_;
};

} // namespace

FlexGrid::FlexGrid(QWidget* container, const QString& name)
    : IntrinsicControl(container, name, QAccessible::Table), table_(new FlexTable(this, fixed_rows_, fixed_cols_))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setWordWrap(false);
    // Rows as tall as a line of text with a little air, as the grid control draws them; the
    // view's own default is nearly twice that.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    setFocusProxy(table_);
    // Tab goes on to the next control, as in any other control; the arrow keys move in the grid.
    table_->setTabKeyNavigation(false);
    // The cells slide under the fixed rows and columns pixel by pixel, and the last ones can
    // be scrolled out from under them.
    table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    table_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    auto* band = new FixedCellsBand(table_, fixed_rows_, fixed_cols_);
    fixed_band_ = band;
    band->resized = [this](int col, int pixels) { setColWidth(col, Screen::to_twips_x(pixels)); };
    // The current cell is never a fixed one (the focus would be drawn under the band); a cell
    // the arrow keys reach under the fixed ones is scrolled out from under them.
    connect(
        table_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, band](const QModelIndex& current) {
            if (!current.isValid())
                return;
            if ((current.row() < fixed_rows_ && fixed_rows_ < Rows()) ||
                (current.column() < fixed_cols_ && fixed_cols_ < cols_)) {
                table_->setCurrentCell(std::max(current.row(), fixed_rows_), std::max(current.column(), fixed_cols_));
                return;
            }
            const QRect cell = table_->visualRect(current);
            if (current.column() >= fixed_cols_ && cell.left() < band->fixed_width())
                table_->horizontalScrollBar()->setValue(table_->horizontalScrollBar()->value() -
                                                        (band->fixed_width() - cell.left()));
            if (current.row() >= fixed_rows_ && cell.top() < band->fixed_height())
                table_->verticalScrollBar()->setValue(table_->verticalScrollBar()->value() -
                                                      (band->fixed_height() - cell.top()));
        });
    cells_.assign(2, QStringList(cols_, QString()));
    col_widths_.assign(static_cast<std::size_t>(cols_), -1);
    refresh();
}

// The band reads the fixed counts: it goes before they do.
FlexGrid::~FlexGrid() { delete fixed_band_; }

void FlexGrid::setRows(int rows)
{
    if (rows < 0 || (fixed_rows_ > 0 && rows <= fixed_rows_))
        raise_grid(kGridInvalidRow, QStringLiteral("Invalid Row value"));
    cells_.resize(static_cast<std::size_t>(rows), QStringList(cols_, QString()));
    refresh();
}

void FlexGrid::setCols(int cols)
{
    if (cols < 0 || (fixed_cols_ > 0 && cols <= fixed_cols_))
        raise_grid(kGridInvalidCol, QStringLiteral("Invalid Col value"));
    for (QStringList& row : cells_) {
        while (row.size() > cols)
            row.removeLast();
        while (row.size() < cols)
            row.append(QString());
    }
    cols_ = cols;
    col_widths_.resize(static_cast<std::size_t>(cols), -1);
    refresh();
}

void FlexGrid::setFixedRows(int fixed)
{
    if (fixed < 0 || (fixed > 0 && fixed >= Rows()))
        raise_grid(kGridInvalidRow, QStringLiteral("Invalid Row value"));
    fixed_rows_ = fixed;
    refresh();
}

void FlexGrid::setFixedCols(int fixed)
{
    if (fixed < 0 || (fixed > 0 && fixed >= cols_))
        raise_grid(kGridInvalidCol, QStringLiteral("Invalid Col value"));
    fixed_cols_ = fixed;
    refresh();
}

double FlexGrid::ColWidth(int col) const
{
    if (col < 0 || col >= cols_)
        raise_grid(kGridSubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return col_widths_[static_cast<std::size_t>(col)];
}

void FlexGrid::setColWidth(int col, double twips)
{
    if (col < 0 || col >= cols_)
        raise_grid(kGridSubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    if (twips < -1)
        forms::raise(vberr::InvalidPropertyValue, QStringLiteral("FlexGrid"));
    col_widths_[static_cast<std::size_t>(col)] = twips;
    fit_column(col);
}

void FlexGrid::AddItem(const QString& item, int index)
{
    if (index < -1 || index > Rows())
        raise_grid(kGridSubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    QStringList row = item.split(kTab);
    while (row.size() > cols_)
        row.removeLast();
    while (row.size() < cols_)
        row.append(QString());
    const int at = index < 0 ? Rows() : index;
    cells_.insert(cells_.begin() + at, std::move(row));
    // Only the new row is drawn; a row moved under the fixed rows is styled anew.
    table_->insertRow(at);
    show_row(at);
    if (at < fixed_rows_)
        refresh();
    for (int c = 0; c < cols_; ++c)
        widen_to(c, cells_[static_cast<std::size_t>(at)][c]);
}

void FlexGrid::check_cell(int row, int col) const
{
    if (row < 0 || row >= Rows() || col < 0 || col >= cols_)
        raise_grid(kGridSubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    check_cell(row, col);
    return cells_[static_cast<std::size_t>(row)][col];
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    check_cell(row, col);
    cells_[static_cast<std::size_t>(row)][col] = text;
    show_cell(row, col);
    fit_column(col);
}

void FlexGrid::show_cell(int row, int col)
{
    auto* cell = new QTableWidgetItem(cells_[static_cast<std::size_t>(row)][col]);
    if (row < fixed_rows_ || col < fixed_cols_) {
        cell->setBackground(resolve_color(syscolor::ButtonFace, table_->palette()));
        cell->setFlags(Qt::ItemIsEnabled);
    }
    table_->setItem(row, col, cell);
    if (row == 0)
        describe_column(col);
}

void FlexGrid::show_row(int row)
{
    for (int c = 0; c < cols_; ++c)
        show_cell(row, c);
}

void FlexGrid::widen_to(int col, const QString& text)
{
    if (col_widths_[static_cast<std::size_t>(col)] >= 0)
        return;
    const int needed = QFontMetrics(table_->font()).horizontalAdvance(text) + kCellPaddingPixels;
    if (needed > table_->columnWidth(col))
        table_->setColumnWidth(col, needed);
}

void FlexGrid::fit_column(int col)
{
    const double twips_per_pixel = Screen::TwipsPerPixelX();
    const double twips = col_widths_[static_cast<std::size_t>(col)];
    if (twips >= 0) {
        table_->setColumnWidth(col, static_cast<int>(std::lround(twips / twips_per_pixel)));
        return;
    }
    // A column of the default width widens to show its longest text whole.
    table_->setColumnWidth(col, static_cast<int>(std::lround(kDefaultColWidthTwips / twips_per_pixel)));
    for (const QStringList& row : cells_)
        widen_to(col, row[col]);
}

void FlexGrid::refresh()
{
    table_->clearContents();
    table_->setRowCount(Rows());
    table_->setColumnCount(cols_);
    for (int r = 0; r < Rows(); ++r)
        show_row(r);
    for (int c = 0; c < cols_; ++c)
        fit_column(c);
    static_cast<FixedCellsBand*>(fixed_band_)->place();
}

} // namespace forms
