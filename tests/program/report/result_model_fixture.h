#pragma once
// Result models for the report tests, as the conversion of a run builds them: the mode's
// titles, then one entry per name with one value per counter column (-1: no data).

#include "program/report/column_layout.h"
#include "program/report/processed_domains.h"
#include "program/report/resources.h"

#include <utility>
#include <vector>

namespace program_test {

inline program::ProcessedDomains model(bool exchange5, const std::vector<std::pair<QString, std::vector<int>>>& entries)
{
    program::ProcessedDomains domains;
    domains.PropertyNames().append(program::Resources::Shared().LoadString(program::name_title_string(exchange5)));
    for (const auto& column : program::counter_columns(exchange5))
        domains.PropertyNames().append(program::Resources::Shared().LoadString(column.title_string));
    for (const auto& [name, values] : entries) {
        auto domain = domains.AddNew(name, {});
        bool any = false;
        for (int v : values) {
            domain->Props()->AddNew(QString(), v);
            any = any || v != -1;
        }
        domain->isCorrectlyProcessed = any;
    }
    return domains;
}

// Sixteen network counts from `base` upwards.
inline std::vector<int> network_values(int base)
{
    std::vector<int> v;
    for (int i = 0; i < 16; ++i)
        v.push_back(base + i);
    return v;
}

} // namespace program_test
