#pragma once
// IDispatch over the forms runtime's objects, by the type library that describes their class.
// A control module registers its library description once (register_dispatch_library); each
// coclass of it names, by its name, the Qt class (the control or public class) it describes.
// The dispatch of such an object answers GetIDsOfNames and Invoke by the DISPIDs of the
// class's default interface and GetTypeInfo from the library, and its connection point for the
// class's source interface calls a connected sink by the event interface's DISPIDs.
// A control's site stands for its control: the extender's members have no DISPIDs here.
// These dispatches are how objects cross core's VARIANT bridge (core/dispatch_bridge.h): this
// library gives the bridge dispatch_of and value_of_dispatch as it loads.

#include "platform/com/atl/type_library.h"

#include <QObject>
#include <QVariant>

#include <memory>

namespace forms {

void register_dispatch_library(const com::tlb::library_desc& library);

// The default interface and the source interface (null for none) of a described class.
struct DescribedClass {
    const com::tlb::library_desc* library = nullptr;
    const com::tlb::interface_desc* interface = nullptr;
    const com::tlb::interface_desc* events = nullptr;
};
// By the object's class (a site: its control's); nothing for an object no library describes.
DescribedClass described_class(const QObject* object);

// A dispatch for a value: an object of a described class answers its interface; a Font, a
// Picture or an object of no described class is carried (no members) so that it can be
// handed back. E_INVALIDARG for a value that is no object. An object has one dispatch, one
// IUnknown, for as long as any client holds it: every call for the object (or its site) gives
// that one.
HRESULT dispatch_of(const QVariant& object, IDispatch** out);
// The dispatch of an object a client created (a class factory's): it keeps the object alive
// for as long as it lives, and is the object's one dispatch.
HRESULT dispatch_of_created(std::shared_ptr<QObject> object, IDispatch** out);
// The value a dispatch made by dispatch_of carries; false for any other object.
bool value_of_dispatch(IUnknown* dispatch, QVariant& out);

} // namespace forms
