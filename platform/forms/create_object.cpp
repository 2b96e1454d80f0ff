#include "platform/forms/create_object.h"

#include "platform/forms/control_classes.h"
#include "platform/forms/public_classes.h"
#include "platform/forms/registered_class.h"

namespace forms {

std::shared_ptr<QObject> create_object(const QString& class_name)
{
    const RegisteredClass registered = load_registered_class(class_name);
    const PublicClassInfo* info = PublicClasses::find(registered.clsid);
    if (!info) {
        if (ControlClasses::find(registered.clsid))
            raise_cannot_create(class_name,
                                QStringLiteral("%1 is a control class: a form places it").arg(registered.clsid));
        raise_cannot_create(
            class_name, QStringLiteral("module %1 does not provide %2").arg(registered.module_path, registered.clsid));
    }
    if (!info->creatable())
        raise_cannot_create(class_name, QStringLiteral("%1 is not creatable: the library hands out its objects, "
                                                       "a host cannot create one")
                                            .arg(info->type_name));
    auto object = info->create();
    if (!object)
        raise_cannot_create(class_name, QStringLiteral("the class factory made no object"));
    return object;
}

} // namespace forms
