#pragma once
// Line: a straight line from (X1, Y1) to (X2, Y2), twips in its container, drawn in
// BorderColor with BorderWidth pixels. BorderStyle 0 transparent, 1 solid, 2 dash, 3 dot,
// 4 dash-dot, 5 dash-dot-dot. A line takes no mouse input: clicks reach what lies below.

#include "platform/forms/intrinsics/intrinsic_control.h"

namespace forms {

class Line : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(double X1 READ X1 WRITE setX1)
    Q_PROPERTY(double Y1 READ Y1 WRITE setY1)
    Q_PROPERTY(double X2 READ X2 WRITE setX2)
    Q_PROPERTY(double Y2 READ Y2 WRITE setY2)
    Q_PROPERTY(uint BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth)

public:
    enum { Transparent = 0, Solid = 1, Dash = 2, Dot = 3, DashDot = 4, DashDotDot = 5 };

    Line(QWidget* container, const QString& name);

    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    void setX1(double twips) { set_ends(twips, y1_, x2_, y2_); }
    void setY1(double twips) { set_ends(x1_, twips, x2_, y2_); }
    void setX2(double twips) { set_ends(x1_, y1_, twips, y2_); }
    void setY2(double twips) { set_ends(x1_, y1_, x2_, twips); }
    // Both ends at once.
    void set_ends(double x1, double y1, double x2, double y2);
    OLE_COLOR BorderColor() const { return border_color_; }
    void setBorderColor(OLE_COLOR color);
    int BorderStyle() const { return border_style_; }
    void setBorderStyle(int style);
    int BorderWidth() const { return border_width_; }
    void setBorderWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    OLE_COLOR border_color_ = syscolor::WindowText;
    int border_style_ = Solid;
    int border_width_ = 1;
};

} // namespace forms
