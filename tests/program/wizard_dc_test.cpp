// The wizard against the Samba domain controller of the test run, with the real collector:
// a logged-on user of the domain (a Kerberos ticket) walks to the domain list, which the
// network's enumeration fills, starts the run and sees the domain's counts in the results
// grid, with the run's lines in the session log.

#include "program/domain_list_page.h"
#include "program/frm_main.h"
#include "program/wizard_collector.h"

#include "platform/forms/command_button.h"
#include "platform/forms/control_site.h"
#include "platform/forms/flex_grid.h"
#include "platform/forms/list_view.h"
#include "platform/forms/user_control.h"
#include "tests/program/headless_process.h"
#include "tests/program/navigator_click.h"
#include "tests/support/dc_ticket.h"
#include "tests/support/forms/recording_message_box.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/server_env.h"
#include "tests/support/temp_registry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <gtest/gtest.h>

extern "C" HRESULT DllRegisterServer();

namespace {

TEST(WizardAgainstTheDc, TheDomainListedByTheNetworkIsCountedWithTheUsersTicket)
{
    OSTREL_REQUIRE_SAMBA_DC();
    std::string why;
    ASSERT_TRUE(ostrel::test::take_dc_ticket(why)) << why;
    forms::TestHost::ensure_application();
    ostrel::test::temp_registry registry;
    ASSERT_EQ(DllRegisterServer(), 0);
    const auto reg = program_test::run_program(QStringLiteral(OSTREL_REGSVR), {QStringLiteral(OSTREL_COLLECTOR_MODULE)},
                                               QProcessEnvironment::systemEnvironment(), 60000);
    ASSERT_EQ(reg.exit_code, 0) << reg.err.toStdString();
    forms::ScopedMessageBoxRecorder boxes;

    FrmMain form(CreateWizardCollector());
    form.Show(forms::vbModeless);
    program_test::click_navigator(form, "&Next >");
    program_test::click_navigator(form, "&Next >");
    ASSERT_EQ(form.CurrentPageName(), QStringLiteral("wtSelectDomains"));
    const QString domain = QString::fromStdString(ostrel::test::env("SAMBA_DC_REALM").value_or("TEST.LOCAL")).toLower();
    const forms::ListView& list = form.domains()->lstDomainsList();
    ASSERT_GE(list.FindItem(domain), 1) << "the enumeration did not list " << domain.toStdString();

    program_test::click_navigator(form, "&Next >");
    QElapsedTimer waited;
    waited.start();
    while (form.CurrentPageName() != QStringLiteral("wtChooseOutput") && waited.elapsed() < 120000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_EQ(form.CurrentPageName(), QStringLiteral("wtChooseOutput")) << form.Log().toStdString();

    auto* grid = static_cast<forms::FlexGrid*>(form.intrinsic(QStringLiteral("fxgOutResults")));
    int users_column = -1;
    for (int col = 0; col < grid->Cols(); ++col)
        if (grid->TextMatrix(0, col) == QStringLiteral("Users"))
            users_column = col;
    ASSERT_GE(users_column, 0);
    int row = -1;
    for (int r = 1; r < grid->Rows(); ++r)
        if (grid->TextMatrix(r, 0).compare(domain, Qt::CaseInsensitive) == 0)
            row = r;
    ASSERT_GE(row, 1) << form.Log().toStdString();
    EXPECT_EQ(grid->TextMatrix(row, users_column).toInt(), ostrel::test::dc_count("COUNT_USER"));
    EXPECT_TRUE(form.Log().contains(QStringLiteral(" inspected successfully."))) << form.Log().toStdString();
    EXPECT_TRUE(boxes->boxes.empty());
}

} // namespace
