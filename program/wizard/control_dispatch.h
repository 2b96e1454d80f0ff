#pragma once
// The program's calls of the control library's objects by the DISPIDs of its contract with the
// library: each member the program uses has its published DISPID as a constant
// (control_dispatch.cpp), and every call is an IDispatch::Invoke by it; no name is looked up at
// run time. The interface an object answers is told by its type information. Events come
// through the object's connection point for its event interface, to a sink that knows the event
// by its DISPID. A failing call raises the error a late-bound call raises (forms::error_of); a
// member outside the contract raises 438. The extender's members (Name, SetFocus, ...) have no
// DISPIDs: they stay calls by name (late_binding.h).

#include "platform/com/atl/com_ptr.h"
#include "platform/com/connection_points.h"
#include "platform/com/dispatch.h"
#include "platform/forms/hosting/late_binding.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>

namespace program {

// One step of the binding, for a test that follows the calls: an Invoke by DISPID or an event
// sink connected.
struct DispatchStep {
    enum Kind { Invoke, Advise } kind;
    QString member;
    DISPID id;
    WORD flags; // of an Invoke
};
using DispatchTrace = std::function<void(const DispatchStep&)>;
// The trace in effect until the returned previous one is put back; none by default.
DispatchTrace set_dispatch_trace(DispatchTrace trace);

// A connected event sink; the connection ends with disconnect() or when this goes.
class EventConnection {
public:
    EventConnection() = default;
    EventConnection(CComPtr<IConnectionPoint> point, DWORD cookie);
    EventConnection(EventConnection&& other) noexcept;
    EventConnection& operator=(EventConnection&& other) noexcept;
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;
    ~EventConnection();

    void disconnect();

private:
    CComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// The dispatch of one object of the control library (a control, its site, or an object one
// hands out, such as a page proxy), taken at the first call: 424 for no object, 430 for an
// object no type library describes.
class ControlDispatch {
public:
    explicit ControlDispatch(QObject* object) : object_(object) {}

    QVariant get(const char* member, const QVariantList& args = {}) const;
    // `index`: the arguments of a parameterised property, before the value.
    void let(const char* member, const QVariant& value, const QVariantList& index = {}) const;
    void set(const char* member, const QVariant& object) const;
    QVariant call(const char* member, const QVariantList& args = {}) const;
    // The handler gets the event's arguments in order; what it leaves in an argument the
    // event takes by reference goes back to the raiser.
    EventConnection connect_event(const char* event, forms::EventHandler handler) const;

private:
    void bind() const;
    QVariant invoke(const char* member, WORD flags, const QVariantList& args) const;

    QPointer<QObject> object_;
    mutable CComPtr<IDispatch> dispatch_;
    mutable CComPtr<ITypeInfo> type_; // of the default interface
    mutable GUID iid_{};
};

} // namespace program
