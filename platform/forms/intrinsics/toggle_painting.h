#pragma once
// The one way check boxes and option buttons paint: the background, then the style's
// indicator and caption.

#include <QColor>
#include <QString>
#include <QStyle>

class QWidget;

namespace forms {

void paint_toggle(QWidget& widget, QStyle::ControlElement element, QStyle::State check_state, const QString& caption,
                  const QColor& back, const QColor& fore);

} // namespace forms
