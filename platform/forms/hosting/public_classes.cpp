#include "platform/forms/hosting/public_classes.h"

#include "platform/forms/hosting/class_table.h"

namespace forms {

namespace {

detail::ClassTable<PublicClassInfo>& table()
{
    static detail::ClassTable<PublicClassInfo> t;
    return t;
}

} // namespace

void PublicClasses::add(PublicClassInfo info)
{
    info.iid = normal_clsid(info.iid);
    table().add(std::move(info));
}

const PublicClassInfo* PublicClasses::find(const QString& name) { return table().find(name); }

std::vector<PublicClassInfo> PublicClasses::of_module(HMODULE module) { return table().of_module(module); }

} // namespace forms
