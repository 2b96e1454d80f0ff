#include "controls/display/accessible_role.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

#include <mutex>

namespace {

constexpr const char* role_property = "kycomctlAccessibleRole";

QAccessibleInterface* display_accessible(const QString& key, QObject* object)
{
    (void)key;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(role_property);
    return role.isValid() ? new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt())) : nullptr;
}

} // namespace

void give_accessible_role(QWidget& control, QAccessible::Role role)
{
    static std::once_flag factory;
    std::call_once(factory, [] { QAccessible::installFactory(display_accessible); });
    control.setProperty(role_property, static_cast<int>(role));
}
