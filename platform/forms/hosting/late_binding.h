#pragma once
// Late binding by name on Qt objects: a member is a meta-object property, an invokable
// method or a signal (an event), found without regard to case. On a control's site the
// extender's members come first, then the control's, except a member the control has itself
// (listed by its class's description), which wins over the extender's of the same name: a
// progress bar's caption Align, not the site's docking Align. Errors as the runtime raises them:
// 438 for a missing member, 450 for a wrong number of arguments, 383 for a Let of a
// read-only property, 13 for a value that does not convert, 424 for a Set without an object.
// Errors raised inside the member reach the caller unchanged.
// A Variant-typed (QVariant) property, parameter or result takes and gives the value itself:
// an Integer stays an Integer, an object an object, never a Variant wrapped in a Variant.

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>

namespace forms {

// Property Get, or a method's result when the member is a method.
QVariant get(QObject* object, const QString& name, const QVariantList& args = {});
// Property Let: the value converted to the property's type as the runtime converts.
void let(QObject* object, const QString& name, const QVariant& value);
// Property Set: an object reference (QObject*, Font or Picture).
void set(QObject* object, const QString& name, const QVariant& object_value);
// A method call (or a property Get when the name is a property and there are no arguments).
QVariant call(QObject* object, const QString& name, const QVariantList& args = {});
// Whether `name` is a property or method of the object (or its extender / control).
bool has_member(QObject* object, const QString& name);

// Connects `handler` to event `name` of `source` (a signal, found without regard to case), as
// a direct, synchronous connection. The handler gets the event's arguments; a change it makes
// to an argument the signal takes by non-const reference goes back to the raiser. The
// connection ends when `context` is destroyed (or on disconnect_event). Raises 438 for an
// event the object does not have.
using EventHandler = std::function<void(QVariantList& args)>;
QMetaObject::Connection connect_event(QObject* source, const QString& name, QObject* context, EventHandler handler);

} // namespace forms
