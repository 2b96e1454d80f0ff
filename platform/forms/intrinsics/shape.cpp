#include "platform/forms/intrinsics/shape.h"

#include <QPainter>

#include <algorithm>

namespace forms {

Shape::Shape(QWidget* container, const QString& name) : IntrinsicControl(container, name, QAccessible::Graphic)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setBorderColor(OLE_COLOR color)
{
    border_color_ = color;
    update();
}

void Shape::setBorderWidth(int pixels)
{
    border_width_ = std::max(1, pixels);
    update();
}

void Shape::setBackStyle(int style)
{
    back_style_ = style == Opaque ? Opaque : Transparent;
    update();
}

void Shape::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    if (back_style_ == Opaque)
        painter.fillRect(rect(), back_qcolor());
    const QColor border = resolve_color(border_color_, palette());
    for (int i = 0; i < border_width_; ++i) {
        const QRect ring = rect().adjusted(i, i, -i - 1, -i - 1);
        if (ring.width() < 0 || ring.height() < 0)
            break;
        painter.setPen(border);
        painter.drawRect(ring);
    }
}

} // namespace forms
