#pragma once
// A docked control's place is the form's docking outcome, not a designer's edit: the form
// stacks its docked controls front-most first, so bringing one page to the front, minimising
// one or maximising it again moves every other docked page. Those moves are worked out again
// whenever the form loads; saving them would rewrite the @Top of pages nobody touched.

namespace forms {
struct FormData;
} // namespace forms

// In `now`, gives each control docked the same way when loaded and now the lengths the
// docking sets (Left, Top and the length along the edge) as they were loaded; what the
// designer sets (the docked height or width, the docking itself) stays as it is now.
void keep_docking_outcome(const forms::FormData& loaded, forms::FormData& now);
