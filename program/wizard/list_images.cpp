#include "program/wizard/list_images.h"

#include "program/report/resources.h"

namespace program {

namespace {
constexpr std::int32_t kNetworkIcon = 102;
constexpr std::int32_t kExchange5Icon = 103;
constexpr int kSmall = 16;
} // namespace

forms::ImageList MakeListImages()
{
    forms::ImageList images(QSize(kSmall, kSmall));
    images.Add(QStringLiteral("1"), Resources::Shared().LoadIcon(kNetworkIcon).pixmap(kSmall, kSmall).toImage());
    images.Add(QStringLiteral("2"), Resources::Shared().LoadIcon(kExchange5Icon).pixmap(kSmall, kSmall).toImage());
    return images;
}

} // namespace program
