#include "platform/forms/flex_grid.h"

#include "platform/forms/screen.h"
#include "platform/forms/vb_error.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace forms {

namespace {

constexpr QChar kTab = u'\t';
constexpr double kDefaultColWidthTwips = 960; // 64 pixels at 15 twips per pixel
constexpr int kCellPaddingPixels = 12;        // the cell's margins around its text

void raise_grid(std::int32_t number, const QString& description)
{
    raise(number, QStringLiteral("FlexGrid"), description);
}

} // namespace

FlexGrid::FlexGrid(QWidget* container, const QString& name)
    : IntrinsicControl(container, name, QAccessible::Table), table_(new QTableWidget(this))
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
    cells_.assign(2, QStringList(cols_, QString()));
    col_widths_.assign(static_cast<std::size_t>(cols_), -1);
    refresh();
}

FlexGrid::~FlexGrid() = default;

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
    if (row == 0 && fixed_rows_ > 0)
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
}

} // namespace forms
