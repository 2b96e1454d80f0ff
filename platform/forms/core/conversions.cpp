#include "platform/forms/core/conversions.h"

#include "platform/forms/core/vb_error.h"

#include <cmath>
#include <limits>
#include <optional>

namespace forms {

namespace {

// Text to number as the runtime reads it: surrounding blanks allowed, a sign, decimals with
// '.', an exponent, &H hexadecimal and &O octal literals; "True"/"False" are not numbers here.
std::optional<double> parse_number(const QString& raw)
{
    const QString text = raw.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (text.startsWith(QLatin1Char('&'))) {
        const QString upper = text.toUpper();
        int base = 0;
        qsizetype start = 2;
        if (upper.startsWith(QLatin1String("&H")))
            base = 16;
        else if (upper.startsWith(QLatin1String("&O")))
            base = 8;
        else
            return std::nullopt;
        QString digits = upper.mid(start);
        if (digits.endsWith(QLatin1Char('&')))
            digits.chop(1);
        bool ok = false;
        const qulonglong bits = digits.toULongLong(&ok, base);
        if (!ok || digits.isEmpty() || bits > 0xFFFFFFFFull)
            return std::nullopt;
        // Up to four hex digits are a 16-bit literal, more a 32-bit one; both are signed.
        if (digits.size() <= 4 && base == 16)
            return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(bits)));
        return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(bits)));
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || std::isnan(value) || std::isinf(value))
        return std::nullopt;
    return value;
}

double to_double(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return 0.0;
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? -1.0 : 0.0;
    case QMetaType::QString: {
        auto parsed = parse_number(value.toString());
        if (!parsed) {
            // The runtime also takes the Boolean words for numbers.
            const QString word = value.toString().trimmed();
            if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                return -1.0;
            if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                return 0.0;
            raise(vberr::TypeMismatch);
        }
        return *parsed;
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float: return value.toDouble();
    default: raise(vberr::TypeMismatch);
    }
}

template <typename T>
T to_integer(const QVariant& value)
{
    const double rounded = round_half_even(to_double(value));
    if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max()))
        raise(vberr::Overflow);
    return static_cast<T>(rounded);
}

} // namespace

double round_half_even(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1.0;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

int16_t CInt(const QVariant& value) { return to_integer<int16_t>(value); }
int32_t CLng(const QVariant& value) { return to_integer<int32_t>(value); }
uint8_t CByte(const QVariant& value) { return to_integer<uint8_t>(value); }
double CDbl(const QVariant& value) { return to_double(value); }

float CSng(const QVariant& value)
{
    const double d = to_double(value);
    if (std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max()))
        raise(vberr::Overflow);
    return static_cast<float>(d);
}

bool CBool(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    return to_double(value) != 0.0;
}

QString CStr(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QString: return value.toString();
    case QMetaType::Double: return QString::number(value.toDouble(), 'g', 15);
    case QMetaType::Float: return QString::number(static_cast<double>(value.toFloat()), 'g', 7);
    default:
        if (value.canConvert<qlonglong>() && value.typeId() != QMetaType::QVariantList)
            return QString::number(value.toLongLong());
        raise(vberr::TypeMismatch);
    }
}

bool IsNumeric(const QVariant& value)
{
    try {
        (void)to_double(value);
        return true;
    } catch (const VbError&) {
        return false;
    }
}

} // namespace forms
