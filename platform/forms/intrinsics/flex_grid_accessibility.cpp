// What assistive tools read of a grid besides its cells: the column headers, which a person
// sees as the text of the first fixed row.

#include "platform/forms/intrinsics/flex_grid.h"

#include <QTableWidget>

namespace forms {

void FlexGrid::describe_column(int col)
{
    // The view's own header stays hidden (the fixed row is drawn as cells); its items are the
    // columns' descriptions for assistive tools. Without a fixed row no column has a header.
    if (fixed_rows_ > 0)
        table_->setHorizontalHeaderItem(col, new QTableWidgetItem(cells_.front()[col]));
    else
        delete table_->takeHorizontalHeaderItem(col);
}

} // namespace forms
