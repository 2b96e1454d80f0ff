// The progress bar on a screen scaled by 2 (QT_SCALE_FACTOR=2, set before the application
// starts): its caption is printed in the screen's device pixels, as sharp as every other text,
// not into a picture of half the size that is then doubled.

#include "controls/display/ky_progress_bar.h"
#include "controls/display/progress_picture.h"
#include "platform/forms/hosting/control_site.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QtGlobal>

#include <cstdio>

namespace {

// Before main, so before the test host makes the application.
const bool scaled_screen = qputenv("QT_SCALE_FACTOR", "2");

// Columns of `image` in the caption's rows whose pixels differ from the background: a caption
// drawn at 1x and doubled has its edges in pairs of equal columns.
int edge_columns_in_pairs(const QImage& image)
{
    int pairs = 0;
    for (int x = 0; x + 1 < image.width(); x += 2) {
        bool same = true, inked = false;
        for (int y = 0; y < image.height(); ++y) {
            same = same && image.pixel(x, y) == image.pixel(x + 1, y);
            inked = inked || image.pixel(x, y) != image.pixel(0, 0);
        }
        if (same && inked)
            ++pairs;
    }
    return pairs;
}

class ScaledProgressBarTest : public KyComCtlTest {};

TEST_F(ScaledProgressBarTest, TheCaptionIsDrawnInDevicePixels)
{
    ASSERT_TRUE(scaled_screen);
    forms::ControlSite& site = host().add(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbBar"));
    auto* bar = qobject_cast<KyProgressBar*>(site.control());
    host().show();
    ASSERT_DOUBLE_EQ(bar->devicePixelRatioF(), 2.0);
    bar->setCaption(QStringLiteral("Reading the domain list: 50 of 100"));
    bar->setValue(50);
    const QImage& base = bar->picBase().image();
    EXPECT_DOUBLE_EQ(base.devicePixelRatio(), 2.0);
    EXPECT_EQ(base.width(), bar->picBase().width() * 2 - 2 * 2 * 2) << "one image pixel per device pixel";
    const QImage picture = bar->grab().toImage();
    const auto path = artefacts_dir() / "progress_bar_scale_2.png";
    EXPECT_TRUE(picture.save(QString::fromStdString(path.string())));
    std::printf("picture of the progress bar at scale factor 2: %s\n", path.c_str());
    // Doubled 1x text has almost every inked column pair equal; text drawn at 2x does not.
    const int inked = [&] {
        int n = 0;
        for (int x = 0; x < base.width(); ++x)
            for (int y = 0; y < base.height(); ++y)
                if (base.pixel(x, y) != base.pixel(0, 0)) {
                    ++n;
                    break;
                }
        return n;
    }();
    ASSERT_GT(inked, 20);
    EXPECT_LT(edge_columns_in_pairs(base), inked / 4) << "the caption looks pixel-doubled";
}

} // namespace
