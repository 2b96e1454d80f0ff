#include "platform/forms/hosting/control_factory.h"

#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/hosting/registered_class.h"
#include "platform/forms/hosting/user_control.h"

namespace forms {

const ControlClassInfo& ControlFactory::resolve(const QString& class_name)
{
    const RegisteredClass registered = load_registered_class(class_name);
    const ControlClassInfo* info = ControlClasses::find(registered.clsid);
    if (!info || !info->create)
        raise_cannot_create(
            class_name, QStringLiteral("module %1 does not provide %2").arg(registered.module_path, registered.clsid));
    return *info;
}

std::unique_ptr<UserControl> ControlFactory::create(const QString& class_name)
{
    auto control = resolve(class_name).create();
    if (!control)
        raise_cannot_create(class_name, QStringLiteral("the class factory made no object"));
    return control;
}

} // namespace forms
