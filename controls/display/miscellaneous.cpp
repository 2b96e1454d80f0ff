#include "controls/display/miscellaneous.h"

#include "controls/display/error_handling.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/ole_color.h"
#include "platform/forms/hosting/type_name.h"

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

namespace {

void skipping_failure(QObject* control, const char* property, const QVariant& value)
{
    display_errors::ignoring_errors([&] { forms::let(control, QString::fromLatin1(property), value); });
}

} // namespace

void SetControlEnabled(QObject* control, bool enabled)
{
    if (!control)
        return;
    const QString type = forms::TypeName(control);
    const OLE_COLOR back = enabled ? forms::syscolor::WindowBackground : forms::syscolor::ButtonFace;
    if (type == QLatin1String("TextBox")) {
        // Read-only and disabled too: a box a person cannot type into must not read as an
        // editable, enabled one to assistive tools. Its text still shows and is still read.
        skipping_failure(control, "Locked", !enabled);
        skipping_failure(control, "Enabled", enabled);
        skipping_failure(control, "BackColor", back);
        return;
    }
    skipping_failure(control, "Enabled", enabled);
    if (type != QLatin1String("Label") && type != QLatin1String("KyLabel"))
        skipping_failure(control, "BackColor", back);
    if (type != QLatin1String("KyLabel"))
        skipping_failure(control, "ForeColor", enabled ? forms::syscolor::WindowText : forms::syscolor::GrayText);
}
