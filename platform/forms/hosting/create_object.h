#pragma once
// Creates a public (non-control) object by class through the registry, as the form loader
// creates controls: the ProgID or {CLSID} is resolved to the module file the registry names,
// the module is loaded and the class's factory makes a new object, which the caller reaches
// late-bound (late_binding.h) and holds by counted reference. Raises 429 (ActiveX component
// can't create object) when it cannot, the description saying why: a class the registry
// does not know, a module that does not load, a class the module does not provide, a control
// class (a form places those), or a class the host may not create.

#include <QObject>
#include <QString>

#include <memory>

namespace forms {

std::shared_ptr<QObject> create_object(const QString& clsid_or_prog_id);

} // namespace forms
