#include "platform/forms/image.h"

#include <QPainter>

namespace forms {

double himetric_to_twips(int himetric) { return himetric * 1440.0 / 2540.0; }

Image::Image(QWidget* container, const QString& name)
    : IntrinsicControl(container, name, QAccessible::Graphic)
{
    setPicture(nullptr);
}

void Image::setPicture(const PictureRef& picture)
{
    QObject::disconnect(picture_connection_);
    picture_ = picture ? picture : StdPicture::create();
    picture_connection_ = connect(picture_.get(), &StdPicture::PictureChanged, this, [this] { appearance_changed(); });
    appearance_changed();
}

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
    if (!stretch_ && !picture_->empty())
        set_twips_rect(QRectF(Left(), Top(), himetric_to_twips(picture_->Width()), himetric_to_twips(picture_->Height())));
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
