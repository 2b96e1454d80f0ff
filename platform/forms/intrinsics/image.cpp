#include "platform/forms/intrinsics/image.h"

#include "platform/forms/core/screen.h"

#include <QPainter>

#include <cmath>

namespace forms {

double himetric_to_twips(int himetric) { return himetric * 1440.0 / 2540.0; }

Image::Image(QWidget* container, const QString& name) : IntrinsicControl(container, name, QAccessible::Graphic)
{
    setPicture(nullptr);
}

void Image::setPicture(const PictureRef& picture) { hold_picture(picture_, picture_connection_, picture); }

void Image::setStretch(bool on)
{
    stretch_ = on;
    appearance_changed();
}

void Image::setBorderStyle(int style)
{
    border_style_ = style;
    update();
}

void Image::appearance_changed()
{
    if (!stretch_ && !picture_->empty()) {
        // The picture's size on this screen, in whole pixels.
        const double tpp_x = Screen::TwipsPerPixelX(), tpp_y = Screen::TwipsPerPixelY();
        const double width = std::round(himetric_to_twips(picture_->Width()) / tpp_x) * tpp_x;
        const double height = std::round(himetric_to_twips(picture_->Height()) / tpp_y) * tpp_y;
        set_twips_rect(QRectF(Left(), Top(), width, height));
    }
    update();
}

void Image::paintEvent(QPaintEvent* event)
{
    (void)event;
    QPainter painter(this);
    if (!picture_->empty()) {
        if (stretch_) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(rect(), picture_->image());
        } else {
            painter.drawImage(QRect(QPoint(0, 0), size()), picture_->image(), QRect(QPoint(0, 0), size()));
        }
    }
    if (border_style_ != 0) {
        painter.setPen(resolve_color(syscolor::WindowFrame, palette()));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace forms
