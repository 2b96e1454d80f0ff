// MouseMove follows the pointer over a control with no button held, as every move does, for
// the controls that raise it: real pointer moves through the window system.

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/late_binding.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class MouseTrackingTest : public KyComCtlTest {};

} // namespace

TEST_F(MouseTrackingTest, APointerMoveWithoutAButtonRaisesMouseMove)
{
    const char* classes[] = {"KyComCtl.KyLabel", "KyComCtl.TlxInfoPanel", "KyComCtl.KyUpDown"};
    int n = 0;
    for (const char* class_name : classes) {
        forms::ControlSite& site = host().add(QString::fromLatin1(class_name), QStringLiteral("ctl%1").arg(++n));
        site.Move(0, 0, 3000, 600);
        site.setVisible(true);
        host().show();
        QWidget* control = site.control();
        QList<short> buttons;
        forms::connect_event(&site, QStringLiteral("MouseMove"), control,
                             [&](QVariantList& args) { buttons << static_cast<short>(args[0].toInt()); });
        // The spin part of the up-down box is at its right edge.
        const QPoint from(control->width() - 4, control->height() / 2);
        QTest::mouseMove(control->window()->windowHandle(), control->mapTo(control->window(), from));
        QTest::mouseMove(control->window()->windowHandle(), control->mapTo(control->window(), from - QPoint(1, 1)));
        EXPECT_FALSE(buttons.isEmpty()) << class_name;
        EXPECT_FALSE(buttons.contains(short{1})) << class_name << ": no button is held";
        site.setVisible(false);
    }
}
