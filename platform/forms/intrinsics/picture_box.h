#pragma once
// PictureBox: a container with a background colour and an optional picture at its top left;
// the controls placed in it move and hide with it. BorderStyle 0 draws no border, 1 a sunken
// 3-D border of 2 pixels; ScaleWidth and ScaleHeight are the inner size in twips.

#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/core/std_picture.h"

namespace forms {

class PictureBox : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(forms::PictureRef Picture READ Picture WRITE setPicture)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(double ScaleWidth READ ScaleWidth)
    Q_PROPERTY(double ScaleHeight READ ScaleHeight)

public:
    PictureBox(QWidget* container, const QString& name);

    PictureRef Picture() const { return picture_; }
    void setPicture(const PictureRef& picture);
    int BorderStyle() const { return border_style_; }
    void setBorderStyle(int style);
    double ScaleWidth() const;
    double ScaleHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int border_pixels() const { return border_style_ != 0 ? 2 : 0; }

    PictureRef picture_;
    QMetaObject::Connection picture_connection_;
    int border_style_ = 1;
};

} // namespace forms
