#pragma once
// Creates a control by class through the registry, as the form loader does: a ProgID is
// looked up under HKCR\<ProgID>\CLSID, the class under HKCR\CLSID\{CLSID}\InprocServer32
// names the module file, the module is loaded (it declares its classes as it loads), and the
// class's factory makes the control. A class the registry does not know, a module that does
// not load, or a module that does not declare the class raise 429 (ActiveX component can't
// create object) with a description saying which step failed.

#include <QString>

#include <memory>

namespace forms {

class UserControl;
struct ControlClassInfo;

class ControlFactory {
public:
    static std::unique_ptr<UserControl> create(const QString& class_name);
    // The class's entry, its module loaded; raises 429 as above.
    static const ControlClassInfo& resolve(const QString& class_name);
};

} // namespace forms
