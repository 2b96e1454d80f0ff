#pragma once
// The process-wide table of control classes. A control module declares each of its classes
// once with OSTREL_FORMS_CONTROL_CLASS in a source file; the declaration runs when the
// module is loaded (dlopen), so the loader finds a class in the table once the registry has
// named its module. The module's DllRegisterServer calls register_module_controls
// (control_registration.h) to write the classes into the registry.

#include "platform/forms/hosting/class_table.h"
#include "platform/win32/module.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace forms {

class UserControl;

struct ControlClassInfo {
    QString clsid;     // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case
    QString prog_id;   // "Library.Class"
    QString type_name; // the class name the extender reports, e.g. "KyProgressBar"
    std::function<std::unique_ptr<UserControl>()> create;
    HMODULE module = nullptr;
};

class ControlClasses {
public:
    static void add(ControlClassInfo info);
    // By CLSID (with or without braces, any case) or ProgID (without regard to case).
    static const ControlClassInfo* find(const QString& clsid_or_prog_id);
    static std::vector<ControlClassInfo> of_module(HMODULE module);
};

namespace detail {
using ControlClassDeclaration = ClassDeclaration<ControlClasses, ControlClassInfo>;
} // namespace detail

} // namespace forms

// Declares control class `Type` (a forms::UserControl with a default constructor).
#define OSTREL_FORMS_CONTROL_CLASS(Type, clsid, prog_id)                                                               \
    static const ::forms::detail::ControlClassDeclaration OSTREL_FORMS_CONCAT(ostrel_control_class_, __LINE__)(        \
        ::forms::ControlClassInfo{QStringLiteral(clsid), QStringLiteral(prog_id), QStringLiteral(#Type),               \
                                  [] { return std::unique_ptr<::forms::UserControl>(new Type()); },                    \
                                  ::win32::current_module()})
