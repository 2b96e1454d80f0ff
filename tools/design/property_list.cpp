#include "tools/design/property_list.h"

#include "platform/forms/control_site.h"
#include "platform/forms/late_binding.h"
#include "platform/forms/user_control.h"
#include "platform/forms/vb_error.h"

#include <QMetaProperty>

namespace {

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

QString value_text(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value.toString();
}

// A property that can only be set (a Get raises 394) shows no value.
QString read_text(forms::ControlSite& site, const QMetaProperty& property)
{
    try {
        return value_text(forms::get(&site, QString::fromLatin1(property.name())));
    } catch (const forms::VbError& e) {
        if (e.number() != forms::vberr::GetNotSupportedWriteOnly)
            throw;
        return {};
    }
}

std::vector<QMetaProperty> listed_properties(const QObject& control)
{
    std::vector<QMetaProperty> listed;
    const QMetaObject* meta = control.metaObject();
    for (int i = forms::UserControl::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable() && listed_type(property.metaType().id()))
            listed.push_back(property);
    }
    return listed;
}

QVariant typed_value(const QMetaProperty& property, const QString& text)
{
    const int type = property.metaType().id();
    if (type == QMetaType::QString)
        return text;
    const QString trimmed = text.trimmed();
    if (type == QMetaType::Bool) {
        if (trimmed.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (trimmed.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
    } else {
        bool ok = false;
        const double number = trimmed.toDouble(&ok);
        if (ok)
            return number;
    }
    forms::raise(forms::vberr::TypeMismatch, QStringLiteral("ostrel-design"),
                 QStringLiteral("\"%1\" is not a value for %2 (%3)")
                     .arg(text, QString::fromLatin1(property.name()),
                          type == QMetaType::Bool ? QStringLiteral("True or False") : QStringLiteral("a number")));
}

} // namespace

std::vector<DesignProperty> design_properties(forms::ControlSite& site)
{
    std::vector<DesignProperty> rows;
    const QObject* control = site.control();
    if (!control)
        return rows;
    const std::vector<QMetaProperty> properties = listed_properties(*control);
    // A Get may change a property read before it (the navigator's ParentWidth makes the size
    // mode user-defined on a form of another size): every Get runs once, then the values are
    // read as they stand, so the list shows what a save would keep.
    for (const QMetaProperty& property : properties)
        read_text(site, property);
    for (const QMetaProperty& property : properties)
        rows.push_back({QString::fromLatin1(property.name()), read_text(site, property)});
    return rows;
}

void let_design_property(forms::ControlSite& site, const QString& name, const QString& text)
{
    if (QObject* control = site.control())
        for (const QMetaProperty& property : listed_properties(*control))
            if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0) {
                forms::let(&site, name, typed_value(property, text));
                return;
            }
    forms::raise(438, QStringLiteral("ostrel-design"),
                 QStringLiteral("%1 has no property %2 a person can set here").arg(site.Name(), name));
}
