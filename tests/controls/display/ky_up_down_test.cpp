#include "controls/display/ky_up_down.h"

#include "controls/display/spin_buttons.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

namespace {

class UpDownTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        site_ = &host().add(QStringLiteral("KyComCtl.KyUpDown"), QStringLiteral("udCount"));
        box_ = qobject_cast<KyUpDown*>(site_->control());
        ASSERT_NE(box_, nullptr);
        forms::connect_event(site_, QStringLiteral("Change"), box_, [this](QVariantList&) { ++changes_; });
    }

    QString text() const { return box_->txtSpin().Text(); }
    QLineEdit& field() { return *box_->txtSpin().findChild<QLineEdit*>(); }
    // The user tabs into the box from the one before it on the form (made on first use, and
    // the form shown and active, so the keys reach it).
    void tab_in()
    {
        if (!before_) {
            forms::ControlSite& site = host().add(QStringLiteral("KyComCtl.KyUpDown"), QStringLiteral("udBefore"));
            site.Move(120, 600, 1200, 285);
            site.setTabIndex(0);
            before_ = qobject_cast<KyUpDown*>(site.control())->txtSpin().findChild<QLineEdit*>();
            host().show();
            host().form().activateWindow();
        }
        window_input::key(*before_, Qt::Key_Tab);
    }
    // The user tabs into the box, types `typed` over the text the box selects, and tabs on.
    void type_and_leave(const QString& typed)
    {
        tab_in();
        window_input::type(field(), typed);
        window_input::key(field(), Qt::Key_Tab);
    }
    void arrow(int qt_key) { window_input::key_press(field(), qt_key); }
    QImage picture(forms::ControlSite& site, forms::TestHost& on, const char* file)
    {
        on.show();
        const QImage image = site.control()->grab().toImage();
        const auto path = artefacts_dir() / file;
        EXPECT_TRUE(image.scaled(image.size() * 2).save(QString::fromStdString(path.string())));
        std::printf("picture of the up-down box: %s\n", path.c_str());
        return image;
    }

    forms::ControlSite* site_ = nullptr;
    KyUpDown* box_ = nullptr;
    int changes_ = 0;
    QLineEdit* before_ = nullptr;
};

TEST_F(UpDownTest, NewBoxShowsZeroRightAligned)
{
    EXPECT_EQ(text(), QStringLiteral("0"));
    EXPECT_EQ(box_->Alignment(), 1);
    EXPECT_EQ(box_->Min(), 0);
    EXPECT_EQ(box_->Max(), 10);
    EXPECT_EQ(box_->txtSpin().MaxLength(), 2);
    EXPECT_TRUE(box_->Enabled());
}

TEST_F(UpDownTest, TypedTextIsCheckedWhenLeaving)
{
    struct Case {
        const char* typed;
        std::int32_t value;
        const char* shown;
    };
    // Range 0..100: three characters fit.
    const Case cases[] = {
        {" 7 ", 7, "7"}, {"100", 100, "100"}, {"120", 100, "100"}, {"-3", 0, "0"}, {"abc", 0, "0"},
        {"3.5", 4, "4"}, {"2.5", 2, "2"},     {"6.5", 6, "6"},     {"0", 0, "0"},
    };
    box_->setMax(100);
    for (const Case& c : cases) {
        box_->setValue(0);
        type_and_leave(QString::fromLatin1(c.typed));
        EXPECT_EQ(box_->Value(), c.value) << c.typed;
        EXPECT_EQ(text(), QString::fromLatin1(c.shown)) << c.typed;
    }
    EXPECT_TRUE(boxes().empty());
}

TEST_F(UpDownTest, ArrowKeysStepWrapAndClamp)
{
    struct Case {
        std::int32_t start, increment;
        bool wrap;
        int key;
        std::int32_t expected;
    };
    const Case cases[] = {
        {5, 1, false, Qt::Key_Up, 6},  {10, 1, false, Qt::Key_Up, 10}, {10, 1, true, Qt::Key_Up, 0},
        {9, 5, false, Qt::Key_Up, 10}, {0, 1, false, Qt::Key_Down, 0}, {0, 1, true, Qt::Key_Down, 10},
        {2, 5, true, Qt::Key_Down, 0}, {5, 2, false, Qt::Key_Left, 5},
    };
    host().show(); // the keys reach a box a person can see
    for (const Case& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        box_->setValue(c.start);
        box_->setIncrement(c.increment);
        box_->setWrap(c.wrap);
        arrow(c.key);
        EXPECT_EQ(box_->Value(), c.expected) << c.start << " step " << c.increment << (c.wrap ? " wrap" : "");
        EXPECT_EQ(text(), QString::number(c.expected));
    }
    EXPECT_TRUE(boxes().empty()) << "Up near Max clamps instead of failing";
}

TEST_F(UpDownTest, MaxLengthAllowsTheLongerEndOfTheRange)
{
    struct Case {
        std::int32_t min, max;
        int length;
    };
    for (const Case c : {Case{0, 1000, 4}, Case{-100, 10, 4}, Case{-5, -5, 2}, Case{-99999, 5, 6}}) {
        box_->setMin(c.min);
        box_->setMax(c.max);
        EXPECT_EQ(box_->txtSpin().MaxLength(), c.length) << c.min << ".." << c.max;
    }
    box_->setMin(-100);
    box_->setMax(10);
    type_and_leave(QStringLiteral("-100"));
    EXPECT_EQ(box_->Value(), -100);
}

TEST_F(UpDownTest, ChangeOnlyForADifferentValue)
{
    box_->setValue(4);
    EXPECT_EQ(changes_, 1);
    box_->setValue(4);
    type_and_leave(QStringLiteral(" 4"));
    EXPECT_EQ(changes_, 1);
    EXPECT_EQ(text(), QStringLiteral("4"));
    int ups = 0;
    forms::connect_event(site_, QStringLiteral("UpClick"), box_, [&](QVariantList&) { ++ups; });
    site_->Move(120, 120, 1200, 285); // the buttons where a person sees them
    host().show();
    window_input::click(box_->spinCtl().upButton());
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(box_->Value(), 5);
    EXPECT_EQ(changes_, 2);
}

TEST_F(UpDownTest, FocusSelectsTheTextAndTakesTheToolTip)
{
    box_->setMax(1000);
    box_->setValue(123);
    site_->setToolTipText(QStringLiteral("Days to keep"));
    tab_in();
    ASSERT_EQ(QApplication::focusWidget(), &field());
    EXPECT_EQ(box_->txtSpin().SelText(), QStringLiteral("123"));
    EXPECT_EQ(box_->txtSpin().toolTip(), QStringLiteral("Days to keep"));
    EXPECT_EQ(box_->spinCtl().toolTip(), QStringLiteral("Days to keep"));
}

TEST_F(UpDownTest, IncrementIsStoredAsItsAbsoluteValue)
{
    box_->setIncrement(-3);
    EXPECT_EQ(box_->Increment(), 3);
}

TEST_F(UpDownTest, ErrorsAreShownWithClassAndProcedure)
{
    box_->setValue(11);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Invalid property value\r\nClass: KyUpDown\r\nProcedure: Value (Let)"));
    EXPECT_EQ(boxes()[0].style, 16);
    EXPECT_EQ(box_->Value(), 0);
    forms::let(site_, QStringLiteral("Alignment"), 7);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_TRUE(boxes()[1].prompt.endsWith(QStringLiteral("\r\nProcedure: Alignment (Let)")));
    EXPECT_EQ(box_->Alignment(), 1);
}

TEST_F(UpDownTest, DisabledBoxLocksItsTextAndDisablesTheButtons)
{
    forms::let(site_, QStringLiteral("Enabled"), false);
    EXPECT_FALSE(box_->Enabled());
    EXPECT_TRUE(box_->txtSpin().Locked());
    EXPECT_FALSE(box_->txtSpin().Enabled()) << "a box nobody can type into reads as disabled";
    EXPECT_EQ(box_->txtSpin().Text(), QStringLiteral("0")) << "the text still shows";
    EXPECT_EQ(box_->txtSpin().BackColor(), forms::syscolor::ButtonFace);
    EXPECT_FALSE(box_->spinCtl().Enabled());
    box_->setEnabled(true);
    EXPECT_FALSE(box_->txtSpin().Locked());
    EXPECT_TRUE(box_->txtSpin().Enabled());
    EXPECT_EQ(box_->txtSpin().BackColor(), forms::syscolor::WindowBackground);
    EXPECT_TRUE(box_->spinCtl().Enabled());
}

// Clicks as a person gives them, through the window system: ten on the upper button 150 ms
// apart (each second one within the double-click time) step ten times.
TEST_F(UpDownTest, EveryClickOnASpinButtonSteps)
{
    box_->setMax(100);
    site_->Move(120, 120, 1200, 285);
    host().show();
    int up_clicks = 0;
    forms::connect_event(site_, QStringLiteral("UpClick"), box_, [&](QVariantList&) { ++up_clicks; });
    forms::CommandButton& up = box_->spinCtl().upButton();
    window_input::Pointer mouse(up);
    for (int i = 0; i < 10; ++i)
        mouse.click(up, QPoint(up.width() / 2, up.height() / 2), 150);
    EXPECT_EQ(box_->Value(), 10);
    EXPECT_EQ(up_clicks, 10);
    EXPECT_EQ(changes_, 10);
    EXPECT_EQ(text(), QStringLiteral("10"));
}

// A disabled box shows its value but takes no input: neither the arrow keys nor the buttons.
TEST_F(UpDownTest, ADisabledBoxTakesNoInput)
{
    box_->setValue(5);
    changes_ = 0;
    forms::let(site_, QStringLiteral("Enabled"), false);
    site_->Move(120, 120, 1200, 285);
    host().show();
    QWidget* edit = box_->txtSpin().findChild<QLineEdit*>();
    edit->setFocus();
    for (int key : {Qt::Key_Up, Qt::Key_Down}) {
        window_input::key(*edit, key);
        EXPECT_EQ(box_->Value(), 5) << "key " << key;
    }
    forms::CommandButton& up = box_->spinCtl().upButton();
    window_input::Pointer(up).click(up, QPoint(up.width() / 2, up.height() / 2));
    EXPECT_EQ(box_->Value(), 5);
    EXPECT_EQ(changes_, 0);
    EXPECT_EQ(text(), QStringLiteral("5"));
}

TEST_F(UpDownTest, StoredBoxKeepsItsSettings)
{
    box_->setMin(-20);
    box_->setMax(20);
    box_->setValue(-7);
    box_->setIncrement(4);
    box_->setWrap(true);
    box_->setEnabled(false);
    host().design_to_run();
    auto* loaded = qobject_cast<KyUpDown*>(host().form().site(QStringLiteral("udCount"))->control());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Min(), -20);
    EXPECT_EQ(loaded->Max(), 20);
    EXPECT_EQ(loaded->Value(), -7);
    EXPECT_EQ(loaded->txtSpin().Text(), QStringLiteral("-7"));
    EXPECT_EQ(loaded->Increment(), 4);
    EXPECT_TRUE(loaded->Wrap());
    EXPECT_FALSE(loaded->Enabled());
    EXPECT_EQ(loaded->txtSpin().MaxLength(), 3);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(UpDownTest, PicturesAtDesignAndRunTime)
{
    forms::TestHost design(false);
    forms::ControlSite& designed = design.add(QStringLiteral("KyComCtl.KyUpDown"), QStringLiteral("KyUpDown1"));
    designed.Move(0, 0, 1200, 315);
    picture(designed, design, "up_down_design_time.png");
    site_->Move(0, 0, 1200, 315);
    box_->setValue(7);
    const QImage enabled = picture(*site_, host(), "up_down_run_time_enabled.png");
    box_->setEnabled(false);
    const QImage disabled = picture(*site_, host(), "up_down_run_time_disabled.png");
    EXPECT_NE(enabled, disabled);
    // The buttons stand at the right edge, the text box fills the rest.
    EXPECT_DOUBLE_EQ(box_->spinCtl().Left(), 1200 - 255);
    EXPECT_DOUBLE_EQ(box_->txtSpin().Width(), 1200 - 255 - 45);
}

} // namespace

// Disabled, the box's text is still selected by a real double click; enabled again, it shows
// the window's background and text colours, not the disabled ones it had.
TEST_F(UpDownTest, ReEnabledBoxLooksEnabledAndADisabledOnesTextStillShows)
{
    box_->setMax(9999);
    box_->setValue(1234);
    site_->Move(0, 0, 1500, 315);
    picture(*site_, host(), "up_down_enabled.png");
    forms::let(site_, QStringLiteral("Enabled"), false);
    auto* field = box_->txtSpin().findChild<QLineEdit*>();
    ASSERT_NE(field, nullptr);
    picture(*site_, host(), "up_down_disabled.png");
    EXPECT_EQ(field->text(), QStringLiteral("1234")) << "a disabled box still shows its number";
    QTest::mouseDClick(field, Qt::LeftButton, Qt::NoModifier, field->rect().center());
    EXPECT_EQ(box_->txtSpin().SelText(), QString()) << "a disabled box takes no input, a selection neither";
    forms::let(site_, QStringLiteral("Enabled"), true);
    box_->txtSpin().setSelLength(0);
    const QImage image = picture(*site_, host(), "up_down_enabled_again.png");
    const QColor base = box_->palette().color(QPalette::Active, QPalette::Base);
    EXPECT_EQ(image.pixelColor(3, image.height() / 2), base) << "the window background again";
    EXPECT_EQ(field->palette().color(QPalette::Active, QPalette::Text),
              box_->palette().color(QPalette::Active, QPalette::WindowText));
}
