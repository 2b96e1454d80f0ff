#pragma once
// The design tool's property list: the design-time properties of one control by name and
// value as text, and the Let of a value a person typed. A property is listed when the
// control itself declares it (not the widget under it), a person can set it, and its value
// is a Boolean, a number or a text; fonts, pictures and button records stay with the
// property pages. The Let goes through the control's site, as the property pages' writes do,
// so the control's own rules (and its refusals, as VbError) apply.

#include <QString>

#include <vector>

class QObject;

namespace forms {
class ControlSite;
} // namespace forms

struct DesignProperty {
    QString name;
    QString value;
};

// The control's listed properties in its declaration order, read through its site.
std::vector<DesignProperty> design_properties(forms::ControlSite& site);

// Lets `name` to the typed text: "True"/"False" for a Boolean, digits for a number (13 for a
// text that is not one), the text itself for a text.
void let_design_property(forms::ControlSite& site, const QString& name, const QString& text);
