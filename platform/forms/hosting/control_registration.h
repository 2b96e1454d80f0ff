#pragma once
// Control registration in the registry, for a control module's DllRegisterServer and
// DllUnregisterServer. For each control class declared in `module` (control_classes.h):
//   HKCR\<ProgID>                          (default) = type name
//   HKCR\<ProgID>\CLSID                    (default) = {CLSID}
//   HKCR\CLSID\{CLSID}                     (default) = type name
//   HKCR\CLSID\{CLSID}\InprocServer32      (default) = module path, ThreadingModel = Apartment
//   HKCR\CLSID\{CLSID}\ProgID              (default) = ProgID
//   HKCR\CLSID\{CLSID}\Control
// For each public class declared in `module` (public_classes.h) the same keys without
// Control, and HKCR\Interface\{IID} (default) = the default interface's name. A class the
// host cannot create has no ProgID keys; its CLSID still names the module, so that a request
// for it is refused by the module with the reason.
// Unregistering removes those keys. Each writes its keys as one registry batch
// (win32::registry_batch): all of them in one save, or after a failure none. Both return an
// HRESULT (S_OK, or the registry failure as HRESULT_FROM_WIN32).

#include "platform/win32/module.h"
#include "platform/win32/win_types.h"

namespace forms {

HRESULT register_module_controls(HMODULE module);
HRESULT unregister_module_controls(HMODULE module);

} // namespace forms
