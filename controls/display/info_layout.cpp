#include "controls/display/info_layout.h"

namespace info_layout {

double line_top(double line_height, double title_height, int line)
{
    return line_height + title_height + (line - 1) * line_height * 1.3;
}

std::optional<float> grown_height(double line_top, float line_height, float panel_height, double px)
{
    const float bottom = static_cast<float>(line_top + line_height);
    if (bottom > panel_height - static_cast<float>(5 * px))
        return static_cast<float>(bottom + 5 * px);
    return std::nullopt;
}

ValueArrangement arrange_value(float line_width, float value_left, float link_width, float needed_width, double px,
                               bool several_lines)
{
    ValueArrangement result;
    const float room = line_width - value_left - static_cast<float>(3 * px);
    if (room > link_width) {
        if (room < needed_width || several_lines) {
            // The value is cut short 3 px before the link, which ends 6 px before the edge.
            const float width = room - link_width - static_cast<float>(6 * px);
            if (width >= 0)
                result.value_width = width;
            result.link_left = room - link_width - static_cast<float>(3 * px) + value_left;
            result.link_visible = true;
        } else {
            result.link_visible = false;
            result.value_width = room;
        }
    } else if (room > 0) {
        // Room for neither: the link stands in the value's place.
        result.link_left = value_left;
        result.link_visible = true;
        result.value_width = 0;
    }
    return result;
}

} // namespace info_layout
