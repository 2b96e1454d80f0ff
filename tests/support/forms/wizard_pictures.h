#pragma once
// The wizard pictures of the control tests: a watermark and a banner at the sizes a wizard's
// bitmaps have for a screen of 96 dots per inch, and the Big ones for 120, drawn here so that
// the tests of the control library depend on nothing of a program that uses it. Each is drawn
// with a frame and a diagonal, so a picture shows where it was cut or stretched.

#include <QImage>

namespace wizard_pictures {

QImage watermark();     // 164 x 312
QImage banner();        // 497 x 58
QImage watermark_big(); // 205 x 390
QImage banner_big();    // 621 x 70

} // namespace wizard_pictures
