#pragma once
// The results page's grid: filled from the result model through the results matrix (its
// header a data row, fixed with the name column once filled; the Total row last), and the
// three output buttons (Copy, Print, Save), enabled exactly when the grid holds at least one
// entry row between the header and Total.

#include "program/report/processed_domains.h"
#include "program/report/results_report.h"

#include <QStringList>

#include <array>
#include <optional>

namespace forms {
class FlexGrid;
class IntrinsicControl;
} // namespace forms

namespace program {

using OutputButtons = std::array<forms::IntrinsicControl*, 3>;

// Fills `grid` and returns the results matrix the output actions hand out (nothing when it
// could not be built). The buttons are disabled first, so a failure at any step leaves them
// disabled; the failure's description goes to `report` and the remaining steps are skipped.
std::optional<QStringList> FillResultsGrid(ProcessedDomains& domains, forms::FlexGrid& grid,
                                           const OutputButtons& cmdChooseOutput, const failure_reporter& report);

} // namespace program
