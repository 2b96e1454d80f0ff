#include "controls/wizard/general_navigator_page.h"
#include "controls/wizard/ky_wizard_navigator.h"
#include "controls/wizard/navigator_buton_set_page.h"
#include "controls/wizard/position_page.h"

#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/controls/property_sheet_fixture.h"

namespace {

enum { LB, LMB, RMB, RB };

class NavigatorPagesTest : public PropertySheetTest {
protected:
    void SetUp() override
    {
        PropertySheetTest::SetUp();
        site_ = &open_designed(QStringLiteral("KyComCtl.KyWizardNavigator"), QStringLiteral("navWizard"));
        nav_ = site_->control();
    }
    int nav(const char* property) const { return forms::get(nav_, QString::fromLatin1(property)).toInt(); }
    void set_nav(const char* property, const QVariant& value)
    {
        forms::let(nav_, QString::fromLatin1(property), value);
    }
    NavigatorButonSet& buttons() const { return static_cast<NavigatorButonSet&>(*sheet_->page(1)); }
    void save_picture(int tab, const char* file) { PropertySheetTest::save_picture(*sheet_, tab, file); }

    forms::ControlSite* site_ = nullptr;
    QObject* nav_ = nullptr;
};

} // namespace

TEST_F(NavigatorPagesTest, TheNavigatorsSheetListsItsSixPagesInOrder)
{
    EXPECT_EQ(tab_titles(*sheet_),
              (QStringList{QStringLiteral("General"), QStringLiteral("Default Button Set"), QStringLiteral("Position"),
                           QStringLiteral("Color"), QStringLiteral("Picture"), QStringLiteral("Font")}));
    save_picture(0, "general_navigator_page.png");
    save_picture(1, "navigator_buton_set_page.png");
    save_picture(2, "position_page.png");
    save_picture(4, "standard_picture_page.png");
}

// The rows of the button-set frame stand inside it, clear of its bottom border (two pixels).
TEST_F(NavigatorPagesTest, TheButtonSetRowsStandInsideTheirFrame)
{
    sheet_->show();
    auto* frame = sheet_->page(1)->findChild<forms::Frame*>(QStringLiteral("fraButtonSet"));
    ASSERT_NE(frame, nullptr);
    const double border = 2 * forms::Screen::TwipsPerPixelY();
    int rows = 0;
    for (forms::CheckBox* box : frame->findChildren<forms::CheckBox*>()) {
        SCOPED_TRACE(box->Name().toStdString());
        EXPECT_LE(box->Top() + box->Height(), frame->Height() - border);
        ++rows;
    }
    EXPECT_EQ(rows, 16);
}

TEST_F(NavigatorPagesTest, PositionShowsTheNewNavigatorsSizesAndStopsAtARefusedHeight)
{
    auto& position = static_cast<Position&>(*sheet_->page(2));
    // From the top: ButtonGapTop, ButtonGapRight, ButtonGapMiddle, ButtonHeight, ButtonWidth.
    const QStringList shown{position.field(4).Text(), position.field(3).Text(), position.field(2).Text(),
                            position.field(1).Text(), position.field(0).Text()};
    EXPECT_EQ(shown, (QStringList{"210", "150", "165", "345", "1120"}));

    position.field(0).setText(QStringLiteral("1300"));
    position.field(1).setText(QStringLiteral("tall"));
    position.field(4).setText(QStringLiteral("90"));
    EXPECT_TRUE(sheet_->apply_enabled());
    EXPECT_FALSE(sheet_->apply());
    EXPECT_EQ(nav("ButtonWidth"), 1300) << "written before the failure";
    EXPECT_EQ(nav("ButtonHeight"), 345);
    EXPECT_EQ(nav("ButtonGapTop"), 210) << "the gaps after it stay unwritten";
    EXPECT_FALSE(design_->messages().boxes.empty());
}

// The navigator refuses a button width under 15 without an error: the field shows what it kept.
TEST_F(NavigatorPagesTest, AfterApplyThePositionPageShowsWhatTheNavigatorKept)
{
    auto& position = static_cast<Position&>(*sheet_->page(2));
    click_tab(*sheet_, 2);
    type_into(position.field(0), QStringLiteral("5"));
    type_into(position.field(1), QStringLiteral("400"));
    press(*sheet_, QDialogButtonBox::Apply);
    EXPECT_EQ(nav("ButtonWidth"), 1120);
    EXPECT_EQ(position.field(0).Text(), QStringLiteral("1120")) << "the refused width is not shown as taken";
    EXPECT_EQ(position.field(1).Text(), QStringLiteral("400"));
    EXPECT_FALSE(sheet_->apply_enabled());
    ASSERT_EQ(design_->messages().boxes.size(), 1u);
    EXPECT_EQ(design_->messages().boxes[0].prompt,
              QStringLiteral("The control did not keep ButtonWidth as entered on the page \"Position\"; the page "
                             "shows what it holds now."));
    save_picture(2, "position_page_after_apply.png");
}

TEST_F(NavigatorPagesTest, GeneralWritesStartPageEnabledAndBannerStyle)
{
    set_nav("BannerHeaderStyle", 1);
    sheet_->set_selection({site_});
    auto& general = static_cast<GeneralNavigator&>(*sheet_->page(0));
    EXPECT_EQ(general.cboBannerStyle().Text(), QStringLiteral("kyKyrell"));
    general.cboBannerStyle().setListIndex(0);
    general.chkEnabled().setValue(0);
    general.txtStartPage().setText(QStringLiteral("2"));
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(nav("BannerHeaderStyle"), 0);
    EXPECT_FALSE(forms::get(nav_, QStringLiteral("Enabled")).toBool());
    EXPECT_EQ(nav("StartPage"), 2);
}

TEST_F(NavigatorPagesTest, TheDefaultButtonSetWritesPositionsFromTheCheckedColumns)
{
    ButtonSetEditor& e = buttons().editor();
    e.isDefault(RB).setValue(1);
    for (int b : {LB, LMB, RMB}) {
        SCOPED_TRACE(b);
        EXPECT_EQ(e.isDefault(b).Value(), 0);
    }
    for (int b = LB; b <= RB; ++b)
        e.cancel(b).setValue(0);
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(nav("DefaultButton"), 4);
    EXPECT_EQ(nav("CancelButton"), 0);

    // Only the Finish caption edited: the page is changed and the caption is written.
    sheet_->set_selection({site_});
    buttons().txtFinishCaption().setText(QStringLiteral("&Done"));
    EXPECT_TRUE(buttons().Changed());
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(forms::get(nav_, QStringLiteral("FinishCaption")).toString(), QStringLiteral("&Done"));
}

TEST_F(NavigatorPagesTest, LoadingShowsADuplicatedRuleOnTheLaterButtonAndNoFinishPosition)
{
    set_nav("LeftButtonRule", kyBRNext);
    set_nav("RightMiddleButtonRule", kyBRNext);
    set_nav("FinishPosition", 0);
    set_nav("DefaultButton", 0);
    sheet_->open_for({site_}); // new pages: a DefaultButton of 0 leaves the boxes as they were

    ButtonSetEditor& e = buttons().editor();
    EXPECT_EQ(e.rule(LB).ListIndex(), kyBRNone);
    EXPECT_EQ(e.rule(RMB).ListIndex(), kyBRNext);
    for (int b = LB; b <= RB; ++b) {
        SCOPED_TRACE(b);
        EXPECT_EQ(e.isDefault(b).Value(), 0);
    }
    EXPECT_EQ(buttons().cboFinishPosition().ListIndex(), -1);
    buttons().setChanged(true);
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(nav("LeftButtonRule"), kyBRNone);
    EXPECT_EQ(nav("FinishPosition"), 0);

    // A hidden preview keeps its frame lines, at any screen's twips per pixel.
    e.visible(RMB).setValue(0);
    EXPECT_FALSE(e.preview(RMB).Visible());
    forms::Screen::set_twips_per_pixel(12, 12);
    buttons().grab();
    EXPECT_EQ(e.frame_line(RMB, 0).X1(), e.preview(RMB).Left() - 12);
    EXPECT_EQ(e.frame_line(RMB, 3).Y1(), e.preview(RMB).Top() + e.preview(RMB).Height());
}
