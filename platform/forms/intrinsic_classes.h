#pragma once
// The runtime's intrinsic control classes as a form file names them ("VB.Label",
// "VB.CommandButton", "VB.TextBox", "VB.CheckBox", "VB.OptionButton", "VB.ComboBox",
// "VB.Frame", "VB.PictureBox", "VB.Image", "VB.Line", "VB.Shape", "MSComctlLib.ListView",
// "MSFlexGridLib.MSFlexGrid";
// without regard to case). A form places them directly, not through the registry, on itself or inside a
// container control. Their stored properties are their own writable properties (Left, Top,
// Caption, ...): a form file stores those that differ from a new control of the class; what
// holds only while the program runs (a text box's selection, a button's Value, a combo box's
// ListIndex) is not stored.

#include <QString>

class QWidget;

namespace forms {

class IntrinsicControl;
class PropertyBag;

bool is_intrinsic_class(const QString& class_name);
// A new control of the class inside `container`; raises 429 for a class that is not intrinsic.
IntrinsicControl* create_intrinsic(const QString& class_name, QWidget* container, const QString& name);
// Sets each stored property by its name, in the bag's order (an unknown name is 438).
void read_intrinsic(IntrinsicControl& control, const PropertyBag& bag);
// Writes the properties that differ from a new control of `class_name`.
void write_intrinsic(const IntrinsicControl& control, const QString& class_name, PropertyBag& bag);

} // namespace forms
