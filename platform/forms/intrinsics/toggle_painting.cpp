#include "platform/forms/intrinsics/toggle_painting.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QWidget>

namespace forms {

void paint_toggle(QWidget& widget, QStyle::ControlElement element, QStyle::State check_state, const QString& caption,
                  const QColor& back, const QColor& fore)
{
    QPainter painter(&widget);
    painter.fillRect(widget.rect(), back);
    QStyleOptionButton option;
    option.initFrom(&widget);
    option.text = caption;
    option.state |= check_state;
    option.palette.setColor(QPalette::WindowText, fore);
    option.palette.setColor(QPalette::ButtonText, fore);
    widget.style()->drawControl(element, &option, &painter, &widget);
}

} // namespace forms
