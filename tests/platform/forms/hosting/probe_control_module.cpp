// A control module for the loader's tests: it declares ProbeControl, the creatable public
// class ProbeObject and the public class ProbeItem that a host cannot create, and registers
// them in the registry like the control library does.

#include "probe_control.h"
#include "probe_object.h"

#include "platform/forms/hosting/control_classes.h"
#include "platform/forms/hosting/control_registration.h"
#include "platform/forms/hosting/public_classes.h"

OSTREL_FORMS_CONTROL_CLASS(ProbeControl, "{6B1F0C2A-7E34-4B8D-9A51-0C3D2E4F5A61}", "FormsProbe.ProbeControl");
OSTREL_FORMS_PUBLIC_CLASS(ProbeObject, "{0D4C2B1A-5E6F-4A7B-8C9D-1E2F3A4B5C6D}", "FormsProbe.ProbeObject",
                          "{1A2B3C4D-5E6F-4071-8293-A4B5C6D7E8F9}");
OSTREL_FORMS_PUBLIC_NOT_CREATABLE_CLASS(ProbeItem, "{2B3C4D5E-6F70-4182-93A4-B5C6D7E8F9A0}",
                                        "{3C4D5E6F-7081-4293-A4B5-C6D7E8F9A0B1}");

extern "C" [[gnu::visibility("default")]] HRESULT DllRegisterServer()
{
    return forms::register_module_controls(win32::current_module());
}

extern "C" [[gnu::visibility("default")]] HRESULT DllUnregisterServer()
{
    return forms::unregister_module_controls(win32::current_module());
}
