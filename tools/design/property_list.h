#pragma once
// The design tool's property list: the design-time properties of one object of the form by
// name and value as text, and the Let of a value a person typed. The object is a control's
// site, an intrinsic control the form placed (a label, a button, ...) or the form itself.
// - A control lists the properties it declares itself (not the widget under it) that a person
//   can set, then the extender's Left, Top, Width, Height, Visible and TabIndex in rows of
//   their own, so a control can be moved and sized; a name the control declares itself (a
//   progress bar's caption Align) is the control's, as late binding resolves it.
// - An intrinsic control and the form list the writable properties of their class (the
//   form's Caption, Width, Height, ...).
// Values are Booleans, numbers, colours and texts; fonts, pictures and button records stay
// with the property pages. A colour (OLE_COLOR) shows as the forms runtime writes it,
// "&H8000000F&", and is taken so or as a number. The Let goes through late binding, as the
// property pages' writes do, so the object's own rules (and its refusals, as VbError) apply.
// Before it, a value the form file's reader would refuse on reopen (a number outside the
// control's table of stored enumerations, a place or size no form file holds) is refused
// with 380 naming the property, the object and the values taken; the object keeps its value.

#include <QString>

#include <vector>

class QObject;

struct DesignProperty {
    QString name;
    QString value;
};

// The object's listed properties in declaration order, read by name.
std::vector<DesignProperty> design_properties(QObject& object);

// Lets `name` to the typed text: "True"/"False" for a Boolean, a number for a number (13 for
// a text that is not one), "&H...&" or a number for a colour, the text itself for a text.
void let_design_property(QObject& object, const QString& name, const QString& text);
