// The form's plain intrinsic controls: placed by class on the form or inside a container
// control, found by name, loaded from and saved to form files, removed with their container.

#include "platform/forms/hosting/form.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/intrinsic_classes.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/core/key_case.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/core/vb_error.h"

#include <algorithm>

namespace forms {

bool Form::name_in_use(const QString& name, int index) const
{
    if (site(name) != nullptr)
        return true;
    const auto it = intrinsic_names_.constFind(key_fold(name));
    if (it == intrinsic_names_.cend())
        return false;
    for (const QPointer<IntrinsicControl>& control : *it)
        if (control && (index < 0 || control->Index() < 0 || control->Index() == index))
            return true;
    return false;
}

IntrinsicControl* Form::intrinsic(const QString& name, int index) const
{
    const auto it = intrinsic_names_.constFind(key_fold(name));
    if (it == intrinsic_names_.cend())
        return nullptr;
    for (const QPointer<IntrinsicControl>& control : *it)
        if (control && control->Index() == index)
            return control;
    return nullptr;
}

IntrinsicControl& Form::add_intrinsic(const QString& class_name, const QString& name, ControlSite* container,
                                      const PropertyBag* properties, int index)
{
    PropertyBag stored = properties ? *properties : PropertyBag();
    if (stored.contains(QStringLiteral("Index"))) {
        index = stored.ReadProperty(QStringLiteral("Index"), index).toInt();
        stored.remove(QStringLiteral("Index"));
        if (index < 0)
            forms::raise(vberr::InvalidPropertyValue, name, QStringLiteral("A control array's Index is 0 or more"));
    }
    if (!ControlSite::is_valid_name(name))
        forms::raise(vberr::InvalidPropertyValue, {}, QStringLiteral("\"%1\" is not a control name").arg(name));
    if (name_in_use(name, index))
        forms::raise(vberr::InvalidProcedureCall, {},
                     QStringLiteral("A control named \"%1\" cannot be added").arg(name));
    QWidget* parent = container && container->control() ? static_cast<QWidget*>(container->control()) : this;
    IntrinsicControl* control = create_intrinsic(class_name, parent, name);
    control->set_index(index);
    try {
        read_intrinsic(*control, stored);
    } catch (...) {
        delete control;
        throw;
    }
    // A control placed inside a container already on view shows at once; at design time
    // every control shows, and keeps its own Visible for the run and the saved file.
    control->QWidget::setVisible(user_mode_ ? control->Visible() : true);
    // Intrinsic controls take the focus in the order they were placed: a label names the
    // control placed after it in the same container.
    for (auto it = intrinsics_.rbegin(); it != intrinsics_.rend(); ++it)
        if (it->container == container) {
            if (auto* label = qobject_cast<Label*>(it->control.data()))
                label->name_next(control);
            break;
        }
    intrinsics_.push_back({class_name, control, container});
    intrinsic_names_[key_fold(name)].emplace_back(control);
    label_before_next_ = qobject_cast<Label*>(control);
    label_container_ = container;
    return *control;
}

void Form::load_intrinsic(const FormControlData& c, ControlSite* container)
{
    if (!c.children.empty())
        forms::raise(vberr::InvalidPropertyValue, {}, QStringLiteral("%1 cannot hold controls").arg(c.name));
    // An intrinsic control's place is its own property: extender lines and property lines
    // both set its properties.
    PropertyBag bag = c.extender;
    bag.set_file(c.properties.file());
    for (const PropertyBag::Entry& entry : c.properties.entries()) {
        // "@Left" and "Left" are one property here: given both ways, one would be lost.
        if (bag.contains(entry.key)) {
            const int first = bag.line_of(entry.key);
            bag.set(entry.key, entry.value, entry.line);
            bag.refuse(entry.key, vberr::InvalidPropertyValue,
                       QStringLiteral("given twice (first on line %1)").arg(first));
        }
        bag.set(entry.key, entry.value, entry.line);
    }
    add_intrinsic(c.class_name, c.name, container, &bag);
}

void Form::save_intrinsics(std::vector<FormControlData>& out, ControlSite* container) const
{
    for (const IntrinsicEntry& entry : intrinsics_) {
        if (entry.container != container || !entry.control)
            continue;
        FormControlData c{entry.class_name, entry.control->Name(), {}, {}, {}};
        if (entry.control->Index() >= 0)
            c.properties.WriteProperty(QStringLiteral("Index"), entry.control->Index());
        write_intrinsic(*entry.control, entry.class_name, c.properties);
        out.push_back(std::move(c));
    }
}

void Form::remove_intrinsics(ControlSite* container)
{
    std::vector<IntrinsicEntry> kept;
    std::vector<QPointer<IntrinsicControl>> gone;
    for (IntrinsicEntry& entry : intrinsics_)
        if (container == nullptr || entry.container == container)
            gone.push_back(entry.control);
        else
            kept.push_back(std::move(entry));
    intrinsics_ = std::move(kept);
    for (const QPointer<IntrinsicControl>& control : gone) {
        if (!control)
            continue;
        const QString folded = key_fold(control->Name());
        auto& named = intrinsic_names_[folded];
        named.erase(std::remove(named.begin(), named.end(), control), named.end());
        if (named.empty())
            intrinsic_names_.remove(folded);
        delete control.data();
    }
}

} // namespace forms
