#pragma once
// Module Miscellaneous: the time text of the progress panel's elapsed and estimated lines, and
// the library's enabled and disabled look of a control.

#include <QString>

// "hh:mm:ss" of a number of seconds. The total is rounded to whole seconds first (halves to
// the even number) and then split, so 59.5 seconds reads 00:01:00 and never 00:00:00; the
// hours wrap at 24. A negative time is written as "-" and the text of its magnitude; a value
// that is not a finite number gives "--:--:--" rather than a made-up time.
QString FormatSeconds(float s);

class QObject;

// Gives `control` the library's enabled or disabled look, by its type name: a disabled TextBox is
// Locked (read-only) and disabled, so that assistive tools read it as neither editable nor
// enabled while its text still shows; any other control is enabled or disabled, and unless it is a Label or KyLabel its BackColor, and unless it is a
// KyLabel its ForeColor, follow: window background and window text while enabled, button face
// and grey text while disabled. A step the control has no property for is skipped; the
// routine never fails.
void SetControlEnabled(QObject* control, bool enabled);
