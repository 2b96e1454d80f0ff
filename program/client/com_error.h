#pragma once
// A failing HRESULT of a COM call becomes the forms runtime's error, as a late-bound call
// raises it: the HRESULT as the number and the object's error information (else the
// system's text for the code) as the description.

#include "platform/win32/win_types.h"

#include <QString>

namespace program {

// The description of a failure: the thread's error information when the callee set it,
// else the system message for `hr`, else the code in hexadecimal.
QString com_error_description(HRESULT hr);

// Raises forms::VbError when `hr` fails; returns `hr` otherwise.
HRESULT check(HRESULT hr);

} // namespace program
