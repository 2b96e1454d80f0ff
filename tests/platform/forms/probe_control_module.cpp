// A control module for the loader's tests: it declares ProbeControl and registers it in the
// registry like the control library does.

#include "probe_control.h"

#include "platform/forms/control_classes.h"
#include "platform/forms/control_registration.h"

OSTREL_FORMS_CONTROL_CLASS(ProbeControl, "{6B1F0C2A-7E34-4B8D-9A51-0C3D2E4F5A61}", "FormsProbe.ProbeControl");

extern "C" [[gnu::visibility("default")]] HRESULT DllRegisterServer()
{
    return forms::register_module_controls(win32::current_module());
}

extern "C" [[gnu::visibility("default")]] HRESULT DllUnregisterServer()
{
    return forms::unregister_module_controls(win32::current_module());
}
