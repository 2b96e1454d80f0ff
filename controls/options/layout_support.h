#pragma once
// What the layout code of the options controls shares: lengths of N screen pixels in twips,
// rounding to whole twips, and running a statement whose failure is ignored (the layout
// routines go on with their next statement).

#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <cmath>
#include <cstdint>

namespace options {

inline double px_x(double n) { return n * forms::Screen::TwipsPerPixelX(); }
inline double px_y(double n) { return n * forms::Screen::TwipsPerPixelY(); }
inline std::int32_t whole(double twips) { return static_cast<std::int32_t>(std::lround(twips)); }

template <typename Statement>
void ignoring_errors(Statement&& statement)
{
    try {
        statement();
    } catch (const forms::VbError&) {
    }
}

} // namespace options
