#include "program/report/props.h"

namespace program {

std::shared_ptr<Prop> Props::AddNew(const QString& Name, const QString& value)
{
    auto prop = std::make_shared<Prop>();
    prop->Name = Name;
    prop->value = value;
    m_colProps.Add(QVariant::fromValue(prop), Name);
    return prop;
}

std::shared_ptr<Prop> Props::AddNew(const QString& Name, std::int32_t value)
{
    return AddNew(Name, QString::number(value));
}

std::shared_ptr<Prop> Props::Item(const QVariant& vntIndexKey) const
{
    return m_colProps.Item(vntIndexKey).value<std::shared_ptr<Prop>>();
}

} // namespace program
