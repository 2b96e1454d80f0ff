#include "platform/forms/intrinsics/line.h"

#include "platform/forms/core/screen.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace forms {

Line::Line(QWidget* container, const QString& name) : IntrinsicControl(container, name, QAccessible::Separator)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void Line::set_ends(double x1, double y1, double x2, double y2)
{
    // Placing a line where it is already is no change: a page that places its lines on every
    // paint would otherwise repaint itself without end.
    if (x1 == x1_ && y1 == y1_ && x2 == x2_ && y2 == y2_)
        return;
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    place();
}

void Line::setBorderColor(OLE_COLOR color)
{
    border_color_ = color;
    update();
}

void Line::setBorderStyle(int style)
{
    border_style_ = style;
    update();
}

void Line::setBorderWidth(int pixels)
{
    border_width_ = std::max(1, pixels);
    place();
}

void Line::place()
{
    // The widget covers the line's pixels: the box of its ends plus the pen's width.
    const double pen_x = border_width_ * Screen::TwipsPerPixelX();
    const double pen_y = border_width_ * Screen::TwipsPerPixelY();
    set_twips_rect(
        QRectF(std::min(x1_, x2_), std::min(y1_, y2_), std::abs(x2_ - x1_) + pen_x, std::abs(y2_ - y1_) + pen_y));
    update();
}

void Line::paintEvent(QPaintEvent* event)
{
    (void)event;
    if (border_style_ == Transparent)
        return;
    static const Qt::PenStyle styles[] = {Qt::NoPen,   Qt::SolidLine,   Qt::DashLine,
                                          Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
    QPen pen(resolve_color(border_color_, palette()));
    pen.setWidth(border_width_);
    pen.setStyle(border_style_ > 0 && border_style_ <= DashDotDot ? styles[border_style_] : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    QPainter painter(this);
    painter.setPen(pen);
    const int left = Screen::to_pixels_x(std::min(x1_, x2_));
    const int top = Screen::to_pixels_y(std::min(y1_, y2_));
    const QPoint from(Screen::to_pixels_x(x1_) - left, Screen::to_pixels_y(y1_) - top);
    const QPoint to(Screen::to_pixels_x(x2_) - left, Screen::to_pixels_y(y2_) - top);
    painter.drawLine(from, to);
}

} // namespace forms
