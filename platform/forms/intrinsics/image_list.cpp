#include "platform/forms/intrinsics/image_list.h"

namespace forms {

void ImageList::Add(const QString& key, const QImage& image)
{
    const QImage scaled = image.size() == size_ ? image : image.scaled(size_);
    for (auto& [k, picture] : images_)
        if (k == key) {
            picture = scaled;
            return;
        }
    images_.emplace_back(key, scaled);
}

bool ImageList::Exists(const QString& key) const { return !image(key).isNull(); }

QImage ImageList::image(const QString& key) const
{
    for (const auto& [k, picture] : images_)
        if (k == key)
            return picture;
    return {};
}

} // namespace forms
