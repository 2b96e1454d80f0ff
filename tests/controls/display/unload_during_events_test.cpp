// A control method that lets the host's events run (the bar's Value, the panel's Progress, the
// information line's detail window) may find its form unloaded when the events are done: a
// host timer did it meanwhile. The method then ends without touching the gone control.

#include "controls/display/ky_info_item.h"
#include "controls/display/tlx_info_panel.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/support/forms/window_input.h"

#include <QPointer>
#include <QThread>
#include <QTimer>

#include <functional>

namespace {

struct Case {
    const char* name;
    const char* prog_id;
    // What the host does with the control; the form is unloaded while it runs.
    std::function<void(forms::ControlSite&)> act;
};

[[maybe_unused]] void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class UnloadDuringEventsTest : public KyComCtlTest, public ::testing::WithParamInterface<Case> {};

TEST_P(UnloadDuringEventsTest, TheCallEndsWithoutTouchingTheUnloadedControl)
{
    const Case& c = GetParam();
    forms::ControlSite& site = host().add(QString::fromLatin1(c.prog_id), QStringLiteral("ctlShown"));
    host().show();
    const QPointer<QWidget> control = site.control();
    // The host's timer: due once the call lets events run.
    QTimer::singleShot(50, &host().form(), [this] { host().form().unload(); });
    c.act(site);
    EXPECT_TRUE(control.isNull()) << "the timer did not unload the form inside the call";
}

INSTANTIATE_TEST_SUITE_P(EveryCallThatLetsEventsRun, UnloadDuringEventsTest,
                         ::testing::Values(Case{"ProgressBarValue", "KyComCtl.KyProgressBar",
                                                [](forms::ControlSite& site) {
                                                    QThread::msleep(
                                                        100); // the timer is due when the bar lets the events run
                                                    forms::let(&site, QStringLiteral("Value"), 50);
                                                }},
                                           Case{"ProgressPanelProgress", "KyComCtl.KyProgressInfo",
                                                [](forms::ControlSite& site) {
                                                    QThread::msleep(100);
                                                    forms::let(&site, QStringLiteral("Progress"), 50);
                                                }},
                                           Case{"InformationLineFullInfo", "KyComCtl.TlxInfoPanel",
                                                [](forms::ControlSite& site) {
                                                    auto* panel = qobject_cast<TlxInfoPanel*>(site.control());
                                                    ASSERT_EQ(
                                                        panel->AddInfoLabel(QStringLiteral("Sites"),
                                                                            QStringLiteral("Head office\r\nBranch")),
                                                        0);
                                                    forms::Label& link = panel->ctlInfoItem(1)->lblFullInfo();
                                                    ASSERT_TRUE(link.isVisible());
                                                    // The detail window runs modally until the unload takes it with the
                                                    // form.
                                                    window_input::Pointer(link).click(link, QPoint(3, 3));
                                                }}),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
