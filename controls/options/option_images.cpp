#include "controls/options/option_images.h"

#include "controls/options/ky_tree_functions.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace options {

namespace {

constexpr int kSide = 14;

QImage blank()
{
    QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

const QColor kFolderFace(0xF2, 0xC9, 0x4C);
const QColor kFolderBack(0xD9, 0xA4, 0x2B);
const QColor kFolderEdge(0x8A, 0x62, 0x10);

QImage closed_folder()
{
    QImage image = blank();
    QPainter p(&image);
    p.setPen(kFolderEdge);
    p.setBrush(kFolderBack);
    p.drawRect(QRect(1, 2, 5, 2));
    p.setBrush(kFolderFace);
    p.drawRect(QRect(1, 4, 12, 8));
    return image;
}

QImage opened_folder()
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(kFolderEdge);
    p.setBrush(kFolderBack);
    p.drawRect(QRectF(1.5, 2.5, 4, 2));
    p.drawRect(QRectF(1.5, 4.5, 10, 7));
    p.setBrush(kFolderFace);
    p.drawPolygon(QPolygonF({{1.5, 11.5}, {4.0, 6.5}, {13.5, 6.5}, {11.0, 11.5}}));
    return image;
}

QImage arrow()
{
    QImage image = blank();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0x1E, 0x5A, 0x1E));
    p.setBrush(QColor(0x3C, 0xA0, 0x3C));
    p.drawPolygon(QPolygonF({{1.5, 5.0}, {7.0, 5.0}, {7.0, 1.5}, {12.5, 7.0}, {7.0, 12.5}, {7.0, 9.0}, {1.5, 9.0}}));
    return image;
}

} // namespace

const forms::ImageList& option_images()
{
    thread_local const forms::ImageList images = [] {
        forms::ImageList list(QSize(kSide, kSide));
        list.Add(kClosedFolder, closed_folder());
        list.Add(kOpenedFolder, opened_folder());
        list.Add(kArrow, arrow());
        return list;
    }();
    return images;
}

} // namespace options
