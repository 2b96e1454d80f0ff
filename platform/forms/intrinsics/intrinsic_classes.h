#pragma once
// Making the runtime's intrinsic control classes (core/intrinsic_class_names.h lists their
// names). A form places them directly, not through the registry, on itself or inside a
// container control. Their stored properties are their own writable properties (Left, Top,
// Caption, ...): a form file stores those that differ from a new control of the class; what
// holds only while the program runs (a text box's selection, a button's Value, a combo box's
// ListIndex) is not stored.

#include "platform/forms/core/intrinsic_class_names.h"

#include <QString>

class QWidget;

namespace forms {

class IntrinsicControl;
class PropertyBag;

// A new control of the class inside `container`; raises 429 for a class that is not intrinsic.
IntrinsicControl* create_intrinsic(const QString& class_name, QWidget* container, const QString& name);
// Sets each stored property by its name, in the bag's order (an unknown name is 438).
void read_intrinsic(IntrinsicControl& control, const PropertyBag& bag);
// Writes the properties that differ from a new control of `class_name`.
void write_intrinsic(const IntrinsicControl& control, const QString& class_name, PropertyBag& bag);

} // namespace forms
