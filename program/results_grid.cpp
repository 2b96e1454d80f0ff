#include "program/results_grid.h"

#include "platform/forms/flex_grid.h"
#include "platform/forms/vb_error.h"

namespace program {

namespace {

constexpr double kNameColumnTwips = 1200;
constexpr int kFewestRowsWithAnEntry = 3; // header, one entry, Total

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
