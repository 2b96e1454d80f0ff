#include "program/wizard/results_grid.h"

#include "platform/forms/intrinsics/flex_grid.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <QFontMetrics>
#include <QTableWidget>

#include <algorithm>

namespace program {

namespace {

constexpr double kNameColumnTwips = 1200;
constexpr int kFewestRowsWithAnEntry = 3; // header, one entry, Total
constexpr int kCellPadding = 12;          // pixels around a cell's text

// The name column as wide as the longest name (a domain's full name, never "dc1.t...local"),
// and never narrower than the grid's first width.
void fit_name_column(forms::FlexGrid& grid)
{
    const QFontMetrics metrics(grid.view()->font());
    int widest = 0;
    for (int row = 0; row < grid.Rows(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(grid.TextMatrix(row, 0)));
    grid.setColWidth(0,
                     std::max(kNameColumnTwips, static_cast<double>(forms::Screen::to_twips_x(widest + kCellPadding))));
}

void enable_buttons(const OutputButtons& buttons, bool enabled)
{
    for (forms::IntrinsicControl* button : buttons)
        if (button)
            button->setEnabled(enabled);
}

} // namespace

std::optional<QStringList> FillResultsGrid(ProcessedDomains& domains, forms::FlexGrid& grid,
                                           const OutputButtons& cmdChooseOutput, const failure_reporter& report)
{
    std::optional<QStringList> results;
    try {
        enable_buttons(cmdChooseOutput, false);
        grid.setCols(static_cast<int>(domains.PropertyNames().size()));
        grid.setColWidth(0, kNameColumnTwips);
        grid.setFixedRows(0);
        grid.setRows(0);
        // The matrix reports its own failure; the grid then stays empty.
        results = FillResultsMatrix(domains, report);
        if (!results)
            return results;
        for (const QString& row : *results)
            grid.AddItem(row);
        fit_name_column(grid);
        enable_buttons(cmdChooseOutput, grid.Rows() >= kFewestRowsWithAnEntry);
        if (grid.Enabled())
            grid.setFixedRows(1);
        if (grid.Enabled())
            grid.setFixedCols(1);
    } catch (const forms::VbError& error) {
        if (report)
            report(error.description());
    }
    return results;
}

} // namespace program
