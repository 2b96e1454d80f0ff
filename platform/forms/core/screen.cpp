#include "platform/forms/core/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace forms {

namespace {
double g_tpp_x = 15.0;
double g_tpp_y = 15.0;
} // namespace

double Screen::TwipsPerPixelX() { return g_tpp_x; }
double Screen::TwipsPerPixelY() { return g_tpp_y; }

void Screen::set_twips_per_pixel(double x, double y)
{
    g_tpp_x = x > 0 ? x : 15.0;
    g_tpp_y = y > 0 ? y : 15.0;
}

double Screen::DevicePixelRatio()
{
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

int Screen::to_pixels_x(double twips) { return static_cast<int>(std::lround(twips / g_tpp_x)); }
int Screen::to_pixels_y(double twips) { return static_cast<int>(std::lround(twips / g_tpp_y)); }
int32_t Screen::to_twips_x(int pixels) { return static_cast<int32_t>(std::lround(pixels * g_tpp_x)); }
int32_t Screen::to_twips_y(int pixels) { return static_cast<int32_t>(std::lround(pixels * g_tpp_y)); }

} // namespace forms
