#include "controls/display/accessible_role.h"

#include "platform/forms/hosting/accessible_widget.h"

#include <QAccessibleValueInterface>
#include <QVariant>
#include <QWidget>

#include <mutex>

namespace {

constexpr const char* role_property = "kycomctlAccessibleRole";
constexpr const char* value_property = "kycomctlAccessibleValue";
constexpr const char* writable_property = "kycomctlAccessibleValueWritable";

// A control that shows a number between its Min and Max: assistive tools read its Value; a
// progress bar's only the control itself changes, an entry box's they may set.
class ValueAccessible : public forms::AccessibleWidget, public QAccessibleValueInterface {
public:
    ValueAccessible(QWidget* widget, QAccessible::Role role) : forms::AccessibleWidget(widget, role) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : forms::AccessibleWidget::interface_cast(type);
    }
    // A control whose own Enabled is off reads as disabled, also where it keeps its widget
    // enabled (the up-down box does) and takes no value from the tool then.
    QAccessible::State state() const override
    {
        QAccessible::State st = forms::AccessibleWidget::state();
        if (!own_enabled())
            st.disabled = true;
        return st;
    }
    QVariant currentValue() const override { return widget()->property("Value"); }
    void setCurrentValue(const QVariant& value) override
    {
        if (widget()->property(writable_property).toBool() && widget()->isEnabled() && own_enabled())
            widget()->setProperty("Value", value.toInt());
    }
    QVariant maximumValue() const override { return widget()->property("Max"); }
    QVariant minimumValue() const override { return widget()->property("Min"); }
    QVariant minimumStepSize() const override { return 1; }

private:
    bool own_enabled() const
    {
        const QVariant own = widget()->property("Enabled");
        return !own.isValid() || own.toBool();
    }
};

QAccessibleInterface* display_accessible(const QString& key, QObject* object)
{
    (void)key;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(role_property);
    if (!role.isValid())
        return nullptr;
    const auto shown = static_cast<QAccessible::Role>(role.toInt());
    if (widget->property(value_property).toBool())
        return new ValueAccessible(widget, shown);
    return new forms::AccessibleWidget(widget, shown);
}

} // namespace

void give_accessible_role(QWidget& control, QAccessible::Role role)
{
    static std::once_flag factory;
    std::call_once(factory, [] { QAccessible::installFactory(display_accessible); });
    control.setProperty(role_property, static_cast<int>(role));
}

void give_accessible_value(QWidget& control, QAccessible::Role role, bool writable)
{
    control.setProperty(value_property, true);
    control.setProperty(writable_property, writable);
    give_accessible_role(control, role);
}

void accessible_value_changed(QWidget& control, int value)
{
    QAccessibleValueChangeEvent event(&control, value);
    QAccessible::updateAccessibility(&event);
}
