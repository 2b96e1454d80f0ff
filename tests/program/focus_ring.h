#pragma once
// Whether a control shows that it has the focus, on a picture of the screen: the share of the
// pixels just inside its edge (1 px in, where a focus rectangle is drawn) whose colour differs
// from the pixel 3 px further in. A plain edge gives 0, a dotted ring about a half.

#include <QImage>
#include <QPoint>
#include <QRect>

namespace program_test {

inline double focus_ring_share(const QImage& screen, const QRect& control)
{
    const QRect ring = control.adjusted(1, 1, -2, -2);
    if (ring.width() < 16 || ring.height() < 16 || !screen.rect().contains(control))
        return 0;
    int differ = 0;
    int all = 0;
    const auto compare = [&](QPoint edge, QPoint inside) {
        ++all;
        if (screen.pixel(edge) != screen.pixel(inside))
            ++differ;
    };
    // The corners are left out: a rounded frame drawn there is no ring.
    for (int x = ring.left() + 4; x <= ring.right() - 4; ++x) {
        compare({x, ring.top()}, {x, ring.top() + 3});
        compare({x, ring.bottom()}, {x, ring.bottom() - 3});
    }
    for (int y = ring.top() + 4; y <= ring.bottom() - 4; ++y) {
        compare({ring.left(), y}, {ring.left() + 3, y});
        compare({ring.right(), y}, {ring.right() - 3, y});
    }
    return all > 0 ? static_cast<double>(differ) / all : 0;
}

} // namespace program_test
