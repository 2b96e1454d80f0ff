#include "controls/display/up_down_rules.h"

#include "platform/forms/core/conversions.h"

#include <algorithm>

namespace up_down {

std::int32_t stepped(std::int32_t value, std::int32_t min, std::int32_t max, std::int32_t increment, bool wrap, bool up)
{
    // Computed wide: a step never overflows, it stops at the end of the range.
    const std::int64_t step = increment;
    if (up) {
        if (value < max)
            return static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{value} + step, max));
        return wrap ? min : max;
    }
    if (value > min)
        return static_cast<std::int32_t>(std::max<std::int64_t>(std::int64_t{value} - step, min));
    return wrap ? max : min;
}

QString checked_text(const QString& text, std::int32_t value, std::int32_t min, std::int32_t max)
{
    const QString trimmed = text.trimmed();
    if (!forms::IsNumeric(trimmed))
        return QString::number(value);
    const double typed = forms::CDbl(trimmed);
    QString result = text;
    if (typed >= max)
        result = QString::number(max);
    if (typed <= min)
        result = QString::number(min);
    return result;
}

int max_length(std::int32_t min, std::int32_t max)
{
    return static_cast<int>(std::max(QString::number(min).size(), QString::number(max).size()));
}

} // namespace up_down
