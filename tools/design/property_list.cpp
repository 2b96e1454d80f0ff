#include "tools/design/property_list.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/core/conversions.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/property_value_text.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/core/vb_error.h"

#include <QMetaProperty>

#include <cstdint>
#include <limits>

namespace {

// The extender's rows: where a control sits, how large it is, whether it shows, and its
// place in the Tab order.
const char* const kExtenderRows[] = {"Left", "Top", "Width", "Height", "Visible", "TabIndex"};

bool listed_type(int type)
{
    switch (type) {
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::QString: return true;
    default: return false;
    }
}

// One listed property: its name, the type of its value, and whether a site's row is the
// extender's (where the control sits) rather than the control's own.
struct Row {
    QString name;
    int type;
    bool extender = false;
};

std::vector<Row> own_rows(const QObject& object, int first)
{
    std::vector<Row> rows;
    const QMetaObject* meta = object.metaObject();
    for (int i = first; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable() && listed_type(property.metaType().id()))
            rows.push_back({QString::fromLatin1(property.name()), property.metaType().id(), false});
    }
    return rows;
}

bool has_row(const std::vector<Row>& rows, const QString& name)
{
    for (const Row& row : rows)
        if (row.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

std::vector<Row> rows_of(QObject& object)
{
    if (auto* site = qobject_cast<forms::ControlSite*>(&object)) {
        if (!site->control())
            return {};
        std::vector<Row> rows = own_rows(*site->control(), forms::UserControl::staticMetaObject.propertyCount());
        const QMetaObject& extender = forms::ControlSite::staticMetaObject;
        for (const char* name : kExtenderRows)
            if (!has_row(rows, QString::fromLatin1(name)))
                rows.push_back({QString::fromLatin1(name),
                                extender.property(extender.indexOfProperty(name)).metaType().id(), true});
        return rows;
    }
    // The form and the intrinsic controls: what their classes declare above QWidget.
    return own_rows(object, QWidget::staticMetaObject.propertyCount());
}

const QString kColourWord = QStringLiteral("Color ");

QString value_text(const QVariant& value, int type)
{
    if (type == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    // A colour as a form file holds it: "&H8000000F&".
    if (type == QMetaType::UInt)
        return forms::encode_property_value(QVariant(value.toUInt())).mid(kColourWord.size());
    return value.toString();
}

// A property that can only be set (a Get raises 394) shows no value.
QString read_text(QObject& object, const Row& row)
{
    try {
        return value_text(forms::get(&object, row.name), row.type);
    } catch (const forms::VbError& e) {
        if (e.number() != forms::vberr::GetNotSupportedWriteOnly)
            throw;
        return {};
    }
}

// "&H8000000F&": a colour as the forms runtime writes it.
bool colour_value(const QString& text, uint& value)
{
    if (!text.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        return false;
    // "&h8000000f" is the same colour: the prefix in upper case, the closing "&" optional.
    QString written = QStringLiteral("&H") + text.mid(2);
    if (!written.endsWith(QLatin1Char('&')))
        written += QLatin1Char('&');
    try {
        const QVariant colour = forms::decode_property_value(kColourWord + written);
        if (colour.metaType() != QMetaType::fromType<uint>())
            return false;
        value = colour.toUInt();
        return true;
    } catch (const forms::VbError&) {
        return false;
    }
}

QVariant typed_value(const Row& row, const QString& text)
{
    if (row.type == QMetaType::QString)
        return text;
    const QString trimmed = text.trimmed();
    const char* expected = "a number";
    if (row.type == QMetaType::Bool) {
        expected = "True or False";
        if (trimmed.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (trimmed.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
    } else {
        if (row.type == QMetaType::UInt) {
            expected = "a colour such as &H8000000F& or a number";
            uint colour = 0;
            if (colour_value(trimmed, colour))
                return QVariant(colour);
        }
        bool ok = false;
        const double number = trimmed.toDouble(&ok);
        if (ok)
            return number;
    }
    forms::raise(forms::vberr::TypeMismatch, QStringLiteral("ostrel-design"),
                 QStringLiteral("\"%1\" is not a value for %2 (%3)").arg(text, row.name, QString::fromLatin1(expected)));
}

QString name_of(QObject& object)
{
    const QVariant name = object.property("Name");
    return name.isValid() ? name.toString() : object.objectName();
}

[[noreturn]] void refuse_unstorable(QObject& object, const Row& row, const QString& why)
{
    forms::raise(forms::vberr::InvalidPropertyValue, QStringLiteral("ostrel-design"),
                 QStringLiteral("%1 of %2: %3, and a form file holding it would not open again")
                     .arg(row.name, name_of(object), why));
}

// A value the form file's reader would refuse is no value to set: the control's table of
// stored enumerations (the one its reader reads through) and the rule of stored lengths
// decide, before the Let, so the control keeps its old value.
void keep_to_stored_ranges(QObject& object, const Row& row, const QVariant& value)
{
    if (row.type == QMetaType::QString || row.type == QMetaType::Bool || row.type == QMetaType::UInt)
        return;
    const double number = value.toDouble();
    auto* site = qobject_cast<forms::ControlSite*>(&object);
    if (site != nullptr && !row.extender) {
        const forms::StoredChoice* choice = forms::find_stored_choice(site->control()->stored_choices(), row.name);
        if (choice == nullptr)
            return;
        const bool whole = number >= std::numeric_limits<std::int32_t>::min() &&
                           number <= std::numeric_limits<std::int32_t>::max();
        if (!whole || !choice->takes(forms::CLng(value)))
            refuse_unstorable(object, row,
                              QStringLiteral("%1 is no value from %2").arg(number).arg(choice->values_text()));
        return;
    }
    const forms::StoredLength length = forms::stored_length_kind(row.name);
    if (length == forms::StoredLength::None)
        return;
    const QString refusal = forms::stored_length_refusal(number, length);
    if (!refusal.isEmpty())
        refuse_unstorable(object, row, refusal);
}

} // namespace

std::vector<DesignProperty> design_properties(QObject& object)
{
    std::vector<DesignProperty> listed;
    const std::vector<Row> rows = rows_of(object);
    // A Get may change a property read before it (the navigator's ParentWidth makes the size
    // mode user-defined on a form of another size): every Get runs once, then the values are
    // read as they stand, so the list shows what a save would keep.
    for (const Row& row : rows)
        read_text(object, row);
    for (const Row& row : rows)
        listed.push_back({row.name, read_text(object, row)});
    return listed;
}

void let_design_property(QObject& object, const QString& name, const QString& text)
{
    for (const Row& row : rows_of(object))
        if (name.compare(row.name, Qt::CaseInsensitive) == 0) {
            const QVariant value = typed_value(row, text);
            keep_to_stored_ranges(object, row, value);
            forms::let(&object, row.name, value);
            return;
        }
    forms::raise(438, QStringLiteral("ostrel-design"),
                 QStringLiteral("%1 has no property %2 a person can set here").arg(name_of(object), name));
}
