#pragma once
// Module Miscellaneous: the time text of the progress panel's elapsed and estimated lines.

#include <QString>

// "hh:mm:ss" of a number of seconds. The total is rounded to whole seconds first (halves to
// the even number) and then split, so 59.5 seconds reads 00:01:00 and never 00:00:00; the
// hours wrap at 24. A negative time is written as "-" and the text of its magnitude; a value
// that is not a finite number gives "--:--:--" rather than a made-up time.
QString FormatSeconds(float s);
