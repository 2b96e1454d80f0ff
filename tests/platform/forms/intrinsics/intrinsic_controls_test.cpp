#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/image.h"
#include "platform/forms/hosting/input_events.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/intrinsics/option_button.h"
#include "platform/forms/intrinsics/picture_box.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/tab_walk.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

using namespace forms;

namespace {

class IntrinsicControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        window->resize(600, 400);
    }
    void TearDown() override { Screen::set_twips_per_pixel(15, 15); }

    // A person's input reaches only a shown, active window: the first key or click shows it.
    void shown()
    {
        if (!window->isVisible()) {
            window->show();
            window->activateWindow();
        }
    }
    void key(QWidget* target, QEvent::Type type, int qt_key, const QString& text = {},
             Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        shown();
        if (type == QEvent::KeyPress)
            window_input::key_press(*target, qt_key, modifiers, text);
        else
            window_input::key_release(*target, qt_key, modifiers, text);
    }
    void type_key(QWidget* target, int qt_key, const QString& text = {})
    {
        shown();
        window_input::key(*target, qt_key, Qt::NoModifier, text);
    }
    void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        shown();
        if (type == QEvent::MouseButtonPress)
            window_input::mouse_press(*target, at, Qt::LeftButton, modifiers);
        else
            window_input::mouse_release(*target, at, Qt::LeftButton, modifiers);
    }
    void click(QWidget* target)
    {
        shown();
        window_input::click(*target, QPoint(2, 2));
    }

    TestHost host{true};
    std::unique_ptr<QWidget> window;
};

int count_clicks(IntrinsicControl& control, const std::function<void()>& action)
{
    int clicks = 0;
    auto connection = QObject::connect(&control, &IntrinsicControl::Click, [&] { ++clicks; });
    action();
    QObject::disconnect(connection);
    return clicks;
}

} // namespace

TEST_F(IntrinsicControlsTest, EveryControlHasItsAccessibleNameAndRole)
{
    struct Case {
        IntrinsicControl* control;
        QString name;
        QAccessible::Role role;
    };
    QWidget* w = window.get();
    const Case cases[] = {
        {new CommandButton(w, "cmdNext", "&Next >"), "Next >", QAccessible::Button},
        {new Label(w, "lblTitle", "Step &Title"), "Step Title", QAccessible::StaticText},
        {new Image(w, "imgLogo"), "", QAccessible::Graphic},
        {new PictureBox(w, "picBanner"), "", QAccessible::Pane},
        {new Frame(w, "fraBanner"), "", QAccessible::Grouping},
        {new Line(w, "LTop"), "", QAccessible::Separator},
        {new TextBox(w, "txtName"), "", QAccessible::EditableText},
        {new ComboBox(w, "cboDomain"), "", QAccessible::ComboBox},
        {new CheckBox(w, "chkUsers", "&Users"), "Users", QAccessible::CheckBox},
        {new OptionButton(w, "optAll", "&All"), "All", QAccessible::RadioButton},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control->Name().toStdString());
        [&] { // an ASSERT ends this row only
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(c.control);
            ASSERT_NE(accessible, nullptr) << c.control->Name().toStdString();
            EXPECT_EQ(accessible->text(QAccessible::Name), c.name) << c.control->Name().toStdString();
            EXPECT_EQ(accessible->role(), c.role) << c.control->Name().toStdString();
        }();
    }
}

TEST_F(IntrinsicControlsTest, VisibleAndEnabledAreTheControlsOwnFlags)
{
    PictureBox container(window.get(), "picContainer");
    CommandButton button(&container, "cmdOk", "OK");
    window->show();
    container.setVisible(false);
    container.setEnabled(false);
    EXPECT_TRUE(button.Visible());
    EXPECT_TRUE(button.Enabled());
    EXPECT_FALSE(button.isVisible()) << "Qt's view includes the hidden container";
    EXPECT_FALSE(button.isEnabled());
    button.setVisible(false);
    button.setEnabled(false);
    container.setVisible(true);
    container.setEnabled(true);
    EXPECT_FALSE(button.Visible());
    EXPECT_FALSE(button.Enabled());
}

TEST_F(IntrinsicControlsTest, GeometryIsKeptInTwipsAndShownInWholePixels)
{
    for (double tpp : {15.0, 12.0}) {
        SCOPED_TRACE(tpp);
        Screen::set_twips_per_pixel(tpp, tpp);
        Label label(window.get(), "lblRule");
        label.Move(2600, 4290, 1695, 195);
        EXPECT_EQ(label.Left(), 2600);
        EXPECT_EQ(label.Top(), 4290);
        EXPECT_EQ(label.Width(), 1695);
        EXPECT_EQ(label.geometry(), QRect(Screen::to_pixels_x(2600), Screen::to_pixels_y(4290),
                                          Screen::to_pixels_x(4295) - Screen::to_pixels_x(2600),
                                          Screen::to_pixels_y(4485) - Screen::to_pixels_y(4290)))
            << tpp;
        label.setTop(-45);
        EXPECT_EQ(label.Top(), -45);
        EXPECT_EQ(label.Height(), 195);
    }
}

TEST_F(IntrinsicControlsTest, AutoSizeLabelFitsItsCaptionAndKeepsItsWidthWhenWrapping)
{
    Label one_line(window.get(), "lblOne");
    one_line.Move(0, 0, 300, 195);
    one_line.setAutoSize(true);
    one_line.setCaption(QStringLiteral("To continue, click Next."));
    const double line_height = one_line.Height();
    EXPECT_GT(one_line.Width(), 300);
    EXPECT_GT(line_height, 0);

    Label wrapped(window.get(), "lblWrapped");
    wrapped.Move(0, 0, 1500, 195);
    wrapped.setWordWrap(true);
    wrapped.setAutoSize(true);
    wrapped.setCaption(QStringLiteral("A long description that cannot fit on one line of this narrow label"));
    EXPECT_EQ(wrapped.Width(), 1500);
    EXPECT_GE(wrapped.Height(), 3 * line_height);
    EXPECT_EQ(wrapped.BackStyle(), Label::Opaque);
    wrapped.setBackStyle(Label::Transparent);
    EXPECT_FALSE(wrapped.autoFillBackground());
}

TEST_F(IntrinsicControlsTest, ImageTakesThePicturesSizeUnlessStretched)
{
    for (double tpp : {15.0, 12.0}) {
        SCOPED_TRACE(tpp);
        Screen::set_twips_per_pixel(tpp, tpp);
        Image image(window.get(), "imgHeaderBanner");
        image.Move(100, 75, 500, 500);
        QImage bits(49, 49, QImage::Format_RGB32);
        bits.fill(Qt::blue);
        image.setPicture(StdPicture::create(bits));
        EXPECT_EQ(image.Width(), 49 * tpp) << tpp;
        EXPECT_EQ(image.size(), QSize(49, 49)) << tpp;
        image.setStretch(true);
        image.Move(0, 0, 2490, 4500);
        EXPECT_EQ(image.Width(), 2490);
        image.setPicture(nullptr);
        EXPECT_TRUE(image.Picture()->empty());
    }
}

TEST_F(IntrinsicControlsTest, CommandButtonClicksOnReleaseSpaceEnterAndValue)
{
    CommandButton button(window.get(), "cmdNext", "&Next >");
    button.Move(0, 0, 1125, 345);
    EXPECT_EQ(count_clicks(button, [&] { click(&button); }), 1);
    EXPECT_EQ(count_clicks(button, [&] { type_key(&button, Qt::Key_Space, " "); }), 1);
    EXPECT_EQ(count_clicks(button, [&] { key(&button, QEvent::KeyPress, Qt::Key_Return, "\r"); }), 1);
    EXPECT_EQ(count_clicks(button, [&] { button.setValue(true); }), 1);
    EXPECT_FALSE(button.Value());
    EXPECT_EQ(count_clicks(button,
                           [&] {
                               mouse(&button, QEvent::MouseButtonPress, QPoint(2, 2));
                               mouse(&button, QEvent::MouseButtonRelease, QPoint(500, 2));
                           }),
              0)
        << "released outside";
}

TEST_F(IntrinsicControlsTest, DefaultAndCancelAreOnePerWindowAndPressedByEnterAndEsc)
{
    CommandButton next(window.get(), "cmdNext", "Next");
    CommandButton finish(window.get(), "cmdFinish", "Finish");
    CommandButton cancel(window.get(), "cmdCancel", "Cancel");
    window->show();
    next.setDefault(true);
    finish.setDefault(true);
    cancel.setCancel(true);
    EXPECT_FALSE(next.Default());
    EXPECT_TRUE(finish.Default());
    EXPECT_EQ(count_clicks(finish, [&] { EXPECT_TRUE(CommandButton::press_access_key(window.get(), 13)); }), 1);
    EXPECT_EQ(count_clicks(cancel, [&] { EXPECT_TRUE(CommandButton::press_access_key(window.get(), 27)); }), 1);
    finish.setEnabled(false);
    EXPECT_FALSE(CommandButton::press_access_key(window.get(), 13)) << "a disabled default is not pressed";
    cancel.setVisible(false);
    EXPECT_FALSE(CommandButton::press_access_key(window.get(), 27));
}

TEST_F(IntrinsicControlsTest, KeyEventsUseTheRuntimesCodesAndShiftMaskByReference)
{
    struct Case {
        int qt_key;
        QString text;
        Qt::KeyboardModifiers modifiers;
        short code, shift, ascii;
    };
    const Case cases[] = {
        {Qt::Key_A, "a", Qt::NoModifier, 65, 0, 97},
        {Qt::Key_A, "A", Qt::ShiftModifier, 65, 1, 65},
        {Qt::Key_5, "5", Qt::ControlModifier | Qt::AltModifier, 53, 6, 53},
        {Qt::Key_Return, "\r", Qt::NoModifier, 13, 0, 13},
        {Qt::Key_Escape, "", Qt::NoModifier, 27, 0, 27},
        {Qt::Key_F1, "", Qt::ShiftModifier, 112, 1, 0},
        {Qt::Key_Left, "", Qt::NoModifier, 37, 0, 0},
        {Qt::Key_Delete, "", Qt::ControlModifier, 46, 2, 0},
        {Qt::Key_Comma, ",", Qt::NoModifier, 188, 0, 44},
        {Qt::Key_7, "7", Qt::KeypadModifier, 103, 0, 55},
        {Qt::Key_Question, "?", Qt::ShiftModifier, 191, 1, 63},
    };
    PictureBox surface(window.get(), "picSurface");
    for (const Case& c : cases) {
        short code = -1, shift = -1, ascii = -1, up_code = -1;
        auto down = QObject::connect(&surface, &IntrinsicControl::KeyDown, [&](short& k, short& s) {
            code = k;
            shift = s;
        });
        auto press = QObject::connect(&surface, &IntrinsicControl::KeyPress, [&](short& a) { ascii = a; });
        auto up = QObject::connect(&surface, &IntrinsicControl::KeyUp, [&](short& k, short&) { up_code = k; });
        key(&surface, QEvent::KeyPress, c.qt_key, c.text, c.modifiers);
        key(&surface, QEvent::KeyRelease, c.qt_key, c.text, c.modifiers);
        QObject::disconnect(down);
        QObject::disconnect(press);
        QObject::disconnect(up);
        EXPECT_EQ(code, c.code) << c.qt_key;
        EXPECT_EQ(shift, c.shift) << c.qt_key;
        EXPECT_EQ(ascii, c.ascii == 0 ? -1 : c.ascii) << c.qt_key << " KeyPress only for a character";
        EXPECT_EQ(up_code, c.code) << c.qt_key;
    }
}

TEST_F(IntrinsicControlsTest, MouseEventsReportTheButtonShiftAndTwips)
{
    Screen::set_twips_per_pixel(12, 12);
    Label label(window.get(), "lblClick", "Click me");
    label.Move(0, 0, 1200, 600);
    short button = 0, shift = 0;
    float x = 0, y = 0;
    QObject::connect(&label, &IntrinsicControl::MouseDown, [&](short b, short s, float tx, float ty) {
        button = b;
        shift = s;
        x = tx;
        y = ty;
    });
    int clicks = count_clicks(label, [&] {
        mouse(&label, QEvent::MouseButtonPress, QPoint(10, 20), Qt::ShiftModifier);
        mouse(&label, QEvent::MouseButtonRelease, QPoint(10, 20));
    });
    EXPECT_EQ(button, mousebutton::Left);
    EXPECT_EQ(shift, shiftmask::Shift);
    EXPECT_FLOAT_EQ(x, 120);
    EXPECT_FLOAT_EQ(y, 240);
    EXPECT_EQ(clicks, 1);
}

TEST_F(IntrinsicControlsTest, TextBoxKeyPressSwallowsOrReplacesCharactersAndRaisesChange)
{
    TextBox text(window.get(), "txtName");
    text.Move(0, 0, 2000, 315);
    window->show();
    QWidget* edit = text.focusProxy();
    ASSERT_NE(edit, nullptr);
    QObject::connect(&text, &IntrinsicControl::KeyPress, [](short& ascii) {
        if (ascii == 'x')
            ascii = 0;
        else if (ascii >= 'a' && ascii <= 'z')
            ascii = static_cast<short>(ascii - 32);
    });
    int changes = 0;
    QObject::connect(&text, &TextBox::Change, [&] { ++changes; });
    for (const char* c : {"a", "x", "b"})
        type_key(edit, Qt::Key_A + (c[0] - 'a'), QString::fromLatin1(c));
    EXPECT_EQ(text.Text(), QStringLiteral("AB"));
    EXPECT_EQ(changes, 2);
    text.setText(QStringLiteral("abcdef"));
    EXPECT_EQ(changes, 3) << "Change also for text set by code";
    text.setSelStart(2);
    text.setSelLength(3);
    EXPECT_EQ(text.SelText(), QStringLiteral("cde"));
    text.setMaxLength(4);
    EXPECT_EQ(text.Text(), QStringLiteral("abcd"));
    text.setLocked(true);
    type_key(edit, Qt::Key_Z, QStringLiteral("z"));
    EXPECT_EQ(text.Text(), QStringLiteral("abcd"));
    try {
        text.setMaxLength(-1);
        ADD_FAILURE() << "no error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 380);
    }
}

TEST_F(IntrinsicControlsTest, ComboBoxStartsWithoutChoiceAndClicksOnEverySetOfListIndex)
{
    ComboBox combo(window.get(), "cboMode", ComboBox::DropdownList);
    combo.AddItem(QStringLiteral("WelcomePage"));
    combo.AddItem(QStringLiteral("InteriorPage"));
    combo.AddItem(QStringLiteral("CompletePage"));
    EXPECT_EQ(combo.ListIndex(), -1);
    EXPECT_EQ(combo.ListCount(), 3);
    EXPECT_EQ(count_clicks(combo, [&] { combo.setListIndex(1); }), 1);
    EXPECT_EQ(count_clicks(combo, [&] { combo.setListIndex(1); }), 1) << "unchanged index clicks too";
    EXPECT_EQ(combo.Text(), QStringLiteral("InteriorPage"));
    EXPECT_EQ(count_clicks(combo, [&] { combo.setListIndex(-1); }), 1);
    for (int bad : {-2, 3}) {
        SCOPED_TRACE(bad);
        try {
            combo.setListIndex(bad);
            ADD_FAILURE() << bad;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number(), 380);
        }
    }
    combo.setItemData(2, 7);
    EXPECT_EQ(combo.ItemData(2), 7);
}

TEST_F(IntrinsicControlsTest, CheckBoxValuesAndOptionButtonGroups)
{
    CheckBox check(window.get(), "chkUsers", "Users");
    // Every control made before the window shows (at the first click), as a form's are.
    PictureBox group_a(window.get(), "picA");
    PictureBox group_b(window.get(), "picB");
    // Apart, below the check box, as a person sees two groups (the click lands on what lies there).
    group_a.Move(0, 1000, 3000, 900);
    group_b.Move(0, 2000, 3000, 900);
    OptionButton a1(&group_a, "optA1", "One"), a2(&group_a, "optA2", "Two"), b1(&group_b, "optB1", "Other");
    EXPECT_EQ(count_clicks(check, [&] { check.setValue(CheckBox::Grayed); }), 1);
    EXPECT_EQ(count_clicks(check, [&] { check.setValue(CheckBox::Grayed); }), 0);
    click(&check);
    EXPECT_EQ(check.Value(), CheckBox::Unchecked) << "grayed goes to unchecked";
    click(&check);
    EXPECT_EQ(check.Value(), CheckBox::Checked);
    EXPECT_THROW(check.setValue(3), VbError);

    b1.setValue(true);
    a1.setValue(true);
    EXPECT_EQ(count_clicks(a2, [&] { click(&a2); }), 1);
    EXPECT_FALSE(a1.Value());
    EXPECT_TRUE(a2.Value());
    EXPECT_TRUE(b1.Value()) << "another container is another group";
}

TEST_F(IntrinsicControlsTest, LineCoversItsEndsAndLetsTheMouseThrough)
{
    Line line(window.get(), "LClientLeft");
    line.set_ends(600, 1260, 600, 4000);
    EXPECT_EQ(line.geometry(), QRect(40, 84, 1, Screen::to_pixels_y(4015) - 84));
    EXPECT_TRUE(line.testAttribute(Qt::WA_TransparentForMouseEvents));
    line.set_ends(0, 300, 7515, 300);
    EXPECT_EQ(line.geometry().width(), 502);
    EXPECT_EQ(line.geometry().height(), 1);
}

TEST_F(IntrinsicControlsTest, TextBoxValidateRunsWhenTheFocusLeavesAndCancelKeepsIt)
{
    TextBox name(window.get(), "txtName");
    TextBox other(window.get(), "txtOther");
    name.Move(0, 0, 2000, 315);
    other.Move(0, 600, 2000, 315);
    window->show();
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    bool refuse = true;
    int validations = 0;
    QObject::connect(&name, &TextBox::Validate, [&](bool& Cancel) {
        ++validations;
        Cancel = refuse;
    });
    name.setFocus();
    QApplication::processEvents();
    other.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(validations, 1);
    EXPECT_TRUE(name.focusProxy()->hasFocus()) << "Cancel keeps the focus";
    refuse = false;
    other.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(validations, 2);
    EXPECT_TRUE(other.focusProxy()->hasFocus());
}

// Alt and the letter after "&" in a caption reach the control as a user's click would, but only
// while the control can be seen and used.
TEST_F(IntrinsicControlsTest, AccessKeysOfCaptionsClickWhatCanBeSeenAndUsed)
{
    CommandButton next(window.get(), QStringLiteral("cmdNext"), QStringLiteral("&Next >"));
    CommandButton hidden(window.get(), QStringLiteral("cmdHidden"), QStringLiteral("&Hidden"));
    CommandButton disabled(window.get(), QStringLiteral("cmdDisabled"), QStringLiteral("&Disabled"));
    CheckBox wrap(window.get(), QStringLiteral("chkWrap"), QStringLiteral("&Wrap"));
    OptionButton first(window.get(), QStringLiteral("optFirst"), QStringLiteral("&First"));
    OptionButton second(window.get(), QStringLiteral("optSecond"), QStringLiteral("&Second"));
    CommandButton renamed(window.get(), QStringLiteral("cmdRenamed"), QStringLiteral("&Old"));
    renamed.setCaption(QStringLiteral("&Renamed"));
    hidden.setVisible(false);
    disabled.setEnabled(false);
    first.setValue(true);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));

    const auto alt = [&](Qt::Key letter) { QTest::keyClick(window.get(), letter, Qt::AltModifier); };
    EXPECT_EQ(count_clicks(next, [&] { alt(Qt::Key_N); }), 1);
    EXPECT_TRUE(next.hasFocus());
    EXPECT_EQ(count_clicks(hidden, [&] { alt(Qt::Key_H); }), 0);
    EXPECT_EQ(count_clicks(disabled, [&] { alt(Qt::Key_D); }), 0);
    EXPECT_EQ(count_clicks(renamed, [&] { alt(Qt::Key_O); }), 0);
    EXPECT_EQ(count_clicks(renamed, [&] { alt(Qt::Key_R); }), 1);
    alt(Qt::Key_W);
    EXPECT_EQ(wrap.Value(), CheckBox::Checked);
    alt(Qt::Key_W);
    EXPECT_EQ(wrap.Value(), CheckBox::Unchecked);
    alt(Qt::Key_S);
    EXPECT_TRUE(second.Value());
    EXPECT_FALSE(first.Value());
    // A plain letter is typing, not an access key.
    EXPECT_EQ(count_clicks(next, [&] { QTest::keyClick(window.get(), Qt::Key_N); }), 0);
}

// The option buttons of one container are one Tab stop, the chosen one (the first while none
// is); the arrow keys move the choice round the group past a button that cannot be used.
TEST_F(IntrinsicControlsTest, AnOptionGroupIsOneTabStopAndArrowKeysMoveTheChoice)
{
    CommandButton before(window.get(), QStringLiteral("cmdBefore"), QStringLiteral("Before"));
    Frame frame(window.get(), QStringLiteral("fraMode"), QStringLiteral("Mode"));
    frame.Move(120, 600, 3000, 1500);
    OptionButton first(&frame, QStringLiteral("optFirst"), QStringLiteral("First"));
    OptionButton second(&frame, QStringLiteral("optSecond"), QStringLiteral("Second"));
    OptionButton third(&frame, QStringLiteral("optThird"), QStringLiteral("Third"));
    first.Move(120, 240, 2000, 300);
    second.Move(120, 600, 2000, 300);
    third.Move(120, 960, 2000, 300);
    CommandButton after(window.get(), QStringLiteral("cmdAfter"), QStringLiteral("After"));
    after.Move(120, 2400, 1200, 375);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    before.setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(forms::tab_walk(*window), (std::vector<std::string>{"Before", "First", "After"}));

    first.setFocus(Qt::OtherFocusReason);
    third.setEnabled(false);
    struct Step {
        Qt::Key key;
        OptionButton* chosen;
    };
    for (const Step& step : {Step{Qt::Key_Down, &second}, Step{Qt::Key_Down, &first}, Step{Qt::Key_Up, &second},
                             Step{Qt::Key_Left, &first}, Step{Qt::Key_Right, &second}}) {
        SCOPED_TRACE(step.chosen->Caption().toStdString());
        QTest::keyClick(QApplication::focusWidget(), step.key);
        EXPECT_TRUE(step.chosen->Value()) << step.chosen->Caption().toStdString();
        EXPECT_TRUE(step.chosen->hasFocus()) << step.chosen->Caption().toStdString();
        EXPECT_EQ(first.Value() + second.Value() + third.Value(), 1);
    }
    before.setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(forms::tab_walk(*window), (std::vector<std::string>{"Before", "Second", "After"}));
}

// Alt and a label's access key put the focus on the control after the label in tab order,
// past one that cannot take it; the letter is drawn underlined.
TEST_F(IntrinsicControlsTest, ALabelsAccessKeyFocusesTheNextControlAndIsUnderlined)
{
    Label domains(window.get(), QStringLiteral("lblDomains"), QStringLiteral("&Domains:"));
    domains.Move(120, 120, 1500, 255);
    Label note(window.get(), QStringLiteral("lblNote"), QStringLiteral("a note"));
    TextBox name(window.get(), QStringLiteral("txtName"));
    name.Move(120, 420, 3000, 315);
    CommandButton go(window.get(), QStringLiteral("cmdGo"), QStringLiteral("Go"));
    go.Move(120, 900, 1200, 375);
    Label plain(window.get(), QStringLiteral("lblPlain"), QStringLiteral("Domains:"));
    plain.Move(120, 1500, 1500, 255);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    go.setFocus(Qt::OtherFocusReason);
    QTest::keyClick(window.get(), Qt::Key_D, Qt::AltModifier);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == &name || name.isAncestorOf(focus)) << (focus ? focus->metaObject()->className() : "none");

    // The same words without the mark differ only by the line under the D.
    const QImage marked = domains.grab().toImage();
    const QImage unmarked = plain.grab().toImage();
    ASSERT_EQ(marked.size(), unmarked.size());
    int differing_rows = 0;
    int lowest = -1;
    for (int y = 0; y < marked.height(); ++y) {
        bool differs = false;
        for (int x = 0; x < marked.width(); ++x)
            differs = differs || marked.pixel(x, y) != unmarked.pixel(x, y);
        if (differs) {
            ++differing_rows;
            lowest = y;
        }
    }
    EXPECT_GE(differing_rows, 1);
    EXPECT_LE(differing_rows, 2) << "only an underline";
    EXPECT_GT(lowest, marked.height() / 2) << "below the letters";
    EXPECT_TRUE(marked.save(QString::fromStdString((forms::artefacts_dir() / "label_access_key.png").string())));
}

// An assistive tool's Press or Toggle (the action the accessibility bridge calls) is the
// user's click: where a click could not land it does nothing, while the runtime holds input
// it waits, and it then runs once the event loop takes it.
TEST_F(IntrinsicControlsTest, AnAssistiveToolsActionTakesTheRoadOfTheClickItStandsFor)
{
    TestHost::ensure_application();
    auto* button = new CommandButton(window.get(), "cmdNext", "&Next >");
    auto* box = new CheckBox(window.get(), "chkAll", "&All");
    button->Move(120, 120, 1200, 375);
    box->Move(120, 600, 1200, 375);
    window->show();
    int clicks = 0;
    QObject::connect(button, &CommandButton::Click, [&] { ++clicks; });
    const auto act = [](QWidget* control, const QString& action) {
        QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(action);
    };
    struct Row {
        const char* what;
        std::function<void()> before, after;
        int clicks_at_once, clicks_later;
    };
    std::unique_ptr<UserInputHold> hold;
    QWidget modal;
    const Row rows[] = {
        {"usable", [] {}, [] {}, 1, 1},
        {"disabled", [&] { button->setEnabled(false); }, [&] { button->setEnabled(true); }, 0, 0},
        {"hidden", [&] { button->setVisible(false); }, [&] { button->setVisible(true); }, 0, 0},
        {"under a modal window",
         [&] {
             modal.setWindowModality(Qt::ApplicationModal);
             modal.show();
         },
         [&] { modal.hide(); }, 0, 0},
        {"while input is held", [&] { hold = std::make_unique<UserInputHold>(); }, [&] { hold.reset(); }, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        clicks = 0;
        row.before();
        act(button, QAccessibleActionInterface::pressAction());
        EXPECT_EQ(clicks, row.clicks_at_once);
        DoEvents();
        EXPECT_EQ(clicks, row.clicks_at_once) << "nothing runs while the reason lasts";
        row.after();
        DoEvents();
        EXPECT_EQ(clicks, row.clicks_later);
    }
    box->setEnabled(false);
    act(box, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(box->Value(), 0) << "a disabled box takes no Toggle";
    box->setEnabled(true);
    act(box, QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(box->Value(), 1);
}
