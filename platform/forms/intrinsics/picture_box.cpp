#include "platform/forms/intrinsics/picture_box.h"

#include "platform/forms/core/screen.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace forms {

PictureBox::PictureBox(QWidget* container, const QString& name) : IntrinsicControl(container, name, QAccessible::Pane)
{
    setPicture(nullptr);
}

void PictureBox::setPicture(const PictureRef& picture) { hold_picture(picture_, picture_connection_, picture); }

void PictureBox::setBorderStyle(int style)
{
    border_style_ = style;
    update();
}

double PictureBox::ScaleWidth() const { return std::max(0, width() - 2 * border_pixels()) * Screen::TwipsPerPixelX(); }

double PictureBox::ScaleHeight() const
{
    return std::max(0, height() - 2 * border_pixels()) * Screen::TwipsPerPixelY();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    painter.fillRect(rect(), back_qcolor());
    if (!picture_->empty())
        painter.drawImage(QPoint(border_pixels(), border_pixels()), picture_->image());
    if (border_style_ != 0) {
        QStyleOptionFrame option;
        option.initFrom(this);
        option.lineWidth = 2;
        option.state |= QStyle::State_Sunken;
        option.frameShape = QFrame::StyledPanel;
        style()->drawPrimitive(QStyle::PE_Frame, &option, &painter, this);
    }
}

} // namespace forms
