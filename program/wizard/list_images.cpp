#include "program/wizard/list_images.h"

#include "program/report/resources.h"

namespace program {

namespace {
constexpr int kSmall = 16;
} // namespace

forms::ImageList MakeListImages()
{
    forms::ImageList images(QSize(kSmall, kSmall));
    images.Add(QStringLiteral("1"), Resources::Shared().LoadIcon(IDI_NETWORK).pixmap(kSmall, kSmall).toImage());
    images.Add(QStringLiteral("2"), Resources::Shared().LoadIcon(IDI_EXCHANGE5).pixmap(kSmall, kSmall).toImage());
    return images;
}

} // namespace program
