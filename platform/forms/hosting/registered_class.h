#pragma once
// The road from a class name to its loaded module, shared by the form loader (controls) and
// create_object (public classes): the COM runtime's one class loader (platform/com/
// class_loader.h) resolves the ProgID (CurVer followed) or {CLSID} and loads the module the
// registry names, once per process (it declares its classes as it loads). Every step that
// fails raises 429 (ActiveX component can't create object) with a description naming the step.

#include <QString>

namespace forms {

struct RegisteredClass {
    QString clsid;       // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case
    QString module_path; // the module file the registry names, loaded
};

// A class identifier in the one spelling the class tables use: upper case, with braces.
QString normal_clsid(const QString& clsid);

// Resolves a ProgID or a {CLSID} through the registry and loads the module it names. The
// module stays loaded for the life of the process, as in-process servers do while any of
// their objects may live.
RegisteredClass load_registered_class(const QString& clsid_or_prog_id);

// Raises 429 for `class_name`: "ActiveX component can't create object: <name> (<why>)".
[[noreturn]] void raise_cannot_create(const QString& class_name, const QString& why);

} // namespace forms
