#pragma once
// One picture box of the progress bar (the frame and empty part, or the fill). Like the
// runtime's picture boxes with a persistent image, what is printed on it stays until the next
// Cls and survives repaints; sizes and positions are in twips, pixels only when painting.

#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/std_font.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

class ProgressPicture : public QWidget {
    Q_OBJECT
public:
    explicit ProgressPicture(QWidget* parent);

    // 0 none, 1 fixed single (a sunken edge two pixels wide); another value raises 380.
    std::int32_t BorderStyle() const { return border_style_; }
    void setBorderStyle(std::int32_t style);
    OLE_COLOR BackColor() const { return back_color_; }
    void setBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const { return fore_color_; }
    void setForeColor(OLE_COLOR color);
    forms::FontRef Font() const { return font_; }
    void setFont(const forms::FontRef& font);

    // Outer geometry in twips, relative to the parent.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void Move(double left, double top, double width, double height);
    // Inner size in twips (without the border).
    double ScaleWidth() const;
    double ScaleHeight() const;

    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    // Clears the persistent image to the background colour.
    void Cls();
    // Prints text with its top-left corner at (x, y) twips of the inner area, in the fore colour.
    void Print(double x, double y, const QString& text);

    // The persistent image as it is now (for tests and pictures of the control).
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int border_pixels() const { return border_style_ == 1 ? 2 : 0; }
    int parent_border() const;
    void sync_image();
    QSize inner_pixels() const;
    QFont qfont() const;

    std::int32_t border_style_ = 1;
    OLE_COLOR back_color_ = forms::syscolor::ButtonFace;
    OLE_COLOR fore_color_ = forms::syscolor::ButtonText;
    forms::FontRef font_;
    QImage image_;
};
