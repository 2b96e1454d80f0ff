#include "controls/display/progress_picture.h"

#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <vector>

#include <cmath>

using forms::Screen;

ProgressPicture::ProgressPicture(QWidget* parent) : QWidget(parent), font_(forms::StdFont::create())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProgressPicture::setBorderStyle(std::int32_t style)
{
    if (style != 0 && style != 1)
        forms::raise(forms::vberr::InvalidPropertyValue);
    // Pictures placed inside keep their place in the inner area.
    struct placed {
        ProgressPicture* picture;
        double left, top, width, height;
    };
    std::vector<placed> inside;
    for (auto* child : findChildren<ProgressPicture*>(Qt::FindDirectChildrenOnly))
        inside.push_back({child, child->Left(), child->Top(), child->Width(), child->Height()});
    border_style_ = style;
    for (const auto& p : inside)
        p.picture->Move(p.left, p.top, p.width, p.height);
    sync_image();
    update();
}

void ProgressPicture::setBackColor(OLE_COLOR color)
{
    back_color_ = color;
    update();
}

void ProgressPicture::setForeColor(OLE_COLOR color)
{
    fore_color_ = color;
    update();
}

void ProgressPicture::setFont(const forms::FontRef& font)
{
    if (font)
        font_ = font;
}

// A picture inside another one is placed in that one's inner area, inside its border.
int ProgressPicture::parent_border() const
{
    const auto* holder = qobject_cast<const ProgressPicture*>(parentWidget());
    return holder ? holder->border_pixels() : 0;
}

double ProgressPicture::Left() const { return (x() - parent_border()) * Screen::TwipsPerPixelX(); }
double ProgressPicture::Top() const { return (y() - parent_border()) * Screen::TwipsPerPixelY(); }
double ProgressPicture::Width() const { return width() * Screen::TwipsPerPixelX(); }
double ProgressPicture::Height() const { return height() * Screen::TwipsPerPixelY(); }

void ProgressPicture::Move(double left, double top, double width, double height)
{
    setGeometry(Screen::to_pixels_x(left) + parent_border(), Screen::to_pixels_y(top) + parent_border(),
                std::max(0, Screen::to_pixels_x(width)), std::max(0, Screen::to_pixels_y(height)));
    // A hidden picture gets its resize event only when shown; what is printed meanwhile
    // must already land on an image of the new size.
    sync_image();
}

QSize ProgressPicture::inner_pixels() const
{
    const int border = 2 * border_pixels();
    return {std::max(0, width() - border), std::max(0, height() - border)};
}

double ProgressPicture::ScaleWidth() const { return inner_pixels().width() * Screen::TwipsPerPixelX(); }
double ProgressPicture::ScaleHeight() const { return inner_pixels().height() * Screen::TwipsPerPixelY(); }

QFont ProgressPicture::qfont() const { return font_->to_qfont(); }

double ProgressPicture::TextWidth(const QString& text) const
{
    return QFontMetricsF(qfont()).horizontalAdvance(text) * Screen::TwipsPerPixelX();
}

double ProgressPicture::TextHeight(const QString& text) const
{
    Q_UNUSED(text);
    return QFontMetricsF(qfont()).height() * Screen::TwipsPerPixelY();
}

void ProgressPicture::Cls()
{
    image_.fill(forms::resolve_color(back_color_, palette()));
    update();
}

void ProgressPicture::Print(double x, double y, const QString& text)
{
    if (image_.isNull())
        return;
    QPainter painter(&image_);
    painter.setFont(qfont());
    painter.setPen(forms::resolve_color(fore_color_, palette()));
    const QFontMetricsF metrics(painter.font());
    painter.drawText(QPointF(x / Screen::TwipsPerPixelX(), y / Screen::TwipsPerPixelY() + metrics.ascent()), text);
    update();
}

void ProgressPicture::resizeEvent(QResizeEvent*) { sync_image(); }

void ProgressPicture::sync_image()
{
    // The persistent image follows the inner size and keeps what it shows where it still fits.
    // It has the screen's device pixels, so a caption printed on it is as sharp as any text
    // at a scale factor above 1.
    const double ratio = devicePixelRatioF();
    const QSize logical = inner_pixels().isEmpty() ? QSize(1, 1) : inner_pixels();
    const QSize size = (QSizeF(logical) * ratio).toSize();
    if (size == image_.size() && ratio == image_.devicePixelRatio())
        return;
    QImage grown(size, QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(forms::resolve_color(back_color_, palette()));
    if (!image_.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(0, 0, image_);
    }
    image_ = grown;
}

void ProgressPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int border = border_pixels();
    if (border > 0) {
        const QRect outer = rect();
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(outer.topLeft(), outer.topRight());
        painter.drawLine(outer.topLeft(), outer.bottomLeft());
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(outer.bottomLeft(), outer.bottomRight());
        painter.drawLine(outer.topRight(), outer.bottomRight());
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawLine(outer.topLeft() + QPoint(1, 1), outer.topRight() + QPoint(-1, 1));
        painter.drawLine(outer.topLeft() + QPoint(1, 1), outer.bottomLeft() + QPoint(1, -1));
        painter.setPen(palette().color(QPalette::Midlight));
        painter.drawLine(outer.bottomLeft() + QPoint(1, -1), outer.bottomRight() + QPoint(-1, -1));
        painter.drawLine(outer.topRight() + QPoint(-1, 1), outer.bottomRight() + QPoint(-1, -1));
    }
    const QSize inner = inner_pixels();
    if (!inner.isEmpty()) {
        const double ratio = image_.devicePixelRatio();
        painter.drawImage(QRectF(QPointF(border, border), QSizeF(inner)), image_,
                          QRectF(QPointF(0, 0), QSizeF(inner) * ratio));
    }
}
