// A page's work that lets the host's events run (its layout paints, the navigator's end lets
// the other pages go) may find its form unloaded when the events are done: a host timer did it
// meanwhile. The page then ends without touching itself or its gone site.

#include "tests/controls/wizard/wizard_tab_fixture.h"

#include <QPointer>
#include <QThread>
#include <QTimer>

#include <functional>

namespace {

struct Case {
    const char* name;
    // Run mode (the pages switched to run and shown) or design mode.
    bool run;
    // What the host does with the page; the form is unloaded while it runs.
    std::function<void(forms::ControlSite&)> act;
};

[[maybe_unused]] void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class WizardTabUnloadTest : public WizardTabTest, public ::testing::WithParamInterface<Case> {};

TEST_P(WizardTabUnloadTest, ThePageEndsWithoutTouchingItselfOnceTheFormIsGone)
{
    const Case& c = GetParam();
    place(QStringLiteral("wtWelcome"));
    place(QStringLiteral("wtFinish"));
    if (c.run)
        design().design_to_run();
    design().show();
    const QPointer<QWidget> control = site(QStringLiteral("wtWelcome")).control();
    // The host's timer: due once the page lets events run.
    QTimer::singleShot(50, &form(), [this] { form().unload(); });
    QThread::msleep(100);
    c.act(site(QStringLiteral("wtWelcome")));
    EXPECT_TRUE(control.isNull()) << "the timer did not unload the form inside the call";
}

INSTANTIATE_TEST_SUITE_P(
    EveryCallThatLetsEventsRun, WizardTabUnloadTest,
    ::testing::Values(
        // The designer renames the page: its layout, run again for the new name, paints.
        Case{"RenamedInDesign", false, [](forms::ControlSite& site) { site.setName(QStringLiteral("wtFirst")); }},
        // The navigator ends: each page leaves the registry and lets the events run.
        Case{"NavigatorDies", true, [](forms::ControlSite&) { (void)modBase::SharedNavigator()->NavigatorIsDie(); }}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
