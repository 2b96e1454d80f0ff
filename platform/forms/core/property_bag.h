#pragma once
// A control's property bag: named values, keys compared without regard to case, kept in the
// order they were first written. WriteProperty does not store a value equal to the default
// it is given (the reader supplies the same default), and removes an earlier entry of that
// key, so a bag always holds what a fresh write would. Value kinds: Empty, Boolean, Integer
// (16-bit), Long (32-bit), Single, Double, String, OLE_COLOR (an unsigned 32-bit value),
// Font (FontRef) and Picture (PictureRef).
//
// A bag read from a form file knows whose it is and the line of each value, so a stored value
// of the wrong kind is refused naming the line, the control and the key.

#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/core/vb_error.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace forms {

// Equality as default elision sees it: numbers and Booleans by value (True is -1), strings
// exactly, fonts and pictures by content.
bool property_values_equal(const QVariant& a, const QVariant& b);

// A stored value that a read refused. A control whose procedures report their own errors lets
// this one through: a refused value fails the load rather than loading as something else.
class StoredValueError : public VbError {
public:
    using VbError::VbError;
};

class PropertyBag {
public:
    struct Entry {
        QString key;
        QVariant value;
        int line = 0;              // the form file's line, 0 for a value not read from a file
        mutable bool read = false; // whether a reader asked for it
    };

    // The stored value, else `default_value`; a missing key without a default raises 327.
    // A stored value is handed out as the kind of `default_value` (by the runtime's
    // conversions; a whole number for a whole-number kind, a font for a font, a picture for a
    // picture); one that does not convert raises 13, or 380 for a value out of the kind's
    // range (as StoredValueError), with a description naming the line, the bag's owner and the
    // key. The first such
    // refusal is also kept (refusal()), so a reader that handles its own errors cannot
    // turn a refused value into a loaded one. A font is handed out as a new object, so the
    // reader owns what it gets.
    QVariant ReadProperty(const QString& name, const QVariant& default_value = {}) const;
    // An invalid `default_value` means no default: the value is always written.
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& default_value = {});

    bool contains(const QString& name) const { return find(name) != nullptr; }
    const std::vector<Entry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    void clear();
    // Stores a value as it is, without default elision (the form-file reader uses it).
    void set(const QString& name, const QVariant& value, int line = 0);
    bool remove(const QString& name);

    // Whose bag this is ("control lblTitle", "form frmMain"), for the descriptions of refusals.
    void set_owner(const QString& owner) { owner_ = owner; }
    const QString& owner() const { return owner_; }
    // The form file the bag was read from, named in the descriptions of refusals, and how
    // its keys are written there ("@" for a control's extender values).
    void set_file(const QString& file, const QString& key_prefix = {})
    {
        file_ = file;
        key_prefix_ = key_prefix;
    }
    // The line of `name` in the file the bag was read from, 0 when none.
    int line_of(const QString& name) const;
    // "Form file line 12: "Max" of control updCount" (the parts known; with the file,
    // "Form file /path/frmMain.ofm line 12: ...").
    QString where(const QString& name) const;
    // Refuses the stored value of `name` that its reader found outside what it takes, as a
    // read refuses a value of the wrong kind (StoredValueError, kept as refusal()).
    [[noreturn]] void refuse(const QString& name, int32_t number, const QString& what) const;
    // The key of the last ReadProperty, so that a setter's refusal right after it can be
    // told where it is.
    const QString& last_read() const { return last_read_; }
    // The stored keys no reader asked for, in file order.
    std::vector<const Entry*> unread() const;
    const QString& file() const { return file_; }
    // The first stored value a read refused, if any.
    const std::optional<VbError>& refusal() const { return refusal_; }

private:
    const Entry* find(const QString& name) const;
    void reindex();

    std::vector<Entry> entries_;
    // Case-folded key to index in entries_: a lookup does not scan the bag.
    QHash<QString, std::size_t> index_;
    QString owner_;
    QString file_;
    QString key_prefix_;
    mutable std::optional<VbError> refusal_;
    mutable QString last_read_;
};

} // namespace forms
