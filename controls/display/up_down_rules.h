#pragma once
// The number rules of the up-down box, apart from any widget: the arrow-key step, the text
// check when the user leaves the box, and the text box's length limit.

#include <QString>

#include <cstdint>

namespace up_down {

// The value after an Up (`up` true) or Down arrow. Below Max an Up adds Increment, at or above
// Max it goes to Min when `wrap` is on and stays at Max otherwise; Down mirrors this. A step
// that would pass the end of the range stops at the end instead of failing, so Up near Max
// reaches Max.
std::int32_t stepped(std::int32_t value, std::int32_t min, std::int32_t max, std::int32_t increment, bool wrap,
                     bool up);

// The text the box holds after its check, for the text `text` the user left in it: a number
// at or above Max becomes Max and one at or below Min becomes Min (both compared on the
// number typed); any other number stays as typed; a text that is not a number becomes the
// current `value`. The value is then that text rounded to a whole number, halves to even
// (forms::CLng).
QString checked_text(const QString& text, std::int32_t value, std::int32_t min, std::int32_t max);

// The longest text the box takes: as many characters as the longer of Min and Max written as
// decimal numbers, so that every number of the range can be typed (-100 with Max 10).
int max_length(std::int32_t min, std::int32_t max);

} // namespace up_down
