#include "platform/forms/hosting/create_object.h"

#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/hosting/public_class_factory.h"
#include "platform/forms/hosting/public_classes.h"
#include "platform/forms/hosting/registered_class.h"

namespace forms {

std::shared_ptr<QObject> create_object(const QString& class_name)
{
    const RegisteredClass registered = load_registered_class(class_name);
    QString why;
    const PublicClassInfo* info = creatable_public_class(registered.clsid, nullptr, why);
    if (!info) {
        if (!PublicClasses::find(registered.clsid) && !ControlClasses::find(registered.clsid))
            why = QStringLiteral("module %1 does not provide %2").arg(registered.module_path, registered.clsid);
        raise_cannot_create(class_name, why);
    }
    auto object = info->create();
    if (!object)
        raise_cannot_create(class_name, QStringLiteral("the class factory made no object"));
    return object;
}

} // namespace forms
