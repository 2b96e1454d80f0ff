#pragma once
// Between the COM world and the forms runtime's: VARIANT values to QVariant and back, and a
// runtime error to the HRESULT a dispatch caller gets. An object travels as an IDispatch made
// by the hosting part of the runtime (hosting/object_dispatch.h); a Font or Picture as a
// dispatch that carries it. Scalars, strings, lists and errors need nothing but this file.

#include "platform/com/variant.h"
#include "platform/forms/core/vb_error.h"

#include <QVariant>

namespace forms {

// How objects cross, given by hosting/object_dispatch.cpp as the runtime's library loads: an
// object's (a Font's, a Picture's) dispatch, and the value a dispatch of its making carries.
// In a process without the hosting part no object crosses: both ways DISP_E_TYPEMISMATCH.
struct ObjectDispatcher {
    HRESULT (*dispatch_of)(const QVariant& object, IDispatch** out) = nullptr;
    bool (*value_of_dispatch)(IUnknown* dispatch, QVariant& out) = nullptr;
};
void set_object_dispatcher(const ObjectDispatcher& dispatcher);

// The value a VARIANT holds (by-reference ones followed). DISP_E_TYPEMISMATCH for a type the
// runtime has no value for (an array, or an object this runtime did not hand out).
HRESULT to_qvariant(const VARIANT& in, QVariant& out);
// `in` as a VARIANT; `vt` says the automation type wanted (VT_EMPTY or VT_VARIANT: as it
// comes). A scalar is converted as VariantChangeType converts; a list asked for as VT_UNKNOWN
// becomes an IEnumVARIANT over its items (a collection's NewEnum).
HRESULT from_qvariant(const QVariant& in, VARTYPE vt, VARIANT& out);

// Leaves the calling thread's error information for a failing COM call.
void set_error_info(const QString& description, const QString& source = {});
// The runtime's error as a dispatch caller sees it: 438 DISP_E_MEMBERNOTFOUND, 450
// DISP_E_BADPARAMCOUNT, 13 DISP_E_TYPEMISMATCH, 6 DISP_E_OVERFLOW; any other number is
// 0x800A0000 + number with the thread's error information set to the error's description and
// source.
HRESULT hresult_of(const VbError& error);
// The other way, for a failing dispatch call the runtime made: the error a late-bound call
// raises. DISP_E_MEMBERNOTFOUND and DISP_E_UNKNOWNNAME 438, DISP_E_BADPARAMCOUNT 450,
// DISP_E_TYPEMISMATCH 13, DISP_E_OVERFLOW 6, 0x800A0000 + n error n; any other the HRESULT
// itself. The description and source are the thread's error information when the callee left
// it, else the standard text.
VbError error_of(HRESULT hr);
// The words for a failure `hr`: the thread's error information when the callee left it (its
// source into `source`), else the system's text for the code; empty for a runtime error's
// number without information, whose standard text the runtime gives.
QString failure_description(HRESULT hr, QString* source = nullptr);

} // namespace forms
