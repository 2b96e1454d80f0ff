// The wizard on a screen scaled to twice the size (QT_SCALE_FACTOR=2, set for this binary):
// 15 twips to a pixel, but two device pixels to each, so the navigator hands the pages its Big
// pictures and the pages draw them stretched over the areas the plain ones fill. The pictures
// of the wizard are saved (at 2x; the pictures test saves the same wizard at 1x).

#include "tests/controls/wizard/navigator_fixture.h"

#include "platform/forms/hosting/do_events.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/core/std_picture.h"
#include "tests/support/forms/wizard_pictures.h"

TEST_F(NavigatorTest, ABigScaledScreenGetsTheBigPicturesDrawnOverThePlainOnesAreas)
{
    ASSERT_EQ(forms::Screen::DevicePixelRatio(), 2.0) << "the binary runs with QT_SCALE_FACTOR=2";
    KyWizardTab& welcome = place(QStringLiteral("wtWelcome"));
    welcome.setWatermarkTitle(QStringLiteral("Welcome to the Domain Statistics Wizard"));
    KyWizardTab& domains = place(QStringLiteral("wtSelectDomains"));
    domains.setBannerTitle(QStringLiteral("Select Domains"));
    domains.setBannerDescription(QStringLiteral("Choose the domains whose objects the wizard counts."));
    place(QStringLiteral("wtFinish")); // the last page placed is the complete page
    place_navigator();
    design().design_to_run();
    KyWizardNavigator& n = navigator_on(form());
    const auto watermark = forms::StdPicture::create(wizard_pictures::watermark());
    const auto banner = forms::StdPicture::create(wizard_pictures::banner());
    const auto watermark_big = forms::StdPicture::create(wizard_pictures::watermark_big());
    const auto banner_big = forms::StdPicture::create(wizard_pictures::banner_big());
    n.setImageWaterMark(watermark);
    n.setImageBanner(banner);
    n.setImageWaterMarkBig(watermark_big);
    n.setImageBannerBig(banner_big);
    EXPECT_EQ(navigator().WaterMarkPicture(), watermark_big);
    EXPECT_EQ(navigator().BannerPicture(), banner_big);
    design().show();

    auto* shown = qobject_cast<forms::Image*>(
        page(QStringLiteral("wtWelcome")).element(QStringLiteral("ImageWaterMark")));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->Picture(), watermark_big);
    EXPECT_TRUE(shown->Stretch());
    EXPECT_EQ(shown->Width(), 2490) << "over the area the plain watermark fills";
    save_picture(form(), "wizard_navigator_welcome_2x.png");
    n.button(kyBPRightMiddle)->setValue(true);
    forms::DoEvents();
    auto* header = qobject_cast<forms::Image*>(
        page(QStringLiteral("wtSelectDomains")).element(QStringLiteral("imgHeaderBanner")));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->Picture(), banner_big);
    EXPECT_LE(header->Top() + header->Height(), 875) << "inside the banner";
    save_picture(form(), "wizard_navigator_interior_2x.png");
}
