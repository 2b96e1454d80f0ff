#pragma once
// The registrar: runs registry scripts of the form
//     HKCR
//     {
//         Foo.Foo.1 = s 'Foo Class'
//         {
//             CLSID = s '{...}'
//         }
//         NoRemove CLSID
//         {
//             ForceRemove {...} = s 'Foo Class'
//             {
//                 InprocServer32 = s '%MODULE%'
//                 {
//                     val ThreadingModel = s 'Free'
//                 }
//                 'Programmable'
//             }
//         }
//     }
// Roots: HKCR / HKEY_CLASSES_ROOT, HKCU / HKEY_CURRENT_USER, HKLM / HKEY_LOCAL_MACHINE,
// HKU / HKEY_USERS. Names are bare words or 'quoted'; values are s 'text' (REG_SZ) or
// d 'number' (REG_DWORD, decimal or 0x hex); '' in a quoted text is one quote; %NAME% is
// replaced from the replacement map and %% is a percent sign.
//
// Registering creates the keys and sets their values; ForceRemove deletes a key's whole
// tree first; Delete deletes the key instead. Unregistering walks the same tree and deletes
// its values and keys, a key only once it has no subkeys left, a ForceRemove key with all
// it holds, and never a NoRemove key.

#include "platform/win32/win_types.h"

#include <map>
#include <string>
#include <string_view>

namespace com::registrar {

using replacements = std::map<std::u16string, std::u16string>;

// S_OK; DISP_E_EXCEPTION-free: a malformed script gives E_INVALIDARG (nothing written for
// a script that does not parse), a registry failure its HRESULT. The script is written as one
// registry batch (win32::registry_batch): all of it in one save, or, after a failure, nothing.
HRESULT run_script(std::u16string_view script, bool do_register, const replacements& values);

} // namespace com::registrar
