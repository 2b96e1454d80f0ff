#pragma once
// FlexGrid: the runtime's grid of text cells with the common grid control's model, an
// intrinsic control (Name, twips, its own Visible and Enabled flags).
// - Rows and Cols (2 and 2 when made) size the grid; cells keep their text when the grid
//   grows or shrinks around them.
// - FixedRows and FixedCols (1 and 1 when made) are the leading rows and columns that show
//   as headings (in the button face colour, not selectable) and stay in place when the other
//   cells scroll. Tab leaves the grid for the next control; the arrow keys move in it. A fixed count is 0, or less than
//   the number of rows (columns); Rows (Cols) cannot go below a fixed count other than 0:
//   error 30009 "Invalid Row value" or 30010 "Invalid Col value".
// - ColWidth(col) in twips; -1 (when made) is the default width, widened to the column's
//   longest text.
// - AddItem(item, index) adds a row at the end (or before row `index`); the item's cells are
//   separated by TAB and fill the row from column 0; cells beyond Cols are dropped.
// - TextMatrix(row, col) reads and writes one cell; a cell outside the grid is 381
//   "Subscript out of range".

#include "platform/forms/intrinsics/intrinsic_control.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class QTableWidget;

namespace forms {

inline constexpr std::int32_t kGridInvalidRow = 30009;
inline constexpr std::int32_t kGridInvalidCol = 30010;
inline constexpr std::int32_t kGridSubscriptOutOfRange = 381;

class FlexGrid : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(int Rows READ Rows WRITE setRows)
    Q_PROPERTY(int Cols READ Cols WRITE setCols)
    Q_PROPERTY(int FixedRows READ FixedRows WRITE setFixedRows)
    Q_PROPERTY(int FixedCols READ FixedCols WRITE setFixedCols)

public:
    FlexGrid(QWidget* container, const QString& name);
    ~FlexGrid() override;

    int Rows() const { return static_cast<int>(cells_.size()); }
    void setRows(int rows);
    int Cols() const { return cols_; }
    void setCols(int cols);
    int FixedRows() const { return fixed_rows_; }
    void setFixedRows(int fixed);
    int FixedCols() const { return fixed_cols_; }
    void setFixedCols(int fixed);

    Q_INVOKABLE double ColWidth(int col) const;
    Q_INVOKABLE void setColWidth(int col, double twips);

    // `index` -1 adds at the end.
    Q_INVOKABLE void AddItem(const QString& item, int index = -1);
    Q_INVOKABLE QString TextMatrix(int row, int col) const;
    Q_INVOKABLE void setTextMatrix(int row, int col, const QString& text);

    // The view that draws the grid (for pictures of it).
    QTableWidget* view() const { return table_; }

private:
    void check_cell(int row, int col) const;
    void show_cell(int row, int col);
    void show_row(int row);
    void fit_column(int col);
    void widen_to(int col, const QString& text);
    void refresh();
    // Assistive tools read the text of the first fixed row as the columns' headers.
    void describe_column(int col);

    QTableWidget* table_;
    QWidget* fixed_band_ = nullptr; // the fixed rows and columns, drawn over the scrolling cells
    std::vector<QStringList> cells_; // Rows rows of Cols cells
    std::vector<double> col_widths_; // twips, -1 default
    int cols_ = 2;
    int fixed_rows_ = 1;
    int fixed_cols_ = 1;
};

} // namespace forms
