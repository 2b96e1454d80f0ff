#include "controls/display/captions_info_page.h"
#include "controls/display/general_info_page.h"
#include "controls/display/general_progress_page.h"
#include "controls/display/ky_progress_bar.h"
#include "controls/display/ky_progress_info.h"

#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/controls/display/progress_log.h"
#include "tests/controls/property_sheet_fixture.h"

#include <functional>

using ProgressPagesTest = PropertySheetTest;

TEST_F(ProgressPagesTest, TheBarsSheetAppliesMaxBeforeMinSoBothBoundsRiseAtOnce)
{
    forms::ControlSite& site = open_designed(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbProgress"));
    auto* bar = qobject_cast<KyProgressBar*>(site.control());
    bar->setCaption(QStringLiteral("Counting users"));

    forms::PropertySheet& sheet = *sheet_;
    sheet.set_selection({&site});
    EXPECT_EQ(tab_titles(sheet), (QStringList{QStringLiteral("General"), QStringLiteral("Font")}));
    auto& page = static_cast<GeneralProgress&>(*sheet.page(0));
    EXPECT_EQ(page.txtCaption().Text(), QStringLiteral("Counting users"));
    EXPECT_EQ(page.txtMax().Text(), QStringLiteral("100"));
    EXPECT_EQ(page.cboCaptionAlign().List(2), QStringLiteral("2 - arAlignCenter"));
    EXPECT_FALSE(sheet.apply_enabled());

    page.txtMin().setText(QStringLiteral("200"));
    page.txtMax().setText(QStringLiteral("500"));
    EXPECT_TRUE(sheet.apply_enabled());
    save_picture(sheet, 0, "general_progress_page.png");
    ASSERT_TRUE(sheet.apply());
    EXPECT_EQ(bar->Max(), 500);
    EXPECT_EQ(bar->Min(), 200);
    EXPECT_FALSE(sheet.apply_enabled());

    // Lowering both below the old Min: the bar refuses Max against the old Min (with
    // ErrorsNotify its own box says so), then takes the new Min against the unchanged Max.
    // The sheet then says that Max was not kept.
    page.chkErrorsNotify().setValue(1);
    page.txtMax().setText(QStringLiteral("150"));
    page.txtMin().setText(QStringLiteral("10"));
    EXPECT_FALSE(sheet.apply());
    EXPECT_EQ(bar->Max(), 500);
    EXPECT_EQ(bar->Min(), 10);
    ASSERT_EQ(design_->messages().boxes.size(), 2u);
    EXPECT_TRUE(design_->messages().boxes[1].prompt.startsWith(QStringLiteral("The control did not keep Max as")));
}

// The site has an Align of its own (docking); the page's "Caption Align" is the bar's.
TEST_F(ProgressPagesTest, CaptionAlignEditsTheBarsOwnAlignAndLeavesTheSiteWhereItIs)
{
    for (const int docking : {forms::vbAlignNone, forms::vbAlignLeft}) {
        SCOPED_TRACE(docking);
        [&] { // an ASSERT ends this row only
            forms::ControlSite& site = open_designed(QStringLiteral("KyComCtl.KyProgressBar"),
                                                     QStringLiteral("prbProgress"));
            auto* bar = qobject_cast<KyProgressBar*>(site.control());
            site.setAlign(docking);
            site.Move(600, 300, 3000, 300);
            bar->setAlign(arAlignRight);
            const double left = site.Left();

            forms::PropertySheet& sheet = *sheet_;
            ASSERT_TRUE(sheet.set_selection({&site}));
            EXPECT_TRUE(design_->messages().boxes.empty());
            auto& page = static_cast<GeneralProgress&>(*sheet.page(0));
            EXPECT_EQ(page.cboCaptionAlign().ListIndex(), 1) << "the bar's own alignment shows";

            key_into(page.cboCaptionAlign(), Qt::Key_Down);
            EXPECT_EQ(page.cboCaptionAlign().Text(), QStringLiteral("2 - arAlignCenter"));
            if (docking == forms::vbAlignNone)
                save_picture(sheet, 0, "general_progress_caption_align.png");
            press(sheet, QDialogButtonBox::Apply);
            EXPECT_EQ(bar->Align(), arAlignCenter);
            EXPECT_EQ(site.Align(), docking) << "the bar stays docked as it was";
            EXPECT_EQ(site.Left(), left);
            EXPECT_EQ(design_->saved_text().contains(QStringLiteral("@Align")), docking != forms::vbAlignNone);
            EXPECT_TRUE(design_->messages().boxes.empty());
        }();
    }
}

TEST_F(ProgressPagesTest, EachPageReadsAndWritesInItsOwnOrder)
{
    struct Case {
        std::function<std::unique_ptr<forms::PropertyPage>()> make;
        QStringList reads;
        QStringList writes;
    };
    const QStringList info_reads{"?DisplayTotal",
                                 "?DisplayProcessed",
                                 "?DisplayErrors",
                                 "?DisplayElapsedTime",
                                 "?DisplayEstimatedTime",
                                 "?ShowPercentCompleted",
                                 "?ProgressMax",
                                 "?Progress",
                                 "?Status"};
    const std::vector<Case> cases{
        {[] { return std::make_unique<GeneralProgress>(); },
         {"?ErrorsNotify", "?Caption", "?Max", "?Min", "?Align"},
         {"ErrorsNotify=true", "Caption=Done", "Max=100", "Min=0", "Align=2"}},
        {[] { return std::make_unique<GeneralInfo>(); },
         info_reads,
         {"DisplayTotal=true", "DisplayProcessed=false", "DisplayErrors=true", "DisplayElapsedTime=false",
          "DisplayEstimatedTime=true", "ProgressMax=300", "Progress=60", "Status=Counting",
          "ShowPercentCompleted=true"}},
        {[] { return std::make_unique<CaptionsInfo>(); },
         {"?StepDescription4", "?StepDescription3", "?StepDescription2", "?StepDescription1", "?StepDescription0",
          "?Description"},
         {"StepDescription4=s4", "StepDescription3=s3", "StepDescription2=s2", "StepDescription1=s1",
          "StepDescription0=s0", "Description=d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases.data()));
        ProgressLog target;
        ProgressLog second;
        auto page = c.make();
        page->set_selection({&target, &second});
        EXPECT_EQ(target.calls, c.reads);
        target.calls.clear();
        page->apply();
        EXPECT_EQ(target.calls, c.writes) << "every field is written, edited or not";
        EXPECT_TRUE(second.calls.isEmpty()) << "only the first selected control is read and written";
    }
}

TEST_F(ProgressPagesTest, AnAlignTheListCannotShowFailsTheLoadAtItsLastStepAndThePageWritesNothing)
{
    const char* const kForm = "OstrelForm 1\n"
                              "Begin Form frmProgress\n"
                              "   Begin KyComCtl.KyProgressBar prbProgress\n"
                              "      Caption = String \"Half\"\n"
                              "   End\n"
                              "End\n";
    // A stored file cannot hold an Align out of range; the bar's Let stores any number.
    forms::ControlSite& site = open_stored(kForm, QStringLiteral("prbProgress"), [](forms::ControlSite& placed) {
        qobject_cast<KyProgressBar*>(placed.control())->setAlign(7);
    });
    auto* bar = qobject_cast<KyProgressBar*>(site.control());
    forms::PropertySheet& sheet = *sheet_;
    auto& page = static_cast<GeneralProgress&>(*sheet.page(0));
    ASSERT_EQ(design_->messages().boxes.size(), 1u) << "the sheet shows the error";
    EXPECT_EQ(design_->messages().boxes[0].prompt,
              QStringLiteral("Invalid property value\n\nThe page \"General\" cannot show the property Align and takes "
                             "no part in OK or Apply."));
    EXPECT_EQ(page.txtCaption().Text(), QStringLiteral("Half")) << "the fields before it are filled";
    EXPECT_EQ(page.txtMin().Text(), QStringLiteral("0"));
    EXPECT_EQ(page.cboCaptionAlign().ListIndex(), -1);
    EXPECT_FALSE(page.isEnabled());

    // The Font page still takes part (marked changed, OK applies it); nothing of the page that
    // did not load is written.
    sheet.page(1)->setChanged(true);
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(bar->Align(), 7);
    EXPECT_EQ(bar->Caption(), QStringLiteral("Half"));
    EXPECT_EQ(design_->messages().boxes.size(), 1u);
}

TEST_F(ProgressPagesTest, ThePanelsSheetShowsItsTwoPagesAndAppliesThem)
{
    forms::ControlSite& site = open_designed(QStringLiteral("KyComCtl.KyProgressInfo"), QStringLiteral("pinProgress"));
    forms::TestHost& design = *design_;
    auto* panel = qobject_cast<KyProgressInfo*>(site.control());
    panel->setDescription(QStringLiteral("Counting the objects of each domain"));
    panel->setStepDescription0(QStringLiteral("Connecting"));

    forms::PropertySheet& sheet = *sheet_;
    sheet.set_selection({&site});
    EXPECT_EQ(tab_titles(sheet), (QStringList{QStringLiteral("General"), QStringLiteral("Captions")}));
    auto& general = static_cast<GeneralInfo&>(*sheet.page(0));
    auto& captions = static_cast<CaptionsInfo&>(*sheet.page(1));
    EXPECT_EQ(captions.txtStepDescription(0).Text(), QStringLiteral("Connecting"));

    general.txtProgressMax().setText(QStringLiteral("400"));
    general.txtProgress().setText(QStringLiteral("100"));
    general.chkShowPercent().setValue(1);
    captions.txtStepDescription(1).setText(QStringLiteral("Counting users"));
    save_picture(sheet, 0, "general_info_page.png");
    save_picture(sheet, 1, "captions_info_page.png");
    ASSERT_TRUE(sheet.apply());
    EXPECT_EQ(panel->ProgressMax(), 400);
    EXPECT_EQ(panel->Progress(), 100);
    EXPECT_TRUE(panel->ShowPercentCompleted());
    EXPECT_EQ(panel->StepDescription1(), QStringLiteral("Counting users"));

    // A maximum that is no number fails in the panel's assignment; the switches before it stay.
    general.chkDisplayTotal().setValue(general.chkDisplayTotal().Value() == 1 ? 0 : 1);
    const bool total = general.chkDisplayTotal().Value() == 1;
    general.txtProgressMax().setText(QStringLiteral("lots"));
    EXPECT_FALSE(sheet.apply());
    EXPECT_EQ(panel->DisplayTotal(), total);
    EXPECT_EQ(panel->ProgressMax(), 400);
    EXPECT_FALSE(design.messages().boxes.empty());
}

// With ErrorsNotify off the bar refuses a Max under its Min silently: Apply shows the Max it kept.
TEST_F(ProgressPagesTest, AfterApplyTheBarsPageShowsTheMaxTheBarKept)
{
    forms::ControlSite& site = open_designed(QStringLiteral("KyComCtl.KyProgressBar"), QStringLiteral("prbProgress"));
    auto* bar = qobject_cast<KyProgressBar*>(site.control());
    bar->setMin(50);
    forms::PropertySheet& sheet = *sheet_;
    ASSERT_TRUE(sheet.set_selection({&site}));
    auto& page = static_cast<GeneralProgress&>(*sheet.page(0));
    ASSERT_EQ(page.chkErrorsNotify().Value(), 0);
    type_into(page.txtMax(), QStringLiteral("20"));
    press(sheet, QDialogButtonBox::Apply);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(page.txtMax().Text(), QStringLiteral("100"));
    EXPECT_FALSE(sheet.apply_enabled());
    ASSERT_EQ(design_->messages().boxes.size(), 1u);
    EXPECT_EQ(design_->messages().boxes[0].prompt,
              QStringLiteral("The control did not keep Max as entered on the page \"General\"; the page shows what it "
                             "holds now."));

    // OK does not close on a value the bar did not keep; with nothing left to apply it does.
    type_into(page.txtMax(), QStringLiteral("30"));
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(design_->messages().boxes.size(), 2u);
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(bar->Max(), 100);
}

// A page that fails names itself and the property, keeps what was typed, and holds back no
// other page's edit.
TEST_F(ProgressPagesTest, AFailingPageNamesItselfAndTheOtherPagesAreStillApplied)
{
    forms::ControlSite& site = open_designed(QStringLiteral("KyComCtl.KyProgressInfo"), QStringLiteral("pinProgress"));
    auto* panel = qobject_cast<KyProgressInfo*>(site.control());
    forms::PropertySheet& sheet = *sheet_;
    auto& general = static_cast<GeneralInfo&>(*sheet.page(0));
    auto& captions = static_cast<CaptionsInfo&>(*sheet.page(1));
    type_into(general.txtProgressMax(), QStringLiteral("lots"));
    click_tab(sheet, 1);
    type_into(captions.txtStepDescription(2), QStringLiteral("Counting groups"));
    for (int attempt = 0; attempt < 2; ++attempt) {
        SCOPED_TRACE(attempt);
        click_tab(sheet, 1);
        press(sheet, QDialogButtonBox::Apply);
        ASSERT_EQ(design_->messages().boxes.size(), static_cast<size_t>(attempt + 1));
        EXPECT_EQ(design_->messages().boxes.back().prompt,
                  QStringLiteral("Type mismatch\n\nThe page \"General\" could not apply the property ProgressMax; it "
                                 "keeps what was entered."));
        EXPECT_EQ(panel->StepDescription2(), QStringLiteral("Counting groups"));
        EXPECT_EQ(general.txtProgressMax().Text(), QStringLiteral("lots"));
        EXPECT_TRUE(sheet.apply_enabled()) << "the General page is still to be applied";
    }
    type_into(general.txtProgressMax(), QStringLiteral("250"));
    press(sheet, QDialogButtonBox::Ok);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(panel->ProgressMax(), 250);
    EXPECT_EQ(design_->messages().boxes.size(), 2u);
}

TEST_F(ProgressPagesTest, EachControlsSheetShowsItsPagesInOrder)
{
    const std::vector<std::pair<QString, QStringList>> cases{
        {QStringLiteral("KyComCtl.KyProgressBar"), {"General", "Font"}},
        {QStringLiteral("KyComCtl.KyProgressInfo"), {"General", "Captions"}},
        {QStringLiteral("KyComCtl.KyLabel"), {"General", "Color", "Font", "Picture"}},
        {QStringLiteral("KyComCtl.KyUpDown"), {"General", "Font"}},
        {QStringLiteral("KyComCtl.KyTreeBase"), {"Options tree"}},
    };
    forms::TestHost design(false);
    int n = 0;
    for (const auto& [klass, titles] : cases) {
        forms::ControlSite& site = design.add(klass, QStringLiteral("ctl%1").arg(++n));
        forms::PropertySheet sheet;
        sheet.open_for({&site});
        EXPECT_EQ(tab_titles(sheet), titles) << klass.toStdString();
        EXPECT_FALSE(sheet.apply_enabled()) << klass.toStdString();
    }
    EXPECT_TRUE(design.messages().boxes.empty());
}
