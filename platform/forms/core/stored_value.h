#pragma once
// A value read from a stored bag, handed to its reader as the kind the reader asks for (the
// kind of the default it gives). Numbers, Booleans and strings convert by the runtime's rules
// (CLng, CBool, CStr, ...), with two limits a stored value must also keep: a whole-number kind
// takes only a whole number (2.5 is no button position), and Empty is no value of a kind.
// A font is only a font (not Nothing where the reader's default is a font), a picture only
// a picture. Without a default, or with an object default (a Variant that may hold Nothing),
// the value is handed out as it was stored.

#include <QString>
#include <QVariant>

#include <cstdint>

namespace forms {

class PropertyBag;

// Raises 13 (Type mismatch) for a value of another kind and 380 (Invalid property value) for
// one outside the kind's range; the description says what was found and what was expected.
QVariant stored_as_kind_of(const QVariant& stored, const QVariant& kind);

// The name of a value's kind as a form file spells it ("Long", "String", ...).
QString stored_kind_name(const QVariant& value);

// The one rule for every length a form file stores, in twips, bounded by what a form can show
// (Screen::kLargestLength): a size (a control's Width and Height, a form's) from 0 to it, a
// place (a control's Left and Top, a line's ends) within it either side of its container's
// corner (a control docked at the bottom of a form shorter than itself stands above it).
// Reads `key` (the fallback when absent) and refuses anything else (NaN, a negative size,
// 1e308) through the bag: 380 naming the line and the key.
double stored_length(const PropertyBag& bag, const QString& key, double fallback);
double stored_position(const PropertyBag& bag, const QString& key, double fallback);

// A stored whole number that chooses one of the values `least`..`most` (an enumeration):
// read as a Long, anything outside refused through the bag, 380 naming the line and the key.
std::int32_t stored_choice(const PropertyBag& bag, const QString& key, std::int32_t fallback, std::int32_t least,
                           std::int32_t most);

} // namespace forms
