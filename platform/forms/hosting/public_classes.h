#pragma once
// The process-wide table of a module's public classes that are not controls: objects a host
// reaches late-bound by name. A module declares each class once in a source file, creatable
// with OSTREL_FORMS_PUBLIC_CLASS or not creatable with OSTREL_FORMS_PUBLIC_NOT_CREATABLE_CLASS;
// the declaration runs when the module is loaded (dlopen). register_module_controls
// (control_registration.h) writes the classes into the registry next to the controls, and
// create_object (create_object.h) creates a creatable one through the registry.

#include "platform/forms/hosting/class_table.h"
#include "platform/win32/module.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace forms {

struct PublicClassInfo {
    QString clsid;          // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case
    QString prog_id;        // "Library.Class"; empty for a class the host cannot create
    QString type_name;      // the class name, e.g. "CPages"
    QString interface_name; // its default interface, "_" and the class name, e.g. "_CPages"
    QString iid;            // the default interface's identifier, upper case with braces
    // Makes a new object; empty for a class the host cannot create (the library hands its
    // objects out itself).
    std::function<std::shared_ptr<QObject>()> create;
    HMODULE module = nullptr;

    bool creatable() const { return static_cast<bool>(create); }
};

class PublicClasses {
public:
    static void add(PublicClassInfo info);
    // By CLSID (with or without braces, any case) or ProgID (without regard to case).
    static const PublicClassInfo* find(const QString& clsid_or_prog_id);
    static std::vector<PublicClassInfo> of_module(HMODULE module);
};

namespace detail {
using PublicClassDeclaration = ClassDeclaration<PublicClasses, PublicClassInfo>;
} // namespace detail

} // namespace forms

// Declares the creatable public class `Type` (a default-constructible QObject) with its class
// identifier, ProgID and the identifier of its default interface _Type.
#define OSTREL_FORMS_PUBLIC_CLASS(Type, clsid, prog_id, iid)                                                           \
    static const ::forms::detail::PublicClassDeclaration OSTREL_FORMS_CONCAT(ostrel_public_class_, __LINE__)(          \
        ::forms::PublicClassInfo{QStringLiteral(clsid), QStringLiteral(prog_id), QStringLiteral(#Type),                \
                                 QStringLiteral("_" #Type), QStringLiteral(iid),                                       \
                                 [] { return std::shared_ptr<QObject>(std::make_shared<Type>()); },                    \
                                 ::win32::current_module()})
// Declares the public class `Type` that the host cannot create: its identifiers are registered
// so that a request for it is refused with a clear reason.
#define OSTREL_FORMS_PUBLIC_NOT_CREATABLE_CLASS(Type, clsid, iid)                                                      \
    static const ::forms::detail::PublicClassDeclaration OSTREL_FORMS_CONCAT(ostrel_public_class_, __LINE__)(          \
        ::forms::PublicClassInfo{QStringLiteral(clsid),                                                                \
                                 QString(),                                                                            \
                                 QStringLiteral(#Type),                                                                \
                                 QStringLiteral("_" #Type),                                                            \
                                 QStringLiteral(iid),                                                                  \
                                 {},                                                                                   \
                                 ::win32::current_module()})
