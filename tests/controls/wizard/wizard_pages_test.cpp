#include "controls/wizard/button_set_editor.h"
#include "controls/wizard/buttons_set_page.h"
#include "controls/wizard/captions_page.h"
#include "controls/wizard/general_tab_page.h"
#include "controls/wizard/ky_wizard_tab.h"
#include "controls/wizard/page_buttons.h"

#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/intrinsics/option_button.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/controls/property_sheet_fixture.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>

#include <array>

namespace {

enum { LB, LMB, RMB, RB };

// The two pages built on the button-set editor: the class of the control and the page's tab.
struct ButtonSetPageOf {
    const char* klass;
    int page;
};
constexpr ButtonSetPageOf kButtonSetPages[] = {{"KyComCtl.KyWizardTab", 2}, {"KyComCtl.KyWizardNavigator", 1}};

class WizardPagesTest : public PropertySheetTest {
protected:
    void SetUp() override
    {
        PropertySheetTest::SetUp();
        site_ = &open_designed(QStringLiteral("KyComCtl.KyWizardTab"), QStringLiteral("tabWelcome"));
        tab_ = qobject_cast<KyWizardTab*>(site_->control());
    }
    ButtonsSet& buttons() { return static_cast<ButtonsSet&>(*sheet_->page(2)); }
    void save_picture(int tab, const char* file) { PropertySheetTest::save_picture(*sheet_, tab, file); }

    forms::ControlSite* site_ = nullptr;
    KyWizardTab* tab_ = nullptr;
};

} // namespace

TEST_F(WizardPagesTest, ThePageControlsSheetListsItsPagesInOrder)
{
    EXPECT_EQ(tab_titles(*sheet_),
              (QStringList{QStringLiteral("General"), QStringLiteral("Captions"), QStringLiteral("Buttons Set"),
                           QStringLiteral("Color"), QStringLiteral("Font")}));
    EXPECT_FALSE(sheet_->apply_enabled()) << "loading is no edit";
    save_picture(0, "general_tab_page.png");
    save_picture(1, "captions_page.png");
    buttons().chkUseDefaultButtonSet().setValue(0);
    save_picture(2, "buttons_set_page.png");
    save_picture(3, "standard_color_page.png");
    save_picture(4, "standard_font_page.png");
}

TEST_F(WizardPagesTest, ADefaultMovedWithItsRuleStaysOnTheCheckedButton)
{
    ButtonSetEditor& e = buttons().editor();
    // The designer gives Next to Right and makes it the default...
    e.rule(RB).setListIndex(kyBRNext);
    e.isDefault(RB).setValue(1);
    ASSERT_TRUE(sheet_->apply());
    ASSERT_EQ(tab_->DefaultButton(), kyBPRight);
    // ...then moves Next to Left Middle, which takes Right's Next away, and checks Default there.
    e.rule(LMB).setListIndex(kyBRNext);
    EXPECT_EQ(e.rule(RB).ListIndex(), kyBRNone);
    e.isDefault(LMB).setValue(1);
    EXPECT_EQ(e.isDefault(RB).Value(), 0);
    e.visible(RB).setValue(0);
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(tab_->DefaultButton(), kyBPLeftMiddle);

    // No Default box checked is no default button, not the rightmost button without a rule.
    e.isDefault(LMB).setValue(0);
    for (int b : {LB, LMB, RMB, RB})
        e.cancel(b).setValue(0);
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(tab_->DefaultButton(), kyBPNone);
    EXPECT_EQ(tab_->CancelButton(), kyBPNone);
}

TEST_F(WizardPagesTest, ABoxCheckedOnAColumnWithoutARuleGivesTheRightmostButtonWithoutARule)
{
    struct Case {
        std::array<int, 4> rules;
        int cancel_column;
        std::int32_t cancel_button;
    };
    // The finish page's set: Cancel on the Left button, which has no rule.
    const Case cases[] = {
        {{kyBRNone, kyBRBack, kyBRNext, kyBRFinish}, LB, kyBPLeft},
        {{kyBRNone, kyBRNone, kyBRNext, kyBRFinish}, LB, kyBPLeftMiddle},
        {{kyBRHelp, kyBRBack, kyBRNone, kyBRFinish}, RMB, kyBPRightMiddle},
    };
    ButtonSetEditor& e = buttons().editor();
    e.isDefault(RB).setValue(1);
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        [&] { // an ASSERT ends this row only
            for (int b = 0; b < 4; ++b)
                e.rule(b).setListIndex(c.rules[static_cast<std::size_t>(b)]);
            e.cancel(c.cancel_column).setValue(1);
            ASSERT_TRUE(sheet_->apply());
            EXPECT_EQ(tab_->CancelButton(), c.cancel_button) << c.cancel_column;
            EXPECT_EQ(tab_->DefaultButton(), kyBPRight);
        }();
    }
    // The page control's own rule, with no rule asked for.
    tab_->SetDefaultButton(kyBRNone);
    EXPECT_EQ(tab_->DefaultButton(), kyBPRightMiddle);
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
        tab_->setButtonRule(position, kyBRHelp);
    tab_->SetDefaultButton(kyBRNone);
    EXPECT_EQ(tab_->DefaultButton(), kyBPNone) << "every button has a rule";
}

TEST_F(WizardPagesTest, TheButtonColumnsKeepOneRuleOneDefaultAndOneCancel)
{
    ButtonSetEditor& e = buttons().editor();
    e.rule(RB).setListIndex(kyBRNext);
    e.rule(LB).setListIndex(kyBRNone);
    ASSERT_TRUE(sheet_->apply());

    // Choosing None changes nothing else and is no edit.
    e.rule(LMB).setListIndex(kyBRNone);
    EXPECT_FALSE(buttons().Changed());
    EXPECT_EQ(e.rule(RB).ListIndex(), kyBRNext);
    // A click on an unchanged index is a choice like any other.
    e.rule(RB).setListIndex(kyBRNext);
    EXPECT_TRUE(buttons().Changed());
    ASSERT_TRUE(sheet_->apply());

    // Choosing Next elsewhere takes it from Right.
    e.rule(LMB).setListIndex(kyBRNext);
    EXPECT_EQ(e.rule(RB).ListIndex(), kyBRNone);
    EXPECT_TRUE(buttons().Changed());

    for (forms::CheckBox& (ButtonSetEditor::*box)(int) const :
         {&ButtonSetEditor::isDefault, &ButtonSetEditor::cancel}) {
        SCOPED_TRACE(box == &ButtonSetEditor::isDefault ? "default" : "cancel");
        (e.*box)(LB).setValue(1);
        (e.*box)(RB).setValue(1);
        EXPECT_EQ((e.*box)(LB).Value(), 0);
        EXPECT_EQ((e.*box)(RB).Value(), 1);
        (e.*box)(RB).setValue(0);
        EXPECT_EQ((e.*box)(LB).Value(), 0) << "unchecking leaves the others alone";
    }
    // The previews follow the fields; a hidden preview keeps its frame.
    e.caption(LB).setText(QStringLiteral("&Back"));
    EXPECT_EQ(e.preview(LB).Caption(), QStringLiteral("&Back"));
    e.visible(LB).setValue(0);
    EXPECT_FALSE(e.preview(LB).Visible());
}

TEST_F(WizardPagesTest, FrameLinesHugThePreviewsAtEachScreensTwipsPerPixel)
{
    ButtonSetEditor& e = buttons().editor();
    for (double tpp : {15.0, 12.0}) {
        SCOPED_TRACE(tpp);
        forms::Screen::set_twips_per_pixel(tpp, tpp);
        buttons().grab(); // paints the page
        const forms::CommandButton& b = e.preview(RMB);
        const double l = b.Left(), t = b.Top(), w = b.Width(), h = b.Height();
        const forms::Line& left = e.frame_line(RMB, 0);
        const forms::Line& top = e.frame_line(RMB, 1);
        const forms::Line& right = e.frame_line(RMB, 2);
        const forms::Line& bottom = e.frame_line(RMB, 3);
        EXPECT_EQ(left.Name(), QStringLiteral("LRMLeft"));
        EXPECT_EQ((std::array{left.X1(), left.Y1(), left.X2(), left.Y2()}), (std::array{l - tpp, t, l - tpp, t + h}));
        EXPECT_EQ((std::array{top.X1(), top.Y1(), top.X2(), top.Y2()}), (std::array{l, t - tpp, l + w, t - tpp}));
        EXPECT_EQ((std::array{right.X1(), right.Y1(), right.X2(), right.Y2()}),
                  (std::array{l + w, t - tpp, l + w, t + h}));
        EXPECT_EQ((std::array{bottom.X1(), bottom.Y1(), bottom.X2(), bottom.Y2()}),
                  (std::array{l - tpp, t + h, l + w, t + h}));
    }
}

TEST_F(WizardPagesTest, GeneralTabStopsAtTheFirstValueThePageControlRefuses)
{
    auto& general = static_cast<GeneralTab&>(*sheet_->page(0));
    tab_->setPageIndex(3);
    tab_->setPageMode(InteriorPage);
    sheet_->set_selection({site_});
    EXPECT_EQ(general.txtPageIndex().Text(), QStringLiteral("3"));
    EXPECT_EQ(general.cboPageMode().ListIndex(), InteriorPage);

    general.txtPageNext().setText(QStringLiteral("4"));
    general.txtPageBack().setText(QStringLiteral("2"));
    general.txtPageIndex().setText(QStringLiteral("third"));
    general.cboPageMode().setListIndex(CompletePage);
    EXPECT_FALSE(sheet_->apply());
    EXPECT_EQ(tab_->PageNext(), 4);
    EXPECT_EQ(tab_->PageBack(), 2);
    EXPECT_EQ(tab_->PageIndex(), 3) << "the write that failed and those after it change nothing";
    EXPECT_EQ(tab_->PageMode(), InteriorPage);
    EXPECT_FALSE(design_->messages().boxes.empty());

    // An empty PageNext fails at the first write: nothing is written.
    general.txtPageNext().setText(QString());
    general.txtPageBack().setText(QStringLiteral("1"));
    EXPECT_FALSE(sheet_->apply());
    EXPECT_EQ(tab_->PageBack(), 2);
}

TEST_F(WizardPagesTest, CaptionsWritesAllFiveTextsLineBreaksIncluded)
{
    auto& captions = static_cast<Captions&>(*sheet_->page(1));
    captions.txtBannerDescription().setText(QStringLiteral("First line\r\nSecond line"));
    captions.txtWaterMarkTitle().setText(QStringLiteral("Welcome"));
    ASSERT_TRUE(sheet_->apply());
    EXPECT_EQ(tab_->BannerDescription(), QStringLiteral("First line\r\nSecond line"));
    EXPECT_EQ(tab_->WatermarkTitle(), QStringLiteral("Welcome"));
}

// Stored values the pages cannot show: the rule 9 of the Left button, a PageMode past the list.
TEST_F(WizardPagesTest, APageThatCannotLoadSaysWhereAndTakesNoPartInOkOrApply)
{
    const char* const kForm = "OstrelForm 1\n"
                              "Begin Form frmWizard\n"
                              "   Begin KyComCtl.KyWizardTab wtWelcome\n"
                              "      PageIndex = Long 1\n"
                              "      UseDefaultButtonSet = Boolean False\n"
                              "      LBCaption = String \"Cancel\"\n"
                              "      RBCaption = String \"Next\"\n"
                              "      RBRule = Long 2\n"
                              "      DefaultButton = Long 4\n"
                              "      CancelButton = Long 1\n"
                              "   End\n"
                              "End\n";
    // A stored file cannot hold a mode or rule out of range; the page's Lets store any number.
    forms::ControlSite& site = open_stored(kForm, QStringLiteral("wtWelcome"), [](forms::ControlSite& page) {
        auto* tab = qobject_cast<KyWizardTab*>(page.control());
        tab->setPageMode(5);
        tab->setButtonRule(kyBPLeft, 9);
    });
    auto* tab = qobject_cast<KyWizardTab*>(site.control());
    const auto& boxes = design_->messages().boxes;
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].prompt, QStringLiteral("Invalid property value\n\nThe page \"General\" cannot show the property "
                                              "PageMode and takes no part in OK or Apply."));
    EXPECT_EQ(boxes[1].prompt, QStringLiteral("Invalid property value\n\nThe page \"Buttons Set\" cannot show the "
                                              "property LeftButton and takes no part in OK or Apply."));
    EXPECT_FALSE(sheet_->page(0)->isEnabled());
    EXPECT_TRUE(sheet_->page(1)->isEnabled()) << "the Captions page loaded";
    EXPECT_FALSE(sheet_->page(2)->isEnabled());

    // A click on "Use default button set" of the page that did not load changes nothing.
    click_tab(*sheet_, 2);
    save_picture(2, "buttons_set_page_not_loaded.png");
    click_on(buttons().chkUseDefaultButtonSet());
    EXPECT_FALSE(sheet_->apply_enabled());

    // An edit on the page that loaded is applied by OK; the other pages write nothing.
    auto& captions = static_cast<Captions&>(*sheet_->page(1));
    click_tab(*sheet_, 1);
    type_into(captions.txtBannerTitle(), QStringLiteral("Welcome"));
    press(*sheet_, QDialogButtonBox::Ok);
    EXPECT_FALSE(sheet_->isVisible()) << "OK closes the sheet";
    EXPECT_EQ(tab->BannerTitle(), QStringLiteral("Welcome"));
    EXPECT_EQ(tab->PageMode(), 5);
    EXPECT_EQ(tab->LeftButton().Rule, 9);
    EXPECT_EQ(tab->LeftButton().Caption, QStringLiteral("Cancel"));
    EXPECT_EQ(tab->RightButton().Caption, QStringLiteral("Next"));
    EXPECT_FALSE(tab->UseDefaultButtonSet());
    EXPECT_EQ(design_->saved_text().count(QStringLiteral("BannerTitle")), 1);
    EXPECT_TRUE(design_->saved_text().contains(QStringLiteral("LBRule = Long 9")));
    EXPECT_TRUE(design_->saved_text().contains(QStringLiteral("DefaultButton = Long 4")));
    EXPECT_EQ(boxes.size(), 2u);
}

// Down six times from None walks Back, Next, Cancel, Help and Exit to Finish: only Finish,
// the item the keys end on, is taken from the column that held it, when the list loses the focus.
TEST_F(WizardPagesTest, KeysWalkingARuleListTakeOnlyTheRuleTheyEndOn)
{
    for (const ButtonSetPageOf& c : kButtonSetPages) {
        SCOPED_TRACE(c.klass);
        [&] { // an ASSERT ends this row only
            forms::ControlSite& site = open_designed(QString::fromLatin1(c.klass), QStringLiteral("ctlButtons"));
            forms::PropertyPage& page = *sheet_->page(c.page);
            ButtonSetEditor& e = *page.findChild<ButtonSetEditor*>();
            sheet_->show();
            sheet_->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(sheet_.get()));
            click_tab(*sheet_, c.page);
            if (auto* buttons_set = qobject_cast<ButtonsSet*>(&page))
                click_on(buttons_set->chkUseDefaultButtonSet());
            e.rule(LB).setListIndex(kyBRNone);
            e.rule(LMB).setListIndex(kyBRNext);
            e.rule(RMB).setListIndex(kyBRCancel);
            e.rule(RB).setListIndex(kyBRFinish);

            key_into(e.rule(LB), Qt::Key_Down, 6);
            EXPECT_EQ(e.rule(LB).ListIndex(), kyBRFinish);
            EXPECT_EQ(e.rule(LMB).ListIndex(), kyBRNext) << "walked past, not chosen";
            EXPECT_EQ(e.rule(RMB).ListIndex(), kyBRCancel);
            QTest::keyClick(inner_widget(e.rule(LB)), Qt::Key_Tab);
            EXPECT_FALSE(inner_widget(e.rule(LB))->hasFocus());
            EXPECT_EQ(e.rule(RB).ListIndex(), kyBRNone) << "the rule chosen is unique";
            EXPECT_EQ(e.rule(LMB).ListIndex(), kyBRNext);
            EXPECT_EQ(e.rule(RMB).ListIndex(), kyBRCancel);

            // Walking again and pressing Apply straight away commits the last item as well.
            key_into(e.rule(RB), Qt::Key_Down, 2);
            press(*sheet_, QDialogButtonBox::Apply);
            EXPECT_EQ(e.rule(RB).ListIndex(), kyBRNext) << "the page shows what the control took";
            EXPECT_EQ(e.rule(LMB).ListIndex(), kyBRNone);
            EXPECT_EQ(e.rule(RMB).ListIndex(), kyBRCancel);
            EXPECT_EQ(e.rule(LB).ListIndex(), kyBRFinish);
            (void)site;
        }();
    }
}

namespace {

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// A shown button-set page paints once and then rests: placing its frame lines where they
// already are asks for no repaint.
TEST_F(WizardPagesTest, AnIdleButtonSetPageDoesNotPaintAgain)
{
    for (const ButtonSetPageOf& c : kButtonSetPages) {
        SCOPED_TRACE(c.klass);
        [&] { // an ASSERT ends this row only
            open_designed(QString::fromLatin1(c.klass), QStringLiteral("ctlButtons"));
            forms::PropertyPage& page = *sheet_->page(c.page);
            click_tab(*sheet_, c.page);
            QTest::qWait(200);
            ASSERT_TRUE(page.isVisible());
            PaintCounter counter(page);
            QTest::qWait(1000);
            EXPECT_LE(counter.paints, 1) << "paints over an idle second";
            // The frame lines still hug the previews.
            ButtonSetEditor& e = *page.findChild<ButtonSetEditor*>();
            EXPECT_EQ(e.frame_line(LB, 1).Y1(), e.preview(LB).Top() - forms::Screen::TwipsPerPixelY());
        }();
    }
}

// "Use default button set" locks the four columns: checked (or greyed) they take no input and
// look it; unchecked they are the designer's to edit.
TEST_F(WizardPagesTest, UseDefaultButtonSetLocksTheColumnsAndTheyLookLocked)
{
    ButtonsSet& page = buttons();
    ButtonSetEditor& e = page.editor();
    sheet_->show();
    click_tab(*sheet_, 2);
    ASSERT_EQ(page.chkUseDefaultButtonSet().Value(), forms::CheckBox::Checked);
    const auto ground = [&](int column) {
        forms::TextBox& box = e.caption(column);
        return box.grab().toImage().pixelColor(box.width() - 5, box.height() / 2);
    };
    const QColor white(Qt::white);
    EXPECT_FALSE(e.caption(LB).isEnabled());
    EXPECT_NE(ground(LB), white) << "a locked caption box looks locked";
    save_picture(2, "buttons_set_page_locked.png");

    // Clicks and keys on the locked columns change nothing.
    const int visible = e.visible(RB).Value();
    click_on(e.visible(RB));
    type_into(e.caption(LB), QStringLiteral("Later"));
    EXPECT_EQ(e.visible(RB).Value(), visible);
    EXPECT_NE(e.caption(LB).Text(), QStringLiteral("Later"));
    EXPECT_FALSE(sheet_->apply_enabled());

    click_on(page.chkUseDefaultButtonSet());
    EXPECT_EQ(page.chkUseDefaultButtonSet().Value(), forms::CheckBox::Unchecked);
    EXPECT_TRUE(e.caption(LB).isEnabled());
    EXPECT_EQ(ground(LB), white);
    type_into(e.caption(LB), QStringLiteral("Later"));
    EXPECT_EQ(e.preview(LB).Caption(), QStringLiteral("Later"));
    save_picture(2, "buttons_set_page_unlocked.png");
    press(*sheet_, QDialogButtonBox::Apply);
    EXPECT_FALSE(tab_->UseDefaultButtonSet());
    EXPECT_EQ(tab_->LeftButton().Caption, QStringLiteral("Later"));

    // A greyed box locks them as a checked one does.
    page.chkUseDefaultButtonSet().setValue(forms::CheckBox::Grayed);
    EXPECT_FALSE(e.caption(LB).isEnabled());
    click_on(page.chkUseDefaultButtonSet());
    click_on(page.chkUseDefaultButtonSet());
    EXPECT_EQ(page.chkUseDefaultButtonSet().Value(), forms::CheckBox::Checked);
    EXPECT_FALSE(e.caption(LB).isEnabled());
    press(*sheet_, QDialogButtonBox::Apply);
    EXPECT_TRUE(tab_->UseDefaultButtonSet());
}

// The Captions page's several-line boxes show two whole lines of a two-line description.
TEST_F(WizardPagesTest, TheCaptionsPagesSeveralLineBoxesShowTwoLines)
{
    tab_->setBannerDescription(QStringLiteral("First line of the step\r\nSecond line of the step"));
    tab_->setWatermarkDescription(QStringLiteral("First line\r\nSecond line"));
    ASSERT_TRUE(sheet_->set_selection({site_}));
    sheet_->show();
    for (const char* name : {"txtBannerDescription", "txtWaterMarkDescription"}) {
        SCOPED_TRACE(name);
        [&] { // an ASSERT ends this row only
            auto* box = sheet_->page(1)->findChild<forms::TextBox*>(QString::fromLatin1(name));
            ASSERT_NE(box, nullptr);
            auto* area = box->findChild<QAbstractScrollArea*>();
            ASSERT_NE(area, nullptr);
            EXPECT_GE(area->viewport()->height(), 2 * QFontMetrics(area->font()).lineSpacing());
        }();
    }
    save_picture(1, "captions_page_two_lines.png");
}
