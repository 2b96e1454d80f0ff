#pragma once
// A control's property bag: named values, keys compared without regard to case, kept in the
// order they were first written. WriteProperty does not store a value equal to the default
// it is given (the reader supplies the same default), and removes an earlier entry of that
// key, so a bag always holds what a fresh write would. Value kinds: Empty, Boolean, Integer
// (16-bit), Long (32-bit), Single, Double, String, OLE_COLOR (an unsigned 32-bit value),
// Font (FontRef) and Picture (PictureRef).

#include "platform/forms/std_font.h"
#include "platform/forms/std_picture.h"

#include <QString>
#include <QVariant>

#include <vector>

namespace forms {

// Equality as default elision sees it: numbers and Booleans by value (True is -1), strings
// exactly, fonts and pictures by content.
bool property_values_equal(const QVariant& a, const QVariant& b);

class PropertyBag {
public:
    struct Entry {
        QString key;
        QVariant value;
    };

    // The stored value, else `default_value`; a missing key without a default raises 327.
    // A font is handed out as a new object, so the reader owns what it gets.
    QVariant ReadProperty(const QString& name, const QVariant& default_value = {}) const;
    // An invalid `default_value` means no default: the value is always written.
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& default_value = {});

    bool contains(const QString& name) const { return find(name) != nullptr; }
    const std::vector<Entry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    void clear() { entries_.clear(); }
    // Stores a value as it is, without default elision (the form-file reader uses it).
    void set(const QString& name, const QVariant& value);
    bool remove(const QString& name);

private:
    const Entry* find(const QString& name) const;

    std::vector<Entry> entries_;
};

} // namespace forms
