#pragma once
// The screen's measures: lengths are twips everywhere in the runtime and pixels only at the
// widget. Twips per pixel default to 15 (96 dots per inch) and can be set, so that a test
// can run a layout as at another resolution.

#include <cstdint>

namespace forms {

class Screen {
public:
    static double TwipsPerPixelX();
    static double TwipsPerPixelY();
    // Injects the screen's resolution (a value <= 0 restores 15).
    static void set_twips_per_pixel(double x, double y);
    // Device pixels to a pixel on the primary screen (2 on a screen scaled to twice the size,
    // 1 without a display): a picture's pixel meets TwipsPerPixel / DevicePixelRatio twips.
    static double DevicePixelRatio();

    // Twips to whole pixels (rounded to nearest) and back.
    static int to_pixels_x(double twips);
    static int to_pixels_y(double twips);
    static int32_t to_twips_x(int pixels);
    static int32_t to_twips_y(int pixels);

    // The largest width or height a form or anything on it can show, in twips (16384 pixels
    // at 15 twips per pixel). A length beyond it is no layout but a value to refuse.
    static constexpr double kLargestLength = 245760;
};

} // namespace forms
