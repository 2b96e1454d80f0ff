#pragma once
// The class objects a control module hands COM clients (its DllGetClassObject): one for each
// public class the host may create, whose CreateInstance makes a new object and answers its
// one dispatch (object_dispatch.h). A control (a form places it) and a public class only the
// library hands out have no class object: CLASS_E_CLASSNOTAVAILABLE, with error information
// saying why. The same rule decides what create_object (create_object.h) may create.

#include "platform/com/guid.h"
#include "platform/forms/hosting/public_classes.h"
#include "platform/win32/module.h"

#include <QString>

namespace forms {

// The creatable public class `clsid` of `module` (any module when null), or null with `why`
// saying why there is none.
const PublicClassInfo* creatable_public_class(const QString& clsid, HMODULE module, QString& why);

// DllGetClassObject of `module`: the class object of a creatable public class it declares.
HRESULT get_class_object(HMODULE module, REFCLSID clsid, REFIID riid, void** ppv);

} // namespace forms
