#pragma once
// The arithmetic of the information panel and its lines, apart from any widget. Lengths are
// twips; `px` is the screen's twips per pixel in the direction concerned.

#include <optional>

namespace info_layout {

// The Top of line `line` (1, 2, ...): under the title, 1.3 line heights apart. Computed in
// double precision, so line 2 of 225-twip lines under a 420-twip title stands at 937.5.
double line_top(double line_height, double title_height, int line);

// The panel's new height once a line whose bottom is `line_top` + `line_height` has been
// added, or nothing when the line fits above the panel's bottom margin of 5 px.
std::optional<float> grown_height(double line_top, float line_height, float panel_height, double px);

// Where a line puts its value and its "Full info..." link. A member left empty is not
// changed: that step of the arrangement does not apply (or would give a negative width).
struct ValueArrangement {
    std::optional<float> value_width;
    std::optional<float> link_left;
    std::optional<bool> link_visible;
};

// `line_width` is the line's inner width, `value_left` the Left of the value, `link_width`
// the link's width and `needed_width` the width the whole value needs on one line. A value of
// `several_lines` never fits: the line shows its first line only, so the link must offer the rest.
ValueArrangement arrange_value(float line_width, float value_left, float link_width, float needed_width, double px,
                               bool several_lines = false);

} // namespace info_layout
