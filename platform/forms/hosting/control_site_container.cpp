// The settable extender Container of ControlSite: a control moves into another container
// control of its form, or back onto the form.

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/vb_error.h"

namespace forms {

void ControlSite::setContainer(QObject* container)
{
    if (!container)
        forms::raise(424, QStringLiteral("Container"));
    ControlSite* target = nullptr;
    if (container != &form_) {
        target = qobject_cast<ControlSite*>(container);
        if (!target || &target->form() != &form_ || !target->control())
            forms::raise(vberr::InvalidPropertyValue, QStringLiteral("Container"),
                         QStringLiteral("The container must be the form or a control of the same form"));
        for (ControlSite* up = target; up; up = up->container())
            if (up == this)
                forms::raise(vberr::InvalidPropertyValue, QStringLiteral("Container"),
                             QStringLiteral("A control cannot be placed inside itself"));
    }
    container_ = target;
    if (!control_)
        return;
    control_->setParent(target ? static_cast<QWidget*>(target->control()) : static_cast<QWidget*>(&form_));
    apply_geometry();
    control_->setVisible(form_.UserMode() ? visible_ : true);
    if (align_ != vbAlignNone)
        form_.dock_aligned();
}

} // namespace forms
