// What a host form does for the controls on it beyond their life cycle: the extender's
// Enabled reaching a control's own Enabled, EnterFocus and ExitFocus through constituents,
// the tab order from TabIndex, and the window's border, control box and start-up position.

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QScreen>

#include <gtest/gtest.h>

using namespace forms;

namespace {

// A control with an Enabled of its own and one constituent button; it logs what it hears.
class ComposedControl : public UserControl {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
public:
    ComposedControl() : inner(new CommandButton(this, QStringLiteral("cmdInner"), QStringLiteral("Inner")))
    {
        inner->Move(0, 0, 900, 300);
    }
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool value)
    {
        log << QStringLiteral("Enabled %1").arg(value);
        QWidget::setEnabled(value);
    }
    CommandButton* inner;
    QStringList log;

protected:
    void EnterFocus() override { log << QStringLiteral("EnterFocus"); }
    void ExitFocus() override { log << QStringLiteral("ExitFocus"); }
    void AccessKeyPress(int key) override
    {
        log << QStringLiteral("AccessKeyPress %1").arg(key);
        CommandButton::press_access_key(this, key);
    }
};

ComposedControl& composed(ControlSite& s) { return *static_cast<ComposedControl*>(s.control()); }

} // namespace

TEST(FormWindowTest, ExtenderEnabledRunsTheControlsOwnEnabled)
{
    TestHost host(true);
    ControlSite& s = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlA"));
    let(&s, QStringLiteral("Enabled"), false); // late bound: the extender answers first
    s.setEnabled(true);                        // as a property page writes it
    EXPECT_EQ(composed(s).log, (QStringList{"Enabled 0", "Enabled 1"}));
    EXPECT_TRUE(get(&s, QStringLiteral("Enabled")).toBool());
}

TEST(FormWindowTest, FocusEnteringAConstituentRaisesEnterFocusOnce)
{
    TestHost host(true);
    ControlSite& a = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlA"));
    ControlSite& b = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlB"));
    b.Move(0, 600, 1500, 600);
    host.show();
    host.form().activateWindow();
    composed(b).inner->setFocus();
    composed(a).log.clear();
    composed(b).log.clear();
    composed(a).inner->setFocus();
    composed(a).setFocus(); // within the control: no new entry
    composed(b).inner->setFocus();
    DoEvents();
    EXPECT_EQ(composed(a).log, (QStringList{"EnterFocus", "ExitFocus"}));
    EXPECT_EQ(composed(b).log, (QStringList{"ExitFocus", "EnterFocus"}));
}

TEST(FormWindowTest, EnterAndEscReachTheInnerDefaultAndCancelButtons)
{
    TestHost host(true);
    ControlSite& bar = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlBar"));
    ControlSite& other = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlOther"));
    bar.setDefault(true);
    bar.setCancel(true);
    auto* ok = new CommandButton(&composed(bar), QStringLiteral("cmdOk"), QStringLiteral("OK"));
    ok->setDefault(true);
    composed(bar).inner->setCancel(true);
    QStringList clicks;
    QObject::connect(ok, &CommandButton::Click, [&] { clicks << QStringLiteral("OK"); });
    QObject::connect(composed(bar).inner, &CommandButton::Click, [&] { clicks << QStringLiteral("Inner"); });
    host.show();
    host.form().activateWindow();
    // Esc with the focus on a button of another control, Enter with the focus on the form.
    window_input::key(*composed(other).inner, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    window_input::key(host.form(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(clicks, (QStringList{"Inner", "OK"})) << "Esc went on from the focused button to the form";
    EXPECT_EQ(composed(bar).log.filter(QStringLiteral("AccessKeyPress")),
              (QStringList{"AccessKeyPress 27", "AccessKeyPress 13"}));
}

TEST(FormWindowTest, TabOrderFollowsTabIndexAndSkipsControlsWithoutTabStop)
{
    TestHost host(true);
    ControlSite& a = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlA"));
    ControlSite& b = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlB"));
    ControlSite& c = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlC"));
    ControlSite& page = host.add(std::make_unique<ComposedControl>(), QStringLiteral("ctlPage"));
    a.setTabIndex(2);
    b.setTabIndex(0);
    c.setTabIndex(1);
    page.setTabIndex(3);
    page.setTabStop(false);
    composed(page).inner->setFocusPolicy(Qt::NoFocus);
    composed(a).setObjectName(QStringLiteral("A"));
    composed(b).setObjectName(QStringLiteral("B"));
    composed(c).setObjectName(QStringLiteral("C"));
    // The chain from b's button: c's, a's, then b's again; the page is no stop.
    QStringList chain;
    QWidget* w = composed(b).inner;
    for (int i = 0; i < 40 && chain.size() < 3; ++i) {
        w = w->nextInFocusChain();
        if ((w->focusPolicy() & Qt::TabFocus) && w->parentWidget())
            chain << w->parentWidget()->objectName();
    }
    EXPECT_EQ(chain, (QStringList{"C", "A", "B"}));
    EXPECT_FALSE(composed(page).focusPolicy() & Qt::TabFocus);
}

TEST(FormWindowTest, FixedBorderWithoutControlBoxIsCentredOnTheScreen)
{
    TestHost host(true);
    Form& f = host.form();
    f.resize(400, 300);
    f.setBorderStyle(1);
    f.setControlBox(false);
    f.setStartUpPosition(2);
    EXPECT_FALSE(f.user_resizable());
    EXPECT_EQ(f.minimumSize(), f.maximumSize());
    EXPECT_FALSE(f.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_FALSE(f.windowFlags() & Qt::WindowCloseButtonHint);
    f.setHeight(6000); // code may still size a fixed window
    EXPECT_EQ(f.height(), 400);
    host.show();
    const QRect screen = f.screen()->availableGeometry();
    EXPECT_NEAR(f.frameGeometry().center().x(), screen.center().x(), 1);
    EXPECT_NEAR(f.frameGeometry().center().y(), screen.center().y(), 1);
    f.setBorderStyle(2);
    f.setControlBox(true);
    EXPECT_TRUE(f.user_resizable());
    EXPECT_TRUE(f.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_THROW(f.setBorderStyle(7), VbError);
}

TEST(FormWindowTest, DesignModeKeepsTheWindowEditable)
{
    TestHost host(false);
    host.form().setBorderStyle(1);
    EXPECT_TRUE(host.form().user_resizable());
}

#include "form_window_test.moc"
