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
#include <optional>
#include <span>

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

// Which of the two a geometry key of a control or a form stores: Width and Height a size;
// Left, Top and a line's ends X1, Y1, X2, Y2 a place; any other key neither.
enum class StoredLength { None, Size, Place };
StoredLength stored_length_kind(const QString& key);
// The same rule for one number: empty when a form file holds `twips` as a length of that
// kind, else why not ("1e+308 twips is no length from 0 to 245760").
QString stored_length_refusal(double twips, StoredLength kind);

// A stored whole number that chooses one of a few values (an enumeration): its key and the
// values its reader takes, `least` to `most` and perhaps one more beyond them (a label's 99,
// its own pointer picture). A control keeps its enumerations in one table: its reader reads
// through it, and the design tool refuses a value the table does not take when a designer
// types it, so that no saved form holds a value its reader would refuse.
struct StoredChoice {
    const char* key;
    std::int32_t least;
    std::int32_t most;
    std::optional<std::int32_t> also = std::nullopt;

    bool takes(std::int32_t value) const { return (value >= least && value <= most) || (also && value == *also); }
    // "0 to 2", "0 to 15, or 99".
    QString values_text() const;
};

// The entry of `table` for `key` (without regard to case); nullptr when the table has none.
const StoredChoice* find_stored_choice(std::span<const StoredChoice> table, const QString& key);

// Reads the enumeration `key` of `table` as a Long (the fallback when absent); a value the
// entry does not take is refused through the bag: 380 naming the line and the key. A key the
// table does not hold is the reader's own mistake (5).
std::int32_t stored_choice(const PropertyBag& bag, std::span<const StoredChoice> table, const QString& key,
                           std::int32_t fallback);

} // namespace forms
