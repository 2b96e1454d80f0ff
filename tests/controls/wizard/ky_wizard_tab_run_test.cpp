// The wizard page at run time: page changes through the shared navigation object, the looks
// and their layout, and the page as a container of the host's controls.

#include "tests/controls/wizard/wizard_tab_fixture.h"

#include "platform/forms/hosting/do_events.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/picture_box.h"
#include "platform/forms/core/std_font.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>

namespace {

class WizardTabRunTest : public WizardTabTest {
protected:
    // Three pages designed one after another, then the form switched to run mode and shown.
    void run_three_pages()
    {
        place(QStringLiteral("wtWelcome"));
        place(QStringLiteral("wtInterior"));
        place(QStringLiteral("wtFinish"));
        page(QStringLiteral("wtInterior")).setButtonCaption(kyBPRight, QStringLiteral("Stop"));
        page(QStringLiteral("wtInterior")).setUseDefaultButtonSet(false);
        design().design_to_run();
        design().show();
    }
    bool visible(const char* name) { return site(QString::fromLatin1(name)).Visible(); }
    forms::Image& image(KyWizardTab& p, const char* name)
    {
        return *static_cast<forms::Image*>(p.element(QString::fromLatin1(name)));
    }
    forms::Label& label(KyWizardTab& p, const char* name)
    {
        return *static_cast<forms::Label*>(p.element(QString::fromLatin1(name)));
    }
    forms::PictureBox& banner(KyWizardTab& p)
    {
        return *static_cast<forms::PictureBox*>(p.element(QStringLiteral("picBanner")));
    }
};

forms::PictureRef solid_picture(int width, int height)
{
    QImage bits(width, height, QImage::Format_RGB32);
    bits.fill(QColor(40, 90, 160));
    return forms::StdPicture::create(bits);
}

} // namespace

TEST_F(WizardTabRunTest, AfterShowOnlyTheCurrentPageIsVisible)
{
    run_three_pages();
    EXPECT_EQ(navigator().CurrentPageIndex(), 1);
    EXPECT_TRUE(visible("wtWelcome"));
    EXPECT_FALSE(visible("wtInterior"));
    EXPECT_FALSE(visible("wtFinish"));
    EXPECT_EQ(registered(), (QStringList{"wtWelcome", "wtInterior", "wtFinish"}));
}

TEST_F(WizardTabRunTest, GoingToAPagePushesItsButtonsBeforeTheIndexesAndShowsItLast)
{
    run_three_pages();
    QStringList log;
    CWizardNavigator& nav = navigator();
    QObject::connect(&nav, &CWizardNavigator::OnChangeButtons, [&] {
        log << QStringLiteral("buttons current=%1 right=%2 default-set=%3 shown=%4")
                   .arg(nav.CurrentPageIndex())
                   .arg(nav.CurrentRBCaption(), QVariant(nav.UseDefaultButtonSet()).toString(),
                        QVariant(visible("wtInterior")).toString());
    });
    QObject::connect(&nav, &CWizardNavigator::OnChangePreviousPageIndex, [&] {
        log << QStringLiteral("previous=%1 current=%2").arg(nav.PreviousPageIndex()).arg(nav.CurrentPageIndex());
    });
    QObject::connect(&nav, &CWizardNavigator::OnChangeNextPageIndex, [&] {
        log << QStringLiteral("next=%1 shown=%2")
                   .arg(nav.NextPageIndex())
                   .arg(QVariant(visible("wtInterior")).toString());
    });
    nav.GoToPage(2);
    EXPECT_EQ(log, (QStringList{"buttons current=1 right=Stop default-set=false shown=false", "previous=1 current=2",
                                "next=3 shown=false"}));
    EXPECT_FALSE(visible("wtWelcome"));
    EXPECT_TRUE(visible("wtInterior"));
    EXPECT_FALSE(visible("wtFinish"));
    nav.GoToPage(9);
    EXPECT_FALSE(visible("wtInterior")) << "an index no page has hides every page";
}

TEST_F(WizardTabRunTest, APageSavedMinimizedOpensMaximized)
{
    place(QStringLiteral("wtWelcome"));
    KyWizardTab& p = place(QStringLiteral("wtDomains"));
    p.setPageState(Minimized);
    EXPECT_EQ(site(QStringLiteral("wtDomains")).Height(), 300);
    EXPECT_EQ(site(QStringLiteral("wtDomains")).Align(), forms::vbAlignNone);
    design().design_to_run();
    design().show();
    KyWizardTab& run = page(QStringLiteral("wtDomains"));
    EXPECT_EQ(run.PageState(), Maximized);
    EXPECT_EQ(site(QStringLiteral("wtDomains")).Align(), forms::vbAlignTop);
    EXPECT_EQ(run.height(), form().height());
}

TEST_F(WizardTabRunTest, ClientAreaBoundaries)
{
    KyWizardTab& welcome = place(QStringLiteral("wtWelcome"));
    forms::Label& description = label(welcome, "lblWatermarkDescription");
    description.setAutoSize(false);
    struct Case {
        double bottom;
        int client_top;
    };
    for (const Case& c : {Case{1700, 1830}, Case{1730, 1830}, Case{1731, 1831}, Case{2400, 2500}}) {
        description.Move(2600, c.bottom - 390, 4575, 390);
        EXPECT_EQ(welcome.ClientTop(), c.client_top) << c.bottom;
    }
    EXPECT_EQ(welcome.ClientLeft(), 2600);
    EXPECT_EQ(welcome.ClientWidth(), 7500 - 615 - 2600);

    KyWizardTab& interior = place(QStringLiteral("wtInterior"));
    interior.setPageMode(InteriorPage);
    EXPECT_EQ(interior.ClientLeft(), 600);
    EXPECT_EQ(interior.ClientTop(), 1260);
    EXPECT_EQ(interior.ClientHeight(), 5400 - 285 - 1260);
    struct Height {
        double form_height;
        int client_height;
    };
    for (const Height& h : {Height{1545, 0}, Height{1500, 1}, Height{1560, 15}}) {
        form().setHeight(h.form_height);
        interior.Refresh();
        site(QStringLiteral("wtInterior")).setHeight(h.form_height);
        EXPECT_EQ(interior.ClientHeight(), h.client_height) << h.form_height;
    }
    interior.setPageMode(5);
    EXPECT_EQ(interior.ClientLeft(), 0);
    EXPECT_EQ(interior.ClientTop(), 0);
    EXPECT_EQ(interior.ClientHeight(), 0);
}

TEST_F(WizardTabRunTest, AWrappingWatermarkTitlePushesTheDescriptionDown)
{
    KyWizardTab& p = place(QStringLiteral("wtWelcome"));
    auto big = forms::StdFont::create();
    big->setSize(16);
    big->setBold(true);
    p.setWaterMarkTitleFont(big);
    p.setWatermarkTitle(QStringLiteral("Welcome"));
    forms::Label& title = label(p, "lblWatermarkTitle");
    forms::Label& description = label(p, "lblWatermarkDescription");
    EXPECT_EQ(title.Width(), p.ScaleWidth() - title.Left() - 20 * 15);
    EXPECT_LT(title.Top() + title.Height(), 1380);
    EXPECT_EQ(description.Top(), 1080);
    p.setWatermarkTitle(QStringLiteral("Welcome to the domain statistics wizard, which counts the users, groups and "
                                       "computers of the domains you choose"));
    const double bottom = title.Top() + title.Height();
    EXPECT_GE(bottom, 1380);
    EXPECT_EQ(description.Top(), bottom + 300);
    EXPECT_EQ(p.ClientTop(), std::max(1830, static_cast<int>(description.Top() + description.Height() + 100)));
}

TEST_F(WizardTabRunTest, TheBackgroundFollowsTheLookUnlessTheHostChoseItsOwn)
{
    KyWizardTab& p = place(QStringLiteral("wtWelcome"));
    EXPECT_EQ(p.BackColor(), 0xFFFFFFu) << "a welcome page turns white";
    p.setPageMode(InteriorPage);
    EXPECT_EQ(p.BackColor(), forms::syscolor::ButtonFace);
    p.setBackColor(0x00C0FFu);
    p.setPageMode(CompletePage);
    EXPECT_EQ(p.BackColor(), 0x00C0FFu);
    p.setPageMode(InteriorPage);
    EXPECT_EQ(p.BackColor(), 0x00C0FFu);
}

TEST_F(WizardTabRunTest, BannerPicturePlacementByStyleAtFifteenAndTwelveTwipsPerPixel)
{
    for (double tpp : {15.0, 12.0}) {
        SCOPED_TRACE(tpp);
        design_.reset();
        modBase::CreateNavigator();
        forms::Screen::set_twips_per_pixel(tpp, tpp);
        place(QStringLiteral("wtWelcome"));
        KyWizardTab& p = place(QStringLiteral("wtInterior"));
        p.setPageMode(InteriorPage);
        navigator().setBannerPicture(solid_picture(49, 49));
        navigator().setWaterMarkPicture(solid_picture(164, 312));
        forms::Image& picture = image(p, "imgHeaderBanner");
        const double inner = banner(p).ScaleWidth();

        navigator().setBannerStyle(kyOSWindows2k);
        p.Refresh();
        form().setWidth(form().Width() + 10 * tpp); // a layout
        EXPECT_EQ(picture.Stretch(), tpp != 15) << tpp;
        EXPECT_EQ(picture.Left(), banner(p).ScaleWidth() - 5 * tpp - picture.Width()) << tpp;
        EXPECT_EQ(picture.Top(), 5 * tpp) << tpp;
        EXPECT_EQ(picture.Width(), 49 * 15) << "the size the picture was drawn for, at 96 dots per inch";
        if (tpp != 15) {
            // A picture as high as the banner is made smaller to fit inside it.
            navigator().setBannerPicture(solid_picture(621, 70));
            form().setWidth(form().Width() + 10 * tpp);
            EXPECT_EQ(picture.Top() + picture.Height(), 875 - 5 * tpp);
            EXPECT_NEAR(picture.Width() / picture.Height(), 621.0 / 70.0, 0.01);
            navigator().setBannerPicture(solid_picture(49, 49));
        }

        navigator().setBannerStyle(kyKyrell);
        form().setWidth(form().Width() + 10 * tpp);
        if (tpp == 15) {
            EXPECT_EQ(picture.Width(), 49 * 15) << "natural size";
        } else {
            EXPECT_EQ(picture.Width(), banner(p).ScaleWidth()) << "stretched over the banner";
            EXPECT_EQ(picture.Height(), 875);
        }
        EXPECT_EQ(picture.Left(), banner(p).ScaleWidth() - picture.Width()) << tpp;
        EXPECT_EQ(picture.Top(), 0) << tpp;
        (void)inner;
        EXPECT_EQ(p.last_error().Number, 0) << p.last_error().Description.toStdString();

        forms::Image& watermark = image(page(QStringLiteral("wtWelcome")), "ImageWaterMark");
        // The watermark fills its side of the page, top to bottom, at every resolution.
        EXPECT_EQ(watermark.Left(), 0);
        EXPECT_EQ(watermark.Top(), 0);
        EXPECT_EQ(watermark.Width(), 2490);
        EXPECT_EQ(watermark.Height(), page(QStringLiteral("wtWelcome")).ScaleHeight());
        EXPECT_TRUE(watermark.Stretch());
    }
}

TEST_F(WizardTabRunTest, InputEventsHandChangedValuesBack)
{
    KyWizardTab& p = place(QStringLiteral("wtWelcome"));
    QObject::connect(&p, &KyWizardTab::KeyPress, [](short& KeyAscii) { KeyAscii = KeyAscii == 'x' ? 0 : 'Y'; });
    QObject::connect(&p, &KyWizardTab::KeyDown, [](short& KeyCode, short& Shift) {
        KeyCode = 0;
        Shift = 0;
    });
    QObject::connect(&p, &KyWizardTab::MouseDown, [](short& Button, short&, float& x, float&) {
        Button = 2;
        x = 15;
    });
    short ascii = 'x';
    p.UserControl_KeyPress(ascii);
    EXPECT_EQ(ascii, 0);
    ascii = 'a';
    p.UserControl_KeyPress(ascii);
    EXPECT_EQ(ascii, 'Y');
    short code = 65, shift = 1;
    p.UserControl_KeyDown(code, shift);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(shift, 0);
    short button = 1, mouse_shift = 0;
    float x = 300, y = 450;
    p.UserControl_MouseDown(button, mouse_shift, x, y);
    EXPECT_EQ(button, 2);
    EXPECT_EQ(x, 15);
    EXPECT_EQ(y, 450);

    short seen_code = 0, seen_shift = 0;
    QObject::connect(&p, &KyWizardTab::KeyUp, [&](short& KeyCode, short& Shift) {
        seen_code = KeyCode;
        seen_shift = Shift;
    });
    design().show();
    window_input::key_release(p, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(seen_code, 112);
    EXPECT_EQ(seen_shift, 1);
}

TEST_F(WizardTabRunTest, PageModeIsRefusedAtRunTimeWithOneReport)
{
    run_three_pages();
    std::vector<QString> errors;
    QObject::connect(&navigator(), &CWizardNavigator::OnError,
                     [&](std::int32_t number, const QString&, const QString& source) {
                         errors.push_back(QStringLiteral("%1 %2").arg(number).arg(source));
                     });
    page(QStringLiteral("wtFinish")).setPageMode(WelcomePage);
    EXPECT_EQ(page(QStringLiteral("wtFinish")).PageMode(), CompletePage);
    EXPECT_EQ(errors, (std::vector<QString>{QStringLiteral("382 wtFinish::PageMode (Let)")}));
}

TEST_F(WizardTabRunTest, TheHostsControlsOnAPageLiveHideAndMoveWithIt)
{
    place(QStringLiteral("wtWelcome"));
    place(QStringLiteral("wtDomains"));
    forms::ControlSite& bar = form().add_control(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbCount"),
                                                 &site(QStringLiteral("wtDomains")));
    bar.Move(600, 1400, 4000, 375);
    design().design_to_run();
    design().show();
    forms::ControlSite& run_bar = site(QStringLiteral("prbCount"));
    QWidget* bar_widget = run_bar.control();
    EXPECT_EQ(bar_widget->parentWidget(), page(QStringLiteral("wtDomains")).parentWidget() == nullptr
                                              ? nullptr
                                              : site(QStringLiteral("wtDomains")).control());
    EXPECT_FALSE(bar_widget->isVisible()) << "the page is not current";
    navigator().GoToPage(2);
    EXPECT_TRUE(bar_widget->isVisible());
    const QPoint before = bar_widget->mapTo(&form(), QPoint(0, 0));
    site(QStringLiteral("wtDomains")).setAlign(forms::vbAlignNone);
    site(QStringLiteral("wtDomains")).setTop(300);
    EXPECT_EQ(bar_widget->mapTo(&form(), QPoint(0, 0)), before + QPoint(0, 20));
    EXPECT_EQ(run_bar.Top(), 1400) << "the host's control keeps its place on the page";
}

TEST_F(WizardTabRunTest, PicturesReachTheirPagesAndTheHeightFollowsTheNavigator)
{
    run_three_pages();
    KyWizardTab& welcome = page(QStringLiteral("wtWelcome"));
    KyWizardTab& interior = page(QStringLiteral("wtInterior"));
    const forms::PictureRef banner_picture = solid_picture(49, 49);
    const forms::PictureRef watermark_picture = solid_picture(164, 312);
    navigator().setBannerPicture(banner_picture);
    navigator().setWaterMarkPicture(watermark_picture);
    EXPECT_EQ(image(interior, "imgHeaderBanner").Picture(), banner_picture);
    EXPECT_NE(image(interior, "ImageWaterMark").Picture(), watermark_picture) << "interior pages ignore the watermark";
    EXPECT_EQ(image(welcome, "ImageWaterMark").Picture(), watermark_picture);
    EXPECT_NE(image(welcome, "imgHeaderBanner").Picture(), banner_picture) << "welcome pages ignore the banner";
    navigator().setPageHeight(4200);
    EXPECT_EQ(site(QStringLiteral("wtInterior")).Height(), 4200);
}

TEST_F(WizardTabRunTest, AfterTheNavigatorDiesAPageLeavesTheRegistryAndFollowsNoEvents)
{
    run_three_pages();
    const std::shared_ptr<CWizardNavigator> nav = modBase::SharedNavigator();
    (void)nav->NavigatorIsDie();
    EXPECT_TRUE(registered().isEmpty());
    EXPECT_EQ(modBase::SharedNavigator(), nullptr) << "the last page let go of the shared objects";
    nav->GoToPage(2);
    EXPECT_TRUE(visible("wtWelcome")) << "no longer follows the navigator";
    EXPECT_FALSE(visible("wtInterior"));
    int clicks = 0;
    QObject::connect(&page(QStringLiteral("wtWelcome")), &KyWizardTab::Click, [&] { ++clicks; });
    page(QStringLiteral("wtWelcome")).UserControl_Click();
    EXPECT_EQ(clicks, 1) << "its own events still reach the host";
}
