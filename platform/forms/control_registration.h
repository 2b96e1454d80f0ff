#pragma once
// Control registration in the registry, for a control module's DllRegisterServer and
// DllUnregisterServer. For each class declared in `module`:
//   HKCR\<ProgID>                          (default) = type name
//   HKCR\<ProgID>\CLSID                    (default) = {CLSID}
//   HKCR\CLSID\{CLSID}                     (default) = type name
//   HKCR\CLSID\{CLSID}\InprocServer32      (default) = module path, ThreadingModel = Apartment
//   HKCR\CLSID\{CLSID}\ProgID              (default) = ProgID
//   HKCR\CLSID\{CLSID}\Control
// Both return an HRESULT (S_OK, or the registry failure as HRESULT_FROM_WIN32).

#include "platform/win32/module.h"
#include "platform/win32/win_types.h"

namespace forms {

HRESULT register_module_controls(HMODULE module);
HRESULT unregister_module_controls(HMODULE module);

} // namespace forms
