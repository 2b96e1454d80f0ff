#include "tests/support/forms/wizard_pictures.h"

#include <QLinearGradient>
#include <QPainter>

namespace wizard_pictures {

namespace {

// A vertical (watermark) or horizontal (banner) gradient, framed, with a diagonal.
QImage drawn(int width, int height, bool vertical)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, vertical ? 0 : width, vertical ? height : 0);
    gradient.setColorAt(0, QColor(0x1f, 0x3b, 0x8c));
    gradient.setColorAt(1, QColor(0xd8, 0xe4, 0xf8));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(QColor(0xf0, 0xa0, 0x20), 2));
    painter.drawRect(image.rect().adjusted(1, 1, -1, -1));
    painter.drawLine(QPoint(0, 0), QPoint(width - 1, height - 1));
    return image;
}

} // namespace

QImage watermark() { return drawn(164, 312, true); }
QImage banner() { return drawn(497, 58, false); }
QImage watermark_big() { return drawn(205, 390, true); }
QImage banner_big() { return drawn(621, 70, false); }

} // namespace wizard_pictures
