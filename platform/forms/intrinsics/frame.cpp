#include "platform/forms/intrinsics/frame.h"

#include <QFontMetrics>
#include <QPainter>

namespace forms {

Frame::Frame(QWidget* container, const QString& name, const QString& caption)
    : IntrinsicControl(container, name, QAccessible::Grouping), caption_(caption)
{
    setAccessibleName(strip_mnemonic(caption));
}

void Frame::setCaption(const QString& caption)
{
    caption_ = caption;
    setAccessibleName(strip_mnemonic(caption));
    update();
}

void Frame::setBorderStyle(int style)
{
    border_style_ = style;
    update();
}

void Frame::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), back_qcolor());
    const QFontMetrics metrics(QWidget::font());
    const int edge_y = caption_.isEmpty() ? 0 : metrics.height() / 2;
    if (border_style_ != 0) {
        // An etched edge: a shadow line with a highlight line just inside it.
        const QColor shadow = resolve_color(syscolor::ButtonShadow, palette());
        const QColor light = resolve_color(syscolor::ButtonHighlight, palette());
        const QRect edge = rect().adjusted(0, edge_y, -2, -2);
        painter.setPen(light);
        painter.drawRect(edge.translated(1, 1));
        painter.setPen(shadow);
        painter.drawRect(edge);
    }
    if (!caption_.isEmpty()) {
        const QRect text_rect(8, 0, metrics.horizontalAdvance(caption_) + 4, metrics.height());
        painter.fillRect(text_rect, back_qcolor());
        painter.setPen(Enabled() ? fore_qcolor() : resolve_color(syscolor::GrayText, palette()));
        painter.drawText(text_rect, Qt::AlignCenter, caption_);
    }
}

bool Frame::accessible_hidden() const
{
    return caption_.isEmpty() && findChildren<QWidget*>(Qt::FindDirectChildrenOnly).isEmpty();
}

} // namespace forms
