#pragma once
// The report texts derived from the result model: the results matrix (TAB-joined rows:
// header, one row per entry with data, Total) and the INI text made from it.

#include "program/report/processed_domains.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace program {

// Shows a failure's description to the user (a message box, or standard error without a
// display).
using failure_reporter = std::function<void(const QString& description)>;

// The results matrix of `domains`; on a failure (a column sum leaving the signed 32-bit
// range, a failing model call) the failure's description goes to `report` and the result is
// empty.
std::optional<QStringList> FillResultsMatrix(ProcessedDomains& domains, const failure_reporter& report);

// The INI text of a results matrix: the Total section first, then one section per entry row.
// Failures are raised to the caller.
QString MakeINIString(const QStringList& results);

} // namespace program
