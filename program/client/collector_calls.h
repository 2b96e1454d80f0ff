#pragma once
// The collector's Collect and Cancel as the wizard's processing run calls them, over the
// collector object, and the names as the collector takes and gives them.

#include "collector/ostrel_collector_lib.h"
#include "platform/com/variant.h"

#include <QStringList>

#include <cstdint>
#include <functional>

namespace program {

// The collector as the run drives it; failures are raised as the runtime's errors.
struct CollectorCalls {
    std::function<void(const QStringList& names, std::int32_t mask)> collect;
    std::function<void()> cancel;
};

// A one-dimensional array of strings from 0 with the names as they are.
void names_variant(const QStringList& names, VARIANT& out);
// The strings of a one-dimensional array of strings (an enumeration's names); nothing for
// any other value.
QStringList names_of(const VARIANT& list);

// Collect and Cancel of `collector` (held by the caller for as long as the calls are used);
// a failing HRESULT is raised as the runtime's error.
CollectorCalls collector_calls(IOstrelCollector* collector);

} // namespace program
