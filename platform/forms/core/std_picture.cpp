#include "platform/forms/core/std_picture.h"

#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>

#include <cmath>

namespace forms {

namespace {
// A picture is as large as its pixels are on this screen, whatever resolution the image file
// records: a pixel is TwipsPerPixel twips, and 1440 twips are 2540 HIMETRIC.
int himetric(int pixels, double twips_per_pixel)
{
    return static_cast<int>(std::lround(pixels * twips_per_pixel * 2540.0 / 1440.0));
}
} // namespace

StdPicture::StdPicture(QImage image, PictureType type) : image_(std::move(image)), type_(type) {}

PictureRef StdPicture::create(QImage image, PictureType type)
{
    return std::make_shared<StdPicture>(std::move(image), type);
}

PictureRef StdPicture::load_file(const QString& path)
{
    if (!QFileInfo::exists(path))
        raise(53);
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull())
        raise(481);
    const bool icon = reader.format() == "ico";
    return create(std::move(image), icon ? Icon : Bitmap);
}

int StdPicture::Width() const { return image_.isNull() ? 0 : himetric(image_.width(), Screen::TwipsPerPixelX()); }
int StdPicture::Height() const { return image_.isNull() ? 0 : himetric(image_.height(), Screen::TwipsPerPixelY()); }

void StdPicture::set_image(QImage image, PictureType type)
{
    image_ = std::move(image);
    type_ = type;
    emit PictureChanged();
}

QByteArray StdPicture::to_bytes() const
{
    QByteArray bytes;
    if (image_.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image_.save(&buffer, "PNG");
    return bytes;
}

PictureRef StdPicture::from_bytes(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return create();
    QImage image;
    if (!image.loadFromData(bytes, "PNG"))
        raise(481);
    return create(std::move(image));
}

bool StdPicture::same_as(const StdPicture& other) const
{
    if (image_.isNull() || other.image_.isNull())
        return image_.isNull() == other.image_.isNull();
    return type_ == other.type_ && image_ == other.image_;
}

} // namespace forms
