#pragma once
// The report's columns per mode: the title string of each column (the name column first)
// and the collector counter behind each counter column, in column order.

#include "collector/oxc_ostrel_counter.h"

#include <span>

namespace program {

struct counter_column {
    int title_string;
    oxcOstrelCounter counter;
};

// The title string of the name column: "Domain" or "Organization".
int name_title_string(bool exchange5);

// The counter columns, column 1 onward.
std::span<const counter_column> counter_columns(bool exchange5);

} // namespace program
