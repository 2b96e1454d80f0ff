#pragma once
// What assistive tools announce for a display control: its role, besides the accessible
// name each control sets. Qt gives every plain widget the generic "client" role; a control
// names its own here once, when it is made.

#include <QAccessible>

class QWidget;

void give_accessible_role(QWidget& control, QAccessible::Role role);
