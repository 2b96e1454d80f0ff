#pragma once
// Names as the collector takes and gives them: a one-dimensional array of strings from 0 in
// a variant.

#include "platform/com/variant.h"

#include <QStringList>

namespace program {

// `names` as an array of strings from 0 into `out` (which must be empty); raises on failure.
void names_variant(const QStringList& names, VARIANT& out);
// The strings of a one-dimensional array of strings; nothing for any other value.
QStringList names_of(const VARIANT& list);

} // namespace program
