#include "platform/forms/core/stored_value.h"

#include "platform/forms/core/conversions.h"
#include "platform/forms/core/key_case.h"
#include "platform/forms/core/property_bag.h"
#include "platform/forms/core/property_value_text.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/core/vb_error.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace forms {

namespace {

[[noreturn]] void refuse(int number, const QVariant& stored, const QVariant& kind, const QString& why = {})
{
    QString text = QStringLiteral("found %1, expected %2").arg(stored_kind_name(stored), stored_kind_name(kind));
    if (!why.isEmpty())
        text += QStringLiteral(" (") + why + QLatin1Char(')');
    raise(number, QStringLiteral("PropertyBag"), text);
}

// The runtime's conversion `convert`, with its Overflow reported as a value out of range.
template <typename Convert>
QVariant in_range(const QVariant& stored, const QVariant& kind, Convert convert)
{
    try {
        return convert(stored);
    } catch (const VbError& error) {
        if (error.number() != vberr::Overflow)
            throw;
        refuse(vberr::InvalidPropertyValue, stored, kind, QStringLiteral("out of range"));
    }
}

// As in_range, and a fractional number is refused for a whole-number kind.
template <typename Convert>
QVariant whole_number(const QVariant& stored, const QVariant& kind, Convert convert)
{
    const double number = CDbl(stored);
    if (std::floor(number) != number)
        refuse(vberr::InvalidPropertyValue, stored, kind, QStringLiteral("not a whole number"));
    return in_range(stored, kind, convert);
}

QVariant converted(const QVariant& stored, const QVariant& kind)
{
    const int type = kind.typeId();
    if (type == qMetaTypeId<FontRef>()) {
        if (stored.typeId() != type)
            refuse(vberr::TypeMismatch, stored, kind);
        if (kind.value<FontRef>() && !stored.value<FontRef>())
            refuse(vberr::InvalidPropertyValue, stored, kind, QStringLiteral("Nothing"));
        return stored;
    }
    if (type == qMetaTypeId<PictureRef>()) {
        if (stored.typeId() != type)
            refuse(vberr::TypeMismatch, stored, kind);
        return stored;
    }
    if (stored.typeId() == qMetaTypeId<FontRef>() || stored.typeId() == qMetaTypeId<PictureRef>())
        refuse(vberr::TypeMismatch, stored, kind);
    if (!stored.isValid())
        refuse(vberr::TypeMismatch, stored, kind);
    switch (type) {
    case QMetaType::Bool: return QVariant(CBool(stored));
    case QMetaType::Short:
        return whole_number(stored, kind, [](const QVariant& v) { return QVariant::fromValue<short>(CInt(v)); });
    case QMetaType::Int: return whole_number(stored, kind, [](const QVariant& v) { return QVariant(CLng(v)); });
    case QMetaType::UInt:
        // OLE_COLOR and other unsigned 32-bit values take any Long bit pattern.
        if (stored.typeId() == QMetaType::UInt)
            return stored;
        return whole_number(stored, kind, [&](const QVariant& v) {
            const double d = CDbl(v);
            if (d < -2147483648.0 || d > 4294967295.0)
                raise(vberr::Overflow);
            return QVariant(d < 0 ? static_cast<uint>(static_cast<int>(d)) : static_cast<uint>(d));
        });
    case QMetaType::Double: return QVariant(CDbl(stored));
    case QMetaType::Float: return in_range(stored, kind, [](const QVariant& v) { return QVariant(CSng(v)); });
    case QMetaType::QString: return QVariant(CStr(stored));
    default: break;
    }
    if (stored.metaType() != kind.metaType())
        refuse(vberr::TypeMismatch, stored, kind);
    return stored;
}

} // namespace

QString stored_kind_name(const QVariant& value)
{
    if (!value.isValid())
        return QStringLiteral("Empty");
    const int type = value.typeId();
    if (type == qMetaTypeId<FontRef>())
        return QStringLiteral("Font");
    if (type == qMetaTypeId<PictureRef>())
        return QStringLiteral("Picture");
    switch (type) {
    case QMetaType::Bool: return QStringLiteral("Boolean");
    case QMetaType::Short:
    case QMetaType::UChar:
    case QMetaType::SChar: return QStringLiteral("Integer");
    case QMetaType::Int: return QStringLiteral("Long");
    case QMetaType::UInt: return QStringLiteral("Color");
    case QMetaType::Float: return QStringLiteral("Single");
    case QMetaType::Double: return QStringLiteral("Double");
    case QMetaType::QString: return QStringLiteral("String");
    default: return QString::fromLatin1(value.typeName());
    }
}

QVariant stored_as_kind_of(const QVariant& stored, const QVariant& kind)
{
    // No default, or an object default (a Variant property that may hold Nothing): the value
    // as it was stored.
    if (!kind.isValid() || is_object_reference(kind))
        return stored;
    try {
        return converted(stored, kind);
    } catch (const VbError& error) {
        if (error.source() == QLatin1String("PropertyBag"))
            throw;
        // The runtime's own refusal (text that is no number): say what was found.
        refuse(error.number(), stored, kind);
    }
}

namespace {

double stored_twips(const PropertyBag& bag, const QString& key, double fallback, StoredLength kind)
{
    const double twips = bag.ReadProperty(key, fallback).toDouble();
    const QString refusal = stored_length_refusal(twips, kind);
    if (!refusal.isEmpty())
        bag.refuse(key, vberr::InvalidPropertyValue, refusal);
    return twips;
}

bool is_key_of(const QString& key, std::initializer_list<const char*> keys)
{
    return std::any_of(keys.begin(), keys.end(), [&](const char* k) { return same_key(QLatin1String(k), key); });
}

} // namespace

QString stored_length_refusal(double twips, StoredLength kind)
{
    const double least = kind == StoredLength::Place ? -Screen::kLargestLength : 0.0;
    // Written so that NaN, which compares false with everything, is refused too.
    if (twips >= least && twips <= Screen::kLargestLength)
        return {};
    return QStringLiteral("%1 twips is no %2 from %3 to %4")
        .arg(twips)
        .arg(kind == StoredLength::Place ? QStringLiteral("place") : QStringLiteral("length"))
        .arg(least)
        .arg(Screen::kLargestLength);
}

StoredLength stored_length_kind(const QString& key)
{
    if (is_key_of(key, {"Left", "Top", "X1", "Y1", "X2", "Y2"}))
        return StoredLength::Place;
    if (is_key_of(key, {"Width", "Height"}))
        return StoredLength::Size;
    return StoredLength::None;
}

double stored_length(const PropertyBag& bag, const QString& key, double fallback)
{
    return stored_twips(bag, key, fallback, StoredLength::Size);
}

double stored_position(const PropertyBag& bag, const QString& key, double fallback)
{
    return stored_twips(bag, key, fallback, StoredLength::Place);
}

QString StoredChoice::values_text() const
{
    QString text = QStringLiteral("%1 to %2").arg(least).arg(most);
    if (also)
        text += QStringLiteral(", or %1").arg(*also);
    return text;
}

const StoredChoice* find_stored_choice(std::span<const StoredChoice> table, const QString& key)
{
    for (const StoredChoice& choice : table)
        if (same_key(QLatin1String(choice.key), key))
            return &choice;
    return nullptr;
}

std::int32_t stored_choice(const PropertyBag& bag, std::span<const StoredChoice> table, const QString& key,
                           std::int32_t fallback)
{
    const StoredChoice* choice = find_stored_choice(table, key);
    if (choice == nullptr)
        raise(vberr::InvalidProcedureCall, QStringLiteral("PropertyBag"),
              QStringLiteral("\"%1\" is no enumeration of the reader's table").arg(key));
    const std::int32_t value = bag.ReadProperty(key, fallback).toInt();
    if (!choice->takes(value))
        bag.refuse(key, vberr::InvalidPropertyValue,
                   QStringLiteral("%1 is no value from %2").arg(value).arg(choice->values_text()));
    return value;
}

} // namespace forms
