#pragma once
// Shape: a rectangle outline drawn in BorderColor (BorderWidth pixels, inside the control's
// bounds), filled with BackColor when BackStyle is 1 and leaving the container showing through
// when it is 0 (transparent, the default). A shape takes no mouse input: clicks reach what
// lies below.

#include "platform/forms/intrinsics/intrinsic_control.h"

namespace forms {

class Shape : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(uint BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)
    Q_PROPERTY(int BackStyle READ BackStyle WRITE setBackStyle)

public:
    enum { Transparent = 0, Opaque = 1 };

    Shape(QWidget* container, const QString& name);

    OLE_COLOR BorderColor() const { return border_color_; }
    void setBorderColor(OLE_COLOR color);
    int BorderWidth() const { return border_width_; }
    void setBorderWidth(int pixels);
    int BackStyle() const { return back_style_; }
    void setBackStyle(int style);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OLE_COLOR border_color_ = syscolor::WindowText;
    int border_width_ = 1;
    int back_style_ = Transparent;
};

} // namespace forms
