// Pictures of wizard pages as a person sees them, saved as test artefacts: the welcome, an
// interior page in both banner styles and the complete page with a wizard's pictures (the plain
// ones at 96 dots per inch, the Big ones at 120), and the design-time aids.

#include "tests/controls/wizard/wizard_tab_fixture.h"

#include "platform/forms/core/std_font.h"
#include "tests/support/forms/wizard_pictures.h"

#include <QImage>

namespace {

class WizardTabPictures : public WizardTabTest {
protected:
    // Four pages as the wizard program designs them.
    void design_wizard()
    {
        KyWizardTab& welcome = place(QStringLiteral("wtWelcome"));
        welcome.setWaterMarkTitleFont(verdana(12, true));
        welcome.setWatermarkTitle(QStringLiteral("Welcome to the Domain Statistics Wizard"));
        welcome.setWatermarkDescription(
            QStringLiteral("This wizard counts the users, groups and computers of the domains you choose and "
                           "writes the results to a file.\r\n\r\nBefore you start, make sure that you can reach "
                           "the domain controllers."));
        KyWizardTab& domains = place(QStringLiteral("wtSelectDomains"));
        place(QStringLiteral("wtFinish"));
        domains.setBannerTitleFont(verdana(8.25, true));
        domains.setBannerTitle(QStringLiteral("Select Domains"));
        domains.setBannerDescription(QStringLiteral("Choose the domains whose objects the wizard counts."));
        KyWizardTab& finish = page(QStringLiteral("wtFinish"));
        finish.setWaterMarkTitleFont(verdana(12, true));
        finish.setWatermarkTitle(QStringLiteral("Completing the Domain Statistics Wizard"));
        finish.setWatermarkDescription(QStringLiteral("The counts are written to the file you chose."));
        finish.setWatermarkRule(QStringLiteral("To close this wizard, click Finish."));
        forms::ControlSite& bar = form().add_control(QStringLiteral("KyComCtl.KyProgressBar"),
                                                     QStringLiteral("prbDomains"),
                                                     &site(QStringLiteral("wtSelectDomains")));
        bar.Move(600, 1400, domains.ClientWidth(), 375);
    }

    void use_pictures(bool big)
    {
        navigator().setWaterMarkPicture(
            forms::StdPicture::create(big ? wizard_pictures::watermark_big() : wizard_pictures::watermark()));
        navigator().setBannerPicture(
            forms::StdPicture::create(big ? wizard_pictures::banner_big() : wizard_pictures::banner()));
    }

    void save(const std::string& file) { save_picture(form(), file); }
};

} // namespace

TEST_F(WizardTabPictures, RunTimePagesAtNinetySixAndOneHundredTwentyDotsPerInch)
{
    struct Case {
        double twips_per_pixel;
        bool big_pictures;
        const char* suffix;
    };
    for (const Case& c : {Case{15, false, "96dpi"}, Case{12, true, "120dpi"}}) {
        SCOPED_TRACE(c.suffix);
        design_.reset();
        modBase::CreateNavigator();
        forms::Screen::set_twips_per_pixel(c.twips_per_pixel, c.twips_per_pixel);
        design();
        form().setWidth(7500);
        form().setHeight(5400);
        design_wizard();
        design().design_to_run();
        use_pictures(c.big_pictures);
        design().show();
        const std::string suffix = std::string("_") + c.suffix + ".png";
        save("wizard_tab_welcome" + suffix);
        navigator().GoToPage(2);
        navigator().setBannerStyle(kyOSWindows2k);
        form().setWidth(form().Width());
        save("wizard_tab_interior_win2k" + suffix);
        navigator().setBannerStyle(kyKyrell);
        form().setWidth(form().Width() + c.twips_per_pixel);
        save("wizard_tab_interior_kyrell" + suffix);
        navigator().GoToPage(3);
        save("wizard_tab_complete" + suffix);
        EXPECT_TRUE(site(QStringLiteral("wtFinish")).Visible());
    }
}

TEST_F(WizardTabPictures, DesignTimeOutlineSizeHintAndMinimizedStrip)
{
    design_wizard();
    use_pictures(false);
    design().show();
    // Front to back: the complete page lies on top after its placement.
    save("wizard_tab_design_complete.png");
    site(QStringLiteral("wtSelectDomains")).ZOrder(0);
    save("wizard_tab_design_interior.png");
    page(QStringLiteral("wtFinish")).setPageState(Minimized);
    page(QStringLiteral("wtSelectDomains")).setPageState(Minimized);
    // Stacked where a designer drags them, over the welcome page.
    site(QStringLiteral("wtSelectDomains")).Move(2600, 4500, 0, 300);
    site(QStringLiteral("wtFinish")).Move(2600, 4850, 0, 300);
    site(QStringLiteral("wtWelcome")).ZOrder(1);
    save("wizard_tab_design_minimized.png");
    EXPECT_EQ(site(QStringLiteral("wtFinish")).Height(), 300);
}
