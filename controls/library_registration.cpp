// The library's registration: the control classes it declares (found by the form loader once
// the registry names this module) and its self-registration entry points.

#include "controls/display/ky_progress_bar.h"
#include "controls/display/ky_progress_info.h"
#include "platform/forms/control_classes.h"
#include "platform/forms/control_registration.h"
#include "platform/win32/module.h"

OSTREL_FORMS_CONTROL_CLASS(KyProgressBar, "{5B7C296E-1FE3-431C-99A6-B112A7B74939}", "KyComCtl.KyProgressBar");
OSTREL_FORMS_CONTROL_CLASS(KyProgressInfo, "{F5E60878-B608-4555-86D7-D5006CC06EED}", "KyComCtl.KyProgressInfo");

extern "C" {

__attribute__((visibility("default"))) HRESULT DllRegisterServer()
{
    return forms::register_module_controls(win32::current_module());
}

__attribute__((visibility("default"))) HRESULT DllUnregisterServer()
{
    return forms::unregister_module_controls(win32::current_module());
}

} // extern "C"
