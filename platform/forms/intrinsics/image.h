#pragma once
// Image: shows a picture on the container, never a background of its own. With Stretch off
// the control takes the picture's natural size (its HIMETRIC size in twips) and paints it at
// its top left; with Stretch on the picture fills the control's size.

#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/core/std_picture.h"

namespace forms {

class Image : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(forms::PictureRef Picture READ Picture WRITE setPicture)
    Q_PROPERTY(bool Stretch READ Stretch WRITE setStretch)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)

public:
    Image(QWidget* container, const QString& name);

    // Never null: no picture is an empty picture.
    PictureRef Picture() const { return picture_; }
    // Holds `picture` (shared: a later change of it shows here); null empties the image.
    void setPicture(const PictureRef& picture);
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);
    int BorderStyle() const { return border_style_; }
    void setBorderStyle(int style);
    // An image that shows no picture is no node for assistive tools.
    bool accessible_hidden() const override { return !Visible() || picture_->empty(); }

protected:
    void appearance_changed() override;
    void paintEvent(QPaintEvent* event) override;

private:
    PictureRef picture_;
    QMetaObject::Connection picture_connection_;
    bool stretch_ = false;
    int border_style_ = 0;
};

// The twips size of a picture from its HIMETRIC size.
double himetric_to_twips(int himetric);

} // namespace forms
