#pragma once
// What assistive tools announce for a display control: its role, besides the accessible
// name each control sets. Qt gives every plain widget the generic "client" role; a control
// names its own here once, when it is made.

#include <QAccessible>

class QWidget;

void give_accessible_role(QWidget& control, QAccessible::Role role);
// The same for a control that shows a number: its Value, Min and Max properties are what
// assistive tools read (and, `writable`, set); accessible_value_changed tells them of a new Value.
void give_accessible_value(QWidget& control, QAccessible::Role role, bool writable = false);
void accessible_value_changed(QWidget& control, int value);
