#pragma once
// TypeName of an object as the runtime reports it: for a control's extender the control's
// class name (the type name it was registered with, e.g. "KyWizardNavigator"), for any other
// object its class name without namespace; "Nothing" for null.

#include <QObject>
#include <QString>

namespace forms {

QString TypeName(const QObject* object);

} // namespace forms
