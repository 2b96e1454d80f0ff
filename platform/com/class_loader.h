#pragma once
// The one road from a class name to its code, for every creation by class identifier or
// ProgID: COM objects (CoGetClassObject, CoCreateInstance, CLSIDFromString) and the forms
// runtime's controls and public classes. A ProgID names its class through HKCR\<ProgID>\CLSID,
// its CurVer followed first to the current versioned ProgID; HKCR\CLSID\{clsid}\InprocServer32
// names the module file, which must be a regular file. Each module is loaded once per process
// (dlopen) into one cache and stays loaded, as in-process servers do while any of their objects
// may live.

#include "platform/com/guid.h"
#include "platform/com/unknown.h"

#include <string>
#include <string_view>

namespace com {

// A "{clsid}" text or a ProgID to the class identifier; CO_E_CLASSSTRING when the text is
// neither a class identifier nor a registered ProgID.
HRESULT class_id_from_name(std::u16string_view clsid_or_prog_id, CLSID& clsid);

struct class_module {
    std::string path;       // the module file the registry names
    void* handle = nullptr; // its loader handle, valid for the life of the process
};

// The module of `clsid`, loaded. REGDB_E_CLASSNOTREG when the class has no InprocServer32;
// HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) when the module does not load, `why` (when given)
// then saying why in the loader's words.
HRESULT load_class_module(REFCLSID clsid, class_module& module, std::string* why = nullptr);
// The module file `path` (as the registry names it), loaded into the same cache.
HRESULT load_module_file(const std::string& path, class_module& module, std::string* why = nullptr);

} // namespace com
