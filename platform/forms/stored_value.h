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

namespace forms {

// Raises 13 (Type mismatch) for a value of another kind and 380 (Invalid property value) for
// one outside the kind's range; the description says what was found and what was expected.
QVariant stored_as_kind_of(const QVariant& stored, const QVariant& kind);

// The name of a value's kind as a form file spells it ("Long", "String", ...).
QString stored_kind_name(const QVariant& value);

} // namespace forms
