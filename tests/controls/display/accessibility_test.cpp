// Every display control, window and page tells assistive tools its name and its role.

#include "controls/display/frm_info.h"
#include "controls/display/general_label_page.h"
#include "controls/display/general_up_down_page.h"
#include "platform/forms/hosting/control_site.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QAccessible>

namespace {

class DisplayAccessibilityTest : public KyComCtlTest {};

void expect_announced(QWidget& widget, QAccessible::Role role, const char* what)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_NE(accessible, nullptr) << what;
    EXPECT_EQ(accessible->role(), role) << what;
    EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << what;
}

TEST_F(DisplayAccessibilityTest, ControlsWindowsAndPagesHaveANameAndARole)
{
    struct Case {
        const char* prog_id;
        QAccessible::Role role;
    };
    for (const Case& c :
         {Case{"KyComCtl.KyLabel", QAccessible::StaticText}, Case{"KyComCtl.KyUpDown", QAccessible::SpinBox},
          Case{"KyComCtl.TlxInfoPanel", QAccessible::Grouping}, Case{"KyComCtl.KyMinimized", QAccessible::Graphic}}) {
        forms::ControlSite& site = host().add(QString::fromLatin1(c.prog_id), QStringLiteral("ctl%1").arg(c.role));
        expect_announced(*site.control(), c.role, c.prog_id);
    }
    frmInfo window;
    expect_announced(window, QAccessible::Dialog, "frmInfo");
    GeneralLabel label_page;
    expect_announced(label_page, QAccessible::PropertyPage, "GeneralLabel");
    GeneralUpDown up_down_page;
    expect_announced(up_down_page, QAccessible::PropertyPage, "GeneralUpDown");
}

} // namespace
