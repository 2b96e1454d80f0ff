// Pictures of the navigator as a person sees it, saved as test artefacts: the bar alone, and
// the whole wizard at its welcome, an interior and its finish page, with a wizard's pictures
// handed to the navigator (the plain ones at 15 twips per pixel, the Big ones at 12).

#include "tests/controls/wizard/navigator_fixture.h"

#include "platform/forms/hosting/do_events.h"
#include "platform/forms/core/std_picture.h"
#include "tests/support/forms/wizard_pictures.h"

namespace {

class NavigatorPictures : public NavigatorTest {
protected:
    // Three pages and the bar, as a designer places them.
    void design_wizard()
    {
        KyWizardTab& welcome = place(QStringLiteral("wtWelcome"));
        welcome.setWaterMarkTitleFont(verdana(12, true));
        welcome.setWatermarkTitle(QStringLiteral("Welcome to the Domain Statistics Wizard"));
        welcome.setWatermarkDescription(QStringLiteral("This wizard counts the users, groups and computers of the "
                                                       "domains you choose."));
        KyWizardTab& domains = place(QStringLiteral("wtSelectDomains"));
        domains.setBannerTitleFont(verdana(8.25, true));
        domains.setBannerTitle(QStringLiteral("Select Domains"));
        domains.setBannerDescription(QStringLiteral("Choose the domains whose objects the wizard counts."));
        KyWizardTab& finish = place(QStringLiteral("wtFinish"));
        finish.setWaterMarkTitleFont(verdana(12, true));
        finish.setWatermarkTitle(QStringLiteral("Completing the Domain Statistics Wizard"));
        finish.setWatermarkDescription(QStringLiteral("The counts are written to the file you chose."));
        finish.setWatermarkRule(QStringLiteral("To close this wizard, click Finish."));
        place_navigator();
    }
};

} // namespace

TEST_F(NavigatorPictures, WholeWizardAndTheBarAtFifteenAndTwelveTwipsPerPixel)
{
    struct Case {
        double twips_per_pixel;
        const char* suffix;
    };
    for (const Case& c : {Case{15, "15tpp"}, Case{12, "12tpp"}}) {
        SCOPED_TRACE(c.suffix);
        design_.reset();
        modBase::CreateNavigator();
        forms::Screen::set_twips_per_pixel(c.twips_per_pixel, c.twips_per_pixel);
        design_wizard();
        design().design_to_run();
        KyWizardNavigator& n = navigator_on(form());
        // As a program does at start-up: both sizes of each picture; the screen picks.
        n.setImageWaterMark(forms::StdPicture::create(wizard_pictures::watermark()));
        n.setImageBanner(forms::StdPicture::create(wizard_pictures::banner()));
        n.setImageWaterMarkBig(forms::StdPicture::create(wizard_pictures::watermark_big()));
        n.setImageBannerBig(forms::StdPicture::create(wizard_pictures::banner_big()));
        design().show();
        const std::string suffix = std::string("_") + c.suffix + ".png";
        save_picture(n, "wizard_navigator_bar" + suffix);
        EXPECT_FALSE(n.button(kyBPLeftMiddle)->Enabled()) << "the default set: no Back on the first page";
        EXPECT_FALSE(n.LeftMiddleButtonEnabled());
        save_picture(form(), "wizard_navigator_welcome" + suffix);
        n.button(kyBPRightMiddle)->setValue(true);
        forms::DoEvents();
        EXPECT_EQ(navigator().CurrentPageIndex(), 2);
        save_picture(form(), "wizard_navigator_interior" + suffix);
        n.button(kyBPRightMiddle)->setValue(true);
        forms::DoEvents();
        EXPECT_EQ(n.button(kyBPRightMiddle)->Caption(), QStringLiteral("&Finish"));
        save_picture(form(), "wizard_navigator_finish" + suffix);
        // The bar lies below the pages, flush with the form's bottom edge.
        EXPECT_EQ(site(QStringLiteral("kwnNavigator")).Top() + 705, form().ScaleHeight());
    }
}
