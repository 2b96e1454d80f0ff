#include "platform/forms/hosting/type_name.h"

#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/hosting/control_site.h"

namespace forms {

namespace {
QString bare_class_name(const QObject* object)
{
    const QString name = QString::fromLatin1(object->metaObject()->className());
    const qsizetype colons = name.lastIndexOf(QLatin1String("::"));
    return colons < 0 ? name : name.mid(colons + 2);
}
} // namespace

QString TypeName(const QObject* object)
{
    if (!object)
        return QStringLiteral("Nothing");
    if (const auto* site = qobject_cast<const ControlSite*>(object)) {
        if (const ControlClassInfo* info = ControlClasses::find(site->class_name()); info && !info->type_name.isEmpty())
            return info->type_name;
        if (site->control())
            return bare_class_name(site->control());
    }
    return bare_class_name(object);
}

} // namespace forms
