// The navigator at design time: placing it, its layout, the held form size, the persistence
// table and the side effects of its Gets, the pictures by twips per pixel and the captions
// file.

#include "tests/controls/wizard/navigator_fixture.h"

#include "platform/forms/hosting/control_factory.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/core/std_picture.h"

#include <QFile>

#include <QImage>
#include <limits>

namespace {

class NavigatorDesignTest : public NavigatorTest {
protected:
    std::vector<forms::RecordingMessageBox::Box>& design_boxes() { return design().messages().boxes; }
};

forms::PictureRef picture(QColor colour)
{
    QImage bits(4, 4, QImage::Format_RGB32);
    bits.fill(colour);
    return forms::StdPicture::create(bits);
}

} // namespace

TEST_F(NavigatorDesignTest, PlacedNavigatorDocksAtTheBottomAndDressesTheWizardWindow)
{
    KyWizardNavigator& n = place_navigator();
    forms::ControlSite& s = site(QStringLiteral("kwnNavigator"));
    EXPECT_EQ(s.Align(), forms::vbAlignBottom);
    EXPECT_EQ(s.Height(), 705);
    EXPECT_TRUE(s.Default());
    EXPECT_TRUE(s.Cancel());
    EXPECT_EQ(form().BorderStyle(), 1);
    EXPECT_FALSE(form().ControlBox());
    EXPECT_EQ(form().StartUpPosition(), 2);
    EXPECT_NEAR(form().Width(), 7540, 15);
    EXPECT_NEAR(form().Height(), 5775, 15);
    EXPECT_EQ(navigator().PageHeight(), static_cast<int>(s.Top()) - 15);
    EXPECT_FALSE(button(n, kyBPLeft).Visible()) << "Help is hidden by default";
    EXPECT_EQ(button(n, kyBPRightMiddle).Caption(), QStringLiteral("&Next >"));
    EXPECT_EQ(button(n, kyBPRightMiddle).Tag(), QStringLiteral("2"));
    EXPECT_EQ(navigator().DefaultSetRBCaption(), QStringLiteral("Cancel"));
    EXPECT_EQ(navigator().BannerStyle(), kyKyrell);
    EXPECT_EQ(n.separator()->Top(), 0);
    EXPECT_EQ(n.separator()->Left(), -30);
    EXPECT_EQ(n.separator()->Width(), s.Width() + 60);
}

TEST_F(NavigatorDesignTest, ButtonsAreLaidOutFromTheRightAtEveryScale)
{
    struct Case {
        double twips_per_pixel;
        int width;
        int gap_middle;
        const char* lefts;
    };
    const Case cases[] = {
        {15, 7500, 165, "2540 3825 4945 6230"}, {12, 7500, 165, "2540 3825 4945 6230"},
        {15, 6000, 165, "1040 2325 3445 4730"}, {15, 7500, 0, "2870 3990 5110 6230"},
        {12, 3000, 165, "-1960 -675 445 1730"},
    };
    for (const Case& c : cases) {
        forms::Screen::set_twips_per_pixel(c.twips_per_pixel, c.twips_per_pixel);
        design_.reset();
        modBase::CreateNavigator();
        KyWizardNavigator& n = place_navigator();
        n.setHoldParentSize(false);
        n.setButtonGapMiddle(c.gap_middle);
        n.setParentWidth(c.width);
        SCOPED_TRACE(c.lefts);
        EXPECT_EQ(site(QStringLiteral("kwnNavigator")).Width(), c.width);
        EXPECT_EQ(lefts(n), QString::fromLatin1(c.lefts));
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
            SCOPED_TRACE(position);
            EXPECT_EQ(button(n, position).Top(), 210);
            EXPECT_EQ(button(n, position).Height(), 345);
            EXPECT_EQ(button(n, position).Width(), 1120);
        }
        EXPECT_EQ(site(QStringLiteral("kwnNavigator")).Height(), 705) << "the bar's height whatever the scale";
    }
}

TEST_F(NavigatorDesignTest, ButtonSizeBelowFifteenIsIgnoredWithoutAMark)
{
    KyWizardNavigator& n = place_navigator();
    form().clear_dirty();
    n.setButtonHeight(14);
    n.setButtonWidth(14);
    EXPECT_EQ(n.ButtonHeight(), 345);
    EXPECT_EQ(n.ButtonWidth(), 1120);
    EXPECT_EQ(button(n, kyBPRight).Height(), 345);
    EXPECT_FALSE(form().dirty());
    n.setButtonHeight(15);
    n.setButtonWidth(15);
    EXPECT_EQ(button(n, kyBPRight).Height(), 15);
    EXPECT_EQ(button(n, kyBPRight).Width(), 15);
    EXPECT_TRUE(form().dirty());
    EXPECT_TRUE(design_boxes().empty());
}

TEST_F(NavigatorDesignTest, SecondNavigatorGivesOneMessageAndStaysInertThroughResizeAndTerminate)
{
    KyWizardTab& welcome = place(QStringLiteral("wtWelcome"));
    KyWizardNavigator& first = place_navigator();
    const int page_height = navigator().PageHeight();
    const double welcome_height = site(QStringLiteral("wtWelcome")).Height();
    KyWizardNavigator& second = place_navigator(QStringLiteral("kwnSecond"));
    forms::ControlSite& s = site(QStringLiteral("kwnSecond"));
    ASSERT_EQ(design_boxes().size(), 1u);
    EXPECT_EQ(design_boxes()[0].prompt,
              QStringLiteral("Sorry. You can have only one KyWizardNavigator on Form. Please remove "
                             "the new item KyWizardNavigator."));
    EXPECT_EQ(design_boxes()[0].title, QStringLiteral("KyWizardNavigator"));
    EXPECT_TRUE(second.refused());
    EXPECT_EQ(s.Align(), forms::vbAlignNone);
    EXPECT_EQ(second.ButtonWidth(), 0);
    EXPECT_FALSE(second.HoldParentSize());
    EXPECT_EQ(second.WizardPages(), nullptr);
    s.Move(0, 300, 4000, 900); // its Resize runs
    EXPECT_EQ(navigator().PageHeight(), page_height) << "the refused bar never writes the page height";
    EXPECT_EQ(site(QStringLiteral("wtWelcome")).Height(), welcome_height);
    form().remove_control(s); // its Terminate runs
    EXPECT_EQ(registered(), QStringList{QStringLiteral("wtWelcome")}) << "the pages were not told the navigator died";
    EXPECT_TRUE(modBase::SharedNavigator());
    EXPECT_FALSE(first.refused());
    EXPECT_EQ(welcome.PageIndex(), 1);
    EXPECT_EQ(design_boxes().size(), 1u);
}

TEST_F(NavigatorDesignTest, SecondNavigatorInASavedFormIsRefusedOnLoad)
{
    place(QStringLiteral("wtWelcome"));
    place_navigator();
    QString text = design().saved_text();
    // A form file that holds two navigators (written by hand or by an older designer).
    const int at = text.indexOf(QStringLiteral("Begin KyComCtl.KyWizardNavigator kwnNavigator"));
    ASSERT_GE(at, 0);
    const int end = text.indexOf(QStringLiteral("End"), at) + 3;
    text.insert(end, QStringLiteral("\n") +
                         text.mid(at, end - at).replace(QStringLiteral("kwnNavigator"), QStringLiteral("kwnSecond")));
    design_.reset();
    modBase::CreateNavigator();
    forms::Form run(true);
    run.load(forms::FormFile::parse(text));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_FALSE(navigator_on(run).refused());
    EXPECT_TRUE(navigator_on(run, QStringLiteral("kwnSecond")).refused());
    run.unload();
    EXPECT_FALSE(modBase::SharedNavigator()) << "the live navigator released the shared objects as it left";
}

TEST_F(NavigatorDesignTest, HeldSizeSnapsBackAndAFreeSizeBecomesTheUsersSize)
{
    KyWizardNavigator& n = place_navigator();
    form().setWidth(9000);
    EXPECT_NEAR(form().Width(), 7540, 15) << "held: the form snaps back";
    EXPECT_EQ(n.WizardSizeMode(), kyStandard);
    n.setWizardSizeMode(kyStandard); // held: changes nothing
    EXPECT_EQ(n.ParentWidth(), 7540) << "the size as set, not its whole pixels";
    n.setHoldParentSize(false);
    form().setWidth(9000);
    form().setHeight(6000);
    EXPECT_NEAR(form().Width(), 9000, 15);
    EXPECT_EQ(n.ParentWidth(), 9000);
    EXPECT_EQ(n.ParentHeight(), 6000);
    EXPECT_EQ(n.WizardSizeMode(), kyUser);
    n.setWizardSizeMode(kyStandard);
    EXPECT_NEAR(form().Width(), 7540, 15);
    EXPECT_NEAR(form().Height(), 5775, 15);
}

TEST_F(NavigatorDesignTest, MaximisedFormKeepsItsSizeAndMinimisedChangesNothing)
{
    KyWizardNavigator& n = place_navigator();
    design().show();
    form().setWindowState(2);
    forms::DoEvents();
    ASSERT_EQ(form().WindowState(), 2);
    const double width = form().Width();
    EXPECT_GT(width, 7545) << "a maximised form is not snapped back to the held size";
    EXPECT_EQ(site(QStringLiteral("kwnNavigator")).Width(), width);
    EXPECT_EQ(button(n, kyBPRight).Left(), width - 1120 - 150) << "but the bar is laid out";
    EXPECT_EQ(navigator().PageHeight(), static_cast<int>(site(QStringLiteral("kwnNavigator")).Top()) - 15);
    const int page_height = navigator().PageHeight();
    form().setWindowState(1);
    forms::DoEvents();
    EXPECT_EQ(navigator().PageHeight(), page_height) << "minimised: nothing changes";
}

TEST_F(NavigatorDesignTest, HeldHeightReadWhileTheFormIsTallerPutsTheFormBack)
{
    KyWizardNavigator& n = place_navigator();
    form().resize(form().width(), 500); // behind the runtime's back: no Resize
    EXPECT_EQ(n.ParentHeight(), 5775);
    EXPECT_NEAR(form().Height(), 5775, 15);
}

TEST_F(NavigatorDesignTest, SizeModeAndHoldAreRefusedAtRunTimeWithError382)
{
    place_navigator();
    design().design_to_run();
    KyWizardNavigator& n = navigator_on(form());
    QStringList errors;
    QObject::connect(&n, &KyWizardNavigator::OnError, [&](std::int32_t number, const QString&, const QString& source) {
        errors << QString::number(number) + u' ' + source;
    });
    n.setWizardSizeMode(kyUser);
    n.setHoldParentSize(false);
    EXPECT_EQ(errors,
              (QStringList{"382 kwnNavigator::WizardSizeMode (Let)", "382 kwnNavigator::HoldParentSize (Let)"}));
    EXPECT_EQ(n.WizardSizeMode(), kyStandard);
    EXPECT_TRUE(n.HoldParentSize());
    EXPECT_EQ(design_boxes().size(), 2u) << "the error box under ShowErrorMsg";
}

TEST_F(NavigatorDesignTest, WritesEveryKeyInItsOrderAndOmitsDefaults)
{
    KyWizardNavigator& n = place_navigator();
    EXPECT_TRUE(form().save().controls[0].properties.empty()) << "a new navigator holds only defaults";
    n.setBackColor(0xFF);
    n.setEnabled(false);
    n.setFinishEnabled(false);
    n.setFinishVisible(true);
    n.setFinishCaption(QStringLiteral("Done"));
    n.setFinishPosition(kyBPRight);
    n.setFinishRule(kyBRExit);
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        n.setButtonEnabled(position, false);
        n.setButtonVisible(position, position == kyBPLeft);
        n.setButtonCaption(position, QStringLiteral("B%1").arg(position));
        n.setButtonRule(position, kyBRNone);
    }
    n.setDefaultButton(kyBPLeftMiddle);
    n.setCancelButton(kyBPLeft);
    n.setStartPage(2);
    n.setImageBanner(picture(Qt::red));
    n.setImageBannerBig(picture(Qt::green));
    n.setImageWaterMark(picture(Qt::blue));
    n.setImageWaterMarkBig(picture(Qt::yellow));
    auto font = forms::StdFont::create();
    font->setName(QStringLiteral("Verdana"));
    n.setButtonFont(font);
    n.setButtonGapTop(100);
    n.setButtonGapRight(300);
    n.setButtonGapMiddle(0);
    n.setButtonHeight(400);
    n.setButtonWidth(1000);
    n.setBannerHeaderStyle(kyOSWindows2k);
    n.setHoldParentSize(false);
    n.setParentWidth(7000);
    n.setParentHeight(5000);
    n.setShowErrorMsg(false);
    QStringList keys;
    const forms::FormData saved = form().save();
    for (const auto& entry : saved.controls[0].properties.entries())
        keys << entry.key;
    const QStringList expected{"BackColor",
                               "Enabled",
                               "FinishEnabled",
                               "FinishVisible",
                               "FinishCaption",
                               "FinishRule",
                               "FinishPosition",
                               "RightMiddleButtonEnabled",
                               "RightMiddleButtonVisible",
                               "RightMiddleButtonCaption",
                               "RightMiddleButtonRule",
                               "RightButtonEnabled",
                               "RightButtonVisible",
                               "RightButtonCaption",
                               "RightButtonRule",
                               "LeftButtonEnabled",
                               "LeftButtonVisible",
                               "LeftButtonCaption",
                               "LeftButtonRule",
                               "LeftMiddleButtonEnabled",
                               "LeftMiddleButtonVisible",
                               "LeftMiddleButtonCaption",
                               "LeftMiddleButtonRule",
                               "DefaultButton",
                               "CancelButton",
                               "StartPage",
                               "ImageBanner",
                               "ImageBannerBig",
                               "ImageWatermark",
                               "ImageWatermarkBig",
                               "ButtonFont",
                               "ButtonGapTop",
                               "ButtonGapRight",
                               "ButtonGapMiddle",
                               "ButtonHeight",
                               "ButtonWidth",
                               "BannerHeaderStyle",
                               "WizardSizeMode",
                               "ParentWidth",
                               "ParentHeight",
                               "HoldParentSize",
                               "ShowErrorMsg"};
    EXPECT_EQ(keys, expected);
    EXPECT_EQ(keys.size(), 42);
}

TEST_F(NavigatorDesignTest, ReadsLowerCaseKeysAndTheirDefaults)
{
    forms::PropertyBag bag;
    bag.set(QStringLiteral("leftmiddlebuttoncaption"), QStringLiteral("< &Zurück"));
    bag.set(QStringLiteral("holdparentsize"), false);
    bag.set(QStringLiteral("parentwidth"), 7512);
    bag.set(QStringLiteral("parentheight"), 5676);
    bag.set(QStringLiteral("wizardsizemode"), kyUser);
    bag.set(QStringLiteral("buttongapright"), 300);
    bag.set(QStringLiteral("defaultbutton"), 0);
    bag.set(QStringLiteral("imagewatermarkbig"), QVariant::fromValue(picture(Qt::yellow)));
    forms::ControlSite& s = design().form().add_control(
        forms::ControlFactory::create(QStringLiteral("KyComCtl.KyWizardNavigator")),
        QStringLiteral("KyComCtl.KyWizardNavigator"), QStringLiteral("kwnNavigator"), nullptr, &bag);
    auto& n = *qobject_cast<KyWizardNavigator*>(s.control());
    EXPECT_EQ(n.LeftMiddleButtonCaption(), QStringLiteral("< &Zurück"));
    EXPECT_EQ(button(n, kyBPLeftMiddle).Caption(), QStringLiteral("< &Zurück"));
    EXPECT_FALSE(n.HoldParentSize());
    EXPECT_EQ(n.ButtonGapRight(), 300);
    EXPECT_EQ(n.WizardSizeMode(), kyUser);
    EXPECT_FALSE(n.ImageWaterMarkBig()->empty());
    EXPECT_TRUE(n.ImageWaterMark()->empty());
    EXPECT_EQ(n.DefaultButton(), 0);
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        SCOPED_TRACE(position);
        EXPECT_FALSE(button(n, position).Default());
    }
    EXPECT_TRUE(button(n, kyBPRight).Cancel()) << "the cancel key's default";
    EXPECT_EQ(n.FinishCaption(), QStringLiteral("&Finish"));
    EXPECT_EQ(n.ButtonWidth(), 1120);
    EXPECT_EQ(n.BannerHeaderStyle(), kyKyrell);
    EXPECT_EQ(navigator().DefaultSetLMBCaption(), QStringLiteral("< &Zurück")) << "pushed into the shared default set";
    EXPECT_FALSE(n.Enabled()) << "no page registered yet";
}

TEST_F(NavigatorDesignTest, GetsRefreshTheBarAsEachButtonPrescribes)
{
    KyWizardNavigator& n = place_navigator();
    // A page's set changed the bar behind the fields' back.
    auto scramble = [&] {
        for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
            button(n, position).setVisible(false);
            button(n, position).setEnabled(false);
            button(n, position).setTag(QStringLiteral("x"));
            button(n, position).setCaption(QStringLiteral("x"));
        }
    };
    auto state = [&](std::int32_t position) {
        forms::CommandButton& b = button(n, position);
        return QStringLiteral("%1 %2 %3 %4").arg(b.Visible()).arg(b.Enabled()).arg(b.Tag(), b.Caption());
    };
    struct Case {
        const char* property;
        std::int32_t position;
        const char* after;
    };
    const Case cases[] = {
        {"RightMiddleButtonEnabled", kyBPRightMiddle, "0 0 x x"},
        {"RightMiddleButtonCaption", kyBPRightMiddle, "0 0 x x"},
        {"RightMiddleButtonVisible", kyBPRightMiddle, "1 0 2 x"},
        {"RightMiddleButtonRule", kyBPRightMiddle, "1 0 2 x"},
        {"RightButtonEnabled", kyBPRight, "1 1 3 Cancel"},
        {"RightButtonCaption", kyBPRight, "1 1 3 Cancel"},
        {"LeftButtonRule", kyBPLeft, "0 1 4 &Help"},
        {"LeftMiddleButtonVisible", kyBPLeftMiddle, "1 1 1 x"},
        {"LeftMiddleButtonCaption", kyBPLeftMiddle, "0 0 x x"},
    };
    for (const Case& c : cases) {
        scramble();
        n.property(c.property);
        EXPECT_EQ(state(c.position), QString::fromLatin1(c.after)) << c.property;
    }
}

TEST_F(NavigatorDesignTest, EnabledLetsMoveTheDefaultAndCancelRoles)
{
    KyWizardNavigator& n = place_navigator();
    n.setRightMiddleButtonEnabled(false);
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        SCOPED_TRACE(position);
        EXPECT_FALSE(button(n, position).Default());
    }
    n.setRightMiddleButtonEnabled(true);
    EXPECT_TRUE(button(n, kyBPRightMiddle).Default());
    n.setFinishPosition(kyBPRight);
    n.setFinishVisible(true);
    EXPECT_EQ(button(n, kyBPRight).Caption(), QStringLiteral("&Finish"));
    EXPECT_EQ(button(n, kyBPRight).Tag(), QStringLiteral("6"));
    n.setFinishEnabled(false);
    EXPECT_FALSE(button(n, kyBPRight).Enabled());
    EXPECT_TRUE(button(n, kyBPRightMiddle).Enabled());
    n.setFinishPosition(0);
    n.setFinishVisible(false);
    EXPECT_EQ(button(n, kyBPRight).Caption(), QStringLiteral("&Finish")) << "position 0 touches no button";
}

TEST_F(NavigatorDesignTest, PlainPicturesReachThePagesOnlyAtFifteenTwipsPerPixel)
{
    struct Case {
        double twips_per_pixel;
        bool plain_reaches;
    };
    for (const Case c : {Case{15, true}, Case{12, false}}) {
        SCOPED_TRACE(c.twips_per_pixel);
        forms::Screen::set_twips_per_pixel(c.twips_per_pixel, c.twips_per_pixel);
        design_.reset();
        modBase::CreateNavigator();
        KyWizardNavigator& n = place_navigator();
        const auto plain = picture(Qt::red), big = picture(Qt::green);
        n.setImageBanner(plain);
        n.setImageBannerBig(big);
        n.setImageWaterMarkBig(big);
        n.setImageWaterMark(plain);
        EXPECT_EQ(n.ImageBanner(), plain);
        EXPECT_EQ(n.ImageBannerBig(), big);
        const auto expected = c.plain_reaches ? plain : big;
        EXPECT_EQ(navigator().BannerPicture(), expected) << c.twips_per_pixel;
        EXPECT_EQ(navigator().WaterMarkPicture(), expected) << c.twips_per_pixel;
    }
}

TEST_F(NavigatorDesignTest, CaptionsFileByteForByteAndNoneAtRunTime)
{
    KyWizardNavigator& n = place_navigator();
    n.setSaveCaptionsToFile(true);
    QFile file(QString::fromStdString((dir_ / "kwnNavigator.txt").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray equals(80, '='), hyphens(80, '-');
    const QByteArray expected = "kwnNavigator captions:\r\n" + equals +
                                "\r\n"
                                "\r\nLeftButton Caption: \r\n&Help\r\n" +
                                hyphens +
                                "\r\n"
                                "\r\nLeftMiddleButton Caption: \r\n< &Back\r\n" +
                                hyphens +
                                "\r\n"
                                "\r\nRightMiddleButton Caption: \r\n&Next >\r\n" +
                                hyphens +
                                "\r\n"
                                "\r\nRightButton Caption: \r\nCancel\r\n" +
                                equals + "\r\n";
    EXPECT_EQ(file.readAll(), expected);
    EXPECT_FALSE(n.SaveCaptionsToFile());
    file.close();
    file.remove();
    design().design_to_run();
    navigator_on(form()).setSaveCaptionsToFile(true);
    EXPECT_FALSE(file.exists());
}

TEST_F(NavigatorDesignTest, CurrentPageBeforeAnyChangeIsNoneAndStartPageGoesToTheSharedObjectAtLoad)
{
    place(QStringLiteral("wtWelcome"));
    place(QStringLiteral("wtFinish"));
    KyWizardNavigator& n = place_navigator();
    EXPECT_EQ(n.CurrentPage(), nullptr);
    EXPECT_EQ(design_boxes().size(), 1u) << "the registry's own box for position 0";
    n.setStartPage(2);
    EXPECT_EQ(navigator().StartPage(), 1) << "only at load";
    design().design_to_run();
    design().show();
    EXPECT_EQ(navigator().StartPage(), 2);
    EXPECT_EQ(qobject_cast<CPage*>(navigator_on(form()).CurrentPage())->Name(), QStringLiteral("wtFinish"));
}

TEST_F(NavigatorDesignTest, FailingLetsAreReportedUnderTheirOwnName)
{
    KyWizardNavigator& n = place_navigator();
    QStringList errors;
    QObject::connect(&n, &KyWizardNavigator::OnError, [&](std::int32_t number, const QString&, const QString& source) {
        errors << QString::number(number) + u' ' + source;
    });
    n.setButtonGapMiddle(std::numeric_limits<int>::max()); // more than a form can show
    n.setButtonFont(nullptr);
    EXPECT_EQ(errors, (QStringList{"380 kwnNavigator::ButtonGapMiddle (Let)", "91 kwnNavigator::ButtonFont (Set)"}));
    EXPECT_EQ(n.ButtonGapMiddle(), 165) << "a length no form can show is refused before it is stored";
    ASSERT_EQ(design_boxes().size(), 2u);
    EXPECT_EQ(design_boxes()[0].title, QStringLiteral("kwnNavigator::ButtonGapMiddle (Let)"));
    EXPECT_EQ(design_boxes()[0].style, 48);
    n.setShowErrorMsg(false);
    n.setButtonFont(nullptr);
    EXPECT_EQ(errors.size(), 3);
    EXPECT_EQ(design_boxes().size(), 2u) << "no box with ShowErrorMsg False";
}

TEST_F(NavigatorDesignTest, CaptionsFilesKeepEveryCharacterInUtf8)
{
    // Captions a translator meets: Cyrillic with an arrow, umlauts, a dash, the euro sign and
    // curly quotes.
    const QString captions[] = {QStringLiteral("Далее →"), QStringLiteral("Zurück"), QStringLiteral("Weiter – 5 €"),
                                QStringLiteral("“Fertig”")};
    KyWizardTab& page = place(QStringLiteral("wtWelcome"));
    KyWizardNavigator& n = place_navigator();
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position) {
        page.setButtonCaption(position, captions[position - 1]);
        n.setButtonCaption(position, captions[position - 1]);
    }
    page.setBannerTitle(QStringLiteral("Сбор статистики"));
    page.setSaveCaptionsToFile(true);
    n.setSaveCaptionsToFile(true);
    for (const char* name : {"wtWelcome.txt", "kwnNavigator.txt"}) {
        SCOPED_TRACE(name);
        [&] { // an ASSERT ends this row only
            QFile file(QString::fromStdString((dir_ / name).string()));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
            const QByteArray bytes = file.readAll();
            const QString text = QString::fromUtf8(bytes);
            EXPECT_EQ(text.toUtf8(), bytes) << name << ": valid UTF-8";
            for (const QString& caption : captions)
                EXPECT_TRUE(text.contains(QStringLiteral("Caption: \r\n") + caption + QStringLiteral("\r\n")))
                    << name << " " << caption.toStdString();
        }();
    }
}

TEST_F(NavigatorDesignTest, ANavigatorCaptionsFileThatCannotBeWrittenIsReported)
{
    KyWizardNavigator& n = place_navigator();
    std::vector<std::int32_t> errors;
    QObject::connect(&n, &KyWizardNavigator::OnError, [&](std::int32_t number, const QString&, const QString& source) {
        errors.push_back(number);
        EXPECT_EQ(source, QStringLiteral("kwnNavigator::SaveCaptionsToFile (Let)"));
    });
    setenv("OSTREL_CAPTIONS_DIR", (dir_ / "missing").c_str(), 1);
    n.setSaveCaptionsToFile(true);
    EXPECT_EQ(errors, std::vector<std::int32_t>{75});
    EXPECT_FALSE(std::filesystem::exists(dir_ / "missing"));
}
