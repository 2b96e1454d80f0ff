#include "controls/display/miscellaneous.h"

#include <cmath>

namespace {

QString two_digits(double field)
{
    return QStringLiteral("%1").arg(static_cast<qint64>(field), 2, 10, QLatin1Char('0'));
}

} // namespace

QString FormatSeconds(float s)
{
    const double value = s;
    if (!std::isfinite(value))
        return QStringLiteral("--:--:--");
    // Rounding the whole first carries a rounded-up minute into the minutes field.
    const double total = std::nearbyint(std::fabs(value));
    const double hours = std::fmod(std::floor(total / 3600.0), 24.0);
    const double minutes = std::fmod(std::floor(total / 60.0), 60.0);
    const double seconds = std::fmod(total, 60.0);
    QString text = two_digits(hours) + QLatin1Char(':') + two_digits(minutes) + QLatin1Char(':') + two_digits(seconds);
    if (value < 0 && total > 0)
        text.prepend(QLatin1Char('-'));
    return text;
}
