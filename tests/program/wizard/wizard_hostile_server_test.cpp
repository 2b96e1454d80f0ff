// The wizard in-process with the real collector, in Exchange 5.5 mode, against a directory
// server of our own that names its organisation with hostile texts (tests/fixtures/hostile-ldap
// on 127.0.0.74): CR LF and a "[Total]" line in the name, and the name "Total" itself. The
// report Save writes holds one Total section and no line of the server's, and no line of the
// session log starts a section.

#include "program/client/wizard_collector.h"
#include "program/wizard/frm_add_domain.h"
#include "program/wizard/frm_main.h"
#include "program/wizard/server_list_page.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/services/common_dialog.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/program/report_lines.h"
#include "tests/program/wizard/navigator_click.h"
#include "tests/program/wizard/register_collector.h"
#include "tests/support/forms/recording_message_box.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"
#include "tests/support/hostile_ldap_server.h"
#include "tests/support/temp_registry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace {

using ostrel::test::hostile_ldap_server;
using program_test::lines_starting;

struct organisation_case {
    const char* what;
    const char* organization;
    QString section; // the organisation's section line in the saved report
};

TEST(WizardHostileServer, SaveWritesOneTotalSectionWhateverTheServerNamesItsOrganisation)
{
    // No ticket: the bind without credentials stays anonymous and asks no key distribution centre.
    setenv("KRB5CCNAME", "MEMORY:ostrel-no-ticket", 1);
    forms::TestHost::ensure_application();
    ostrel::test::temp_registry registry;
    program_test::register_controls_and_collector();
    ASSERT_FALSE(::testing::Test::HasFatalFailure());
    forms::ScopedMessageBoxRecorder boxes;

    const organisation_case cases[] = {
        {"forged lines", "x\r\n[Total]\r\nUsers=999999",
         QStringLiteral("[x\u240D\u240A[Total\uFF3D\u240D\u240AUsers=999999]")},
        {"named Total", "Total", QStringLiteral("[Total(1)]")},
    };
    for (const organisation_case& c : cases) {
        SCOPED_TRACE(c.what);
        [&] { // an ASSERT ends this row only
            hostile_ldap_server::options how;
            how.mode = "directory";
            how.address = "127.0.0.74";
            how.organization = c.organization;
            std::string error;
            const auto server = hostile_ldap_server::start(how, error);
            ASSERT_TRUE(server) << error;

            program::FrmMain form(program::CreateWizardCollector());
            form.Show(forms::vbModeless);
            program_test::click_navigator(form, "&Next >");
            window_input::click(*form.intrinsic(QStringLiteral("optExchange5")));
            program_test::click_navigator(form, "&Next >");
            ASSERT_EQ(form.CurrentPageName(), QStringLiteral("wtSelectOrganizations"));

            // The server typed into the input dialog and confirmed with OK.
            const QString host = QString::fromStdString(server->host_port());
            program::FrmAddDomain& dialog = form.addDialog();
            QTimer::singleShot(0, &dialog, [&dialog, host] {
                window_input::type(*dialog.txtDomainName().findChild<QLineEdit*>(), host);
                window_input::click(dialog.cmdCommand(0));
            });
            window_input::click(form.servers()->cmdAddOrg());
            ASSERT_GE(form.servers()->lstOrgs().FindItem(host), 1);

            program_test::click_navigator(form, "&Next >");
            QElapsedTimer waited;
            waited.start();
            while (form.CurrentPageName() != QStringLiteral("wtChooseOutput") && waited.elapsed() < 60000)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            ASSERT_EQ(form.CurrentPageName(), QStringLiteral("wtChooseOutput")) << form.Log().toStdString();

            QTemporaryDir dir;
            const QString path = dir.filePath(QStringLiteral("statistics.txt"));
            forms::set_file_dialog_service(
                [&](const forms::FileDialogRequest&) -> std::optional<QString> { return path; });
            auto* save = form.intrinsic(QStringLiteral("cmdChooseOutput"), 2);
            ASSERT_NE(save, nullptr);
            ASSERT_TRUE(save->Enabled());
            window_input::click(*save);
            forms::set_file_dialog_service({});
            QFile saved(path);
            ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << path.toStdString();
            const QString report = QString::fromUtf8(saved.readAll());

            EXPECT_EQ(lines_starting(report, QStringLiteral("[")), (QStringList{QStringLiteral("[Total]"), c.section}))
                << report.toStdString();
            EXPECT_TRUE(lines_starting(report, QStringLiteral("Users=")).isEmpty()) << report.toStdString();
            const QString log = form.Log();
            EXPECT_TRUE(lines_starting(log, QStringLiteral("[")).isEmpty()) << log.toStdString();
            EXPECT_TRUE(lines_starting(log, QStringLiteral("Users=")).isEmpty()) << log.toStdString();
            EXPECT_TRUE(log.contains(QStringLiteral(" inspected successfully.\r\n"))) << log.toStdString();
        }();
    }
    EXPECT_TRUE(boxes->boxes.empty());
}

} // namespace
