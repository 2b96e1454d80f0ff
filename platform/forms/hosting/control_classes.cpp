#include "platform/forms/hosting/control_classes.h"

#include "platform/forms/hosting/class_table.h"

namespace forms {

namespace {

detail::ClassTable<ControlClassInfo>& table()
{
    static detail::ClassTable<ControlClassInfo> t;
    return t;
}

} // namespace

void ControlClasses::add(ControlClassInfo info) { table().add(std::move(info)); }

const ControlClassInfo* ControlClasses::find(const QString& name) { return table().find(name); }

std::vector<ControlClassInfo> ControlClasses::of_module(HMODULE module) { return table().of_module(module); }

} // namespace forms
