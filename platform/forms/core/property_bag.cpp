#include "platform/forms/core/property_bag.h"

#include "platform/forms/core/key_case.h"
#include "platform/forms/core/property_value_text.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/core/vb_error.h"

#include <algorithm>

namespace forms {

namespace {

bool is_number(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::UChar:
    case QMetaType::SChar:
    case QMetaType::Char: return true;
    default: return false;
    }
}

double number_of(const QVariant& v)
{
    if (v.typeId() == QMetaType::Bool)
        return v.toBool() ? -1.0 : 0.0;
    return v.toDouble();
}

} // namespace

bool property_values_equal(const QVariant& a, const QVariant& b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    if (is_object_reference(a) || is_object_reference(b))
        return is_object_reference(a) && is_object_reference(b) && a.value<QObject*>() == b.value<QObject*>();
    if (a.canConvert<FontRef>() && a.typeId() == qMetaTypeId<FontRef>()) {
        if (b.typeId() != qMetaTypeId<FontRef>())
            return false;
        const FontRef fa = a.value<FontRef>(), fb = b.value<FontRef>();
        if (!fa || !fb)
            return !fa && !fb;
        return fa->same_as(*fb);
    }
    if (a.typeId() == qMetaTypeId<PictureRef>()) {
        if (b.typeId() != qMetaTypeId<PictureRef>())
            return false;
        const PictureRef pa = a.value<PictureRef>(), pb = b.value<PictureRef>();
        const bool ea = !pa || pa->empty(), eb = !pb || pb->empty();
        if (ea || eb)
            return ea == eb;
        return pa->same_as(*pb);
    }
    if (is_number(a) && is_number(b))
        return number_of(a) == number_of(b);
    if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    return false;
}

const PropertyBag::Entry* PropertyBag::find(const QString& name) const
{
    const auto it = index_.constFind(key_fold(name));
    return it == index_.cend() ? nullptr : &entries_[*it];
}

void PropertyBag::reindex()
{
    index_.clear();
    for (std::size_t i = 0; i < entries_.size(); ++i)
        index_.insert(key_fold(entries_[i].key), i);
}

std::vector<const PropertyBag::Entry*> PropertyBag::unread() const
{
    std::vector<const Entry*> keys;
    for (const Entry& e : entries_)
        if (!e.read)
            keys.push_back(&e);
    return keys;
}

int PropertyBag::line_of(const QString& name) const
{
    const Entry* entry = find(name);
    return entry ? entry->line : 0;
}

QString PropertyBag::where(const QString& name) const
{
    QString text;
    if (const int line = line_of(name); line > 0)
        text = file_.isEmpty() ? QStringLiteral("Form file line %1: ").arg(line)
                               : QStringLiteral("Form file %1 line %2: ").arg(file_).arg(line);
    text += QLatin1Char('"') + key_prefix_ + name + QLatin1Char('"');
    if (!owner_.isEmpty())
        text += QStringLiteral(" of ") + owner_;
    return text;
}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& default_value) const
{
    last_read_ = name;
    const Entry* entry = find(name);
    if (entry)
        entry->read = true;
    if (!entry) {
        if (!default_value.isValid())
            raise(327, {}, {});
        return default_value;
    }
    QVariant value;
    try {
        value = stored_as_kind_of(entry->value, default_value);
    } catch (const VbError& error) {
        refuse(name, error.number(), error.description());
    }
    if (value.typeId() == qMetaTypeId<FontRef>()) {
        const FontRef font = value.value<FontRef>();
        return QVariant::fromValue(font ? font->Clone() : FontRef{});
    }
    return value;
}

void PropertyBag::refuse(const QString& name, int32_t number, const QString& what) const
{
    const StoredValueError located(number, QStringLiteral("PropertyBag"), where(name) + QStringLiteral(": ") + what);
    if (!refusal_)
        refusal_ = located;
    throw located;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& default_value)
{
    if (default_value.isValid() && property_values_equal(value, default_value)) {
        remove(name);
        return;
    }
    // A value the form file cannot hold fails here, naming its key, rather than failing the
    // whole save later; the bag keeps what it had.
    if (!storable_property_value(value))
        raise(vberr::TypeMismatch, QStringLiteral("PropertyBag"),
              QStringLiteral("The value of \"%1\" (%2) cannot be stored in a property bag")
                  .arg(name, QString::fromLatin1(value.typeName())));
    QVariant stored = value;
    // The bag keeps its own copy of a font: a later change of the control's font object
    // must not change what was saved.
    if (value.typeId() == qMetaTypeId<FontRef>()) {
        const FontRef font = value.value<FontRef>();
        stored = QVariant::fromValue(font ? font->Clone() : FontRef{});
    }
    set(name, stored);
}

void PropertyBag::set(const QString& name, const QVariant& value, int line)
{
    const QString folded = key_fold(name);
    if (const auto it = index_.constFind(folded); it != index_.cend()) {
        Entry& e = entries_[*it];
        e.value = value;
        e.line = line;
        return;
    }
    index_.insert(folded, entries_.size());
    entries_.push_back(Entry{name, value, line});
}

bool PropertyBag::remove(const QString& name)
{
    const auto it = index_.constFind(key_fold(name));
    if (it == index_.cend())
        return false;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*it));
    reindex();
    return true;
}

void PropertyBag::clear()
{
    entries_.clear();
    index_.clear();
    refusal_.reset();
}

} // namespace forms
