// The wizard against the Samba domain controller of the test run, with the real collector:
// a logged-on user of the domain (a Kerberos ticket) walks to the domain list, which the
// network's enumeration fills, starts the run and sees the domain's counts in the results
// grid, with the run's lines in the session log; saves the report and finishes. And a run
// against names whose hosts never answer (loopback addresses where nothing listens), added
// through the input dialog: their failures in the log and on the results page.

#include "program/client/wizard_collector.h"
#include "program/wizard/domain_list_page.h"
#include "program/wizard/frm_add_domain.h"
#include "program/wizard/frm_main.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/services/common_dialog.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/flex_grid.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/hosting/user_control.h"
#include "tests/program/dc_report_counts.h"
#include "tests/program/headless_process.h"
#include "tests/program/wizard/navigator_click.h"
#include "tests/program/wizard/register_collector.h"
#include "tests/support/dc_ticket.h"
#include "tests/support/forms/recording_message_box.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/server_env.h"
#include "tests/support/temp_registry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

class WizardAgainstTheDc : public ::testing::Test {
protected:
    void SetUp() override
    {
        OSTREL_REQUIRE_SAMBA_DC();
        std::string why;
        ASSERT_TRUE(ostrel::test::take_dc_ticket(why)) << why;
        forms::TestHost::ensure_application();
        registry = std::make_unique<ostrel::test::temp_registry>();
        program_test::register_controls_and_collector();
        if (HasFatalFailure())
            return;
        boxes = std::make_unique<forms::ScopedMessageBoxRecorder>();
        form = std::make_unique<program::FrmMain>(program::CreateWizardCollector());
        form->Show(forms::vbModeless);
    }
    void TearDown() override { forms::set_file_dialog_service({}); }

    static QString realm()
    {
        return QString::fromStdString(ostrel::test::env("SAMBA_DC_REALM").value_or("TEST.LOCAL")).toLower();
    }
    // The picture of the wizard as it shows now, among the test's artefacts.
    void picture(const char* name) { EXPECT_TRUE(forms::save_picture(*form, name)) << name; }
    // Welcome, then the option page, then the domain list the network's enumeration filled.
    void walk_to_domains(const char* pictures)
    {
        picture((std::string(pictures) + "_1_welcome").c_str());
        program_test::click_navigator(*form, "&Next >");
        picture((std::string(pictures) + "_2_option").c_str());
        program_test::click_navigator(*form, "&Next >");
        ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtSelectDomains"));
    }
    // Next from the domain list: the processing page until the run moves on to the results.
    void run_to_results(const char* pictures)
    {
        program_test::click_navigator(*form, "&Next >");
        ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtProcessing"));
        picture((std::string(pictures) + "_4_processing").c_str());
        QElapsedTimer waited;
        waited.start();
        while (form->CurrentPageName() != QStringLiteral("wtChooseOutput") && waited.elapsed() < 120000)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtChooseOutput")) << form->Log().toStdString();
        picture((std::string(pictures) + "_5_results").c_str());
    }
    // The user's answer to the next input dialog: the name typed and confirmed with OK.
    void answer_add_dialog(const QString& name)
    {
        program::FrmAddDomain& dialog = form->addDialog();
        QTimer::singleShot(0, &dialog, [&dialog, name] {
            dialog.txtDomainName().setText(name);
            emit dialog.cmdCommand(0).Click();
        });
    }
    forms::FlexGrid& grid() const
    {
        return *static_cast<forms::FlexGrid*>(form->intrinsic(QStringLiteral("fxgOutResults")));
    }
    int column(const QString& title) const
    {
        for (int col = 0; col < grid().Cols(); ++col)
            if (grid().TextMatrix(0, col) == title)
                return col;
        return -1;
    }
    int row(const QString& name) const
    {
        for (int r = 1; r < grid().Rows(); ++r)
            if (grid().TextMatrix(r, 0).compare(name, Qt::CaseInsensitive) == 0)
                return r;
        return -1;
    }

    std::unique_ptr<ostrel::test::temp_registry> registry;
    std::unique_ptr<forms::ScopedMessageBoxRecorder> boxes;
    std::unique_ptr<program::FrmMain> form;
};

TEST_F(WizardAgainstTheDc, TheDomainListedByTheNetworkIsCountedWithTheUsersTicket)
{
    walk_to_domains("wizard_dc");
    const forms::ListView& list = form->domains()->lstDomainsList();
    ASSERT_GE(list.FindItem(realm()), 1) << "the enumeration did not list " << realm().toStdString();
    picture("wizard_dc_3_domains");

    run_to_results("wizard_dc");
    const int users_column = column(QStringLiteral("Users"));
    ASSERT_GE(users_column, 0);
    const int domain_row = row(realm());
    ASSERT_GE(domain_row, 1) << form->Log().toStdString();
    EXPECT_EQ(grid().TextMatrix(domain_row, users_column).toInt(), ostrel::test::dc_count("COUNT_USER"));
    EXPECT_TRUE(form->Log().contains(QStringLiteral(" inspected successfully."))) << form->Log().toStdString();
    EXPECT_TRUE((*boxes)->boxes.empty());
}

// As a user makes it: every cell of the domain's row and of the Total row is what the
// fixture counted; Save writes the report where the save dialog was answered; Next shows the
// last page and Finish ends the wizard, which ends the program (its event loop returns 0).
TEST_F(WizardAgainstTheDc, AUsersRunFromWelcomeToFinishCountsEveryKindAndSavesTheReport)
{
    walk_to_domains("wizard_e2e");
    ASSERT_GE(form->domains()->lstDomainsList().FindItem(realm()), 1);
    picture("wizard_e2e_3_domains");
    run_to_results("wizard_e2e");

    const int domain_row = row(realm());
    const int total_row = grid().Rows() - 1;
    ASSERT_GE(domain_row, 1) << form->Log().toStdString();
    ASSERT_GT(total_row, domain_row);
    for (const program_test::dc_report_count& e : program_test::kDcReportCounts) {
        SCOPED_TRACE(e.title);
        [&] { // an ASSERT ends this row only
            const int col = column(QString::fromUtf8(e.title));
            ASSERT_GE(col, 1) << e.title;
            const int count = program_test::expected_count(e);
            EXPECT_EQ(grid().TextMatrix(domain_row, col).toInt(), count) << e.title;
            EXPECT_EQ(grid().TextMatrix(total_row, col).toInt(), count) << e.title;
        }();
    }

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("statistics.txt"));
    int asked = 0;
    forms::set_file_dialog_service([&](const forms::FileDialogRequest& request) -> std::optional<QString> {
        ++asked;
        EXPECT_TRUE(request.save);
        return path;
    });
    auto* save = form->intrinsic(QStringLiteral("cmdChooseOutput"), 2);
    ASSERT_NE(save, nullptr);
    ASSERT_TRUE(save->Enabled());
    emit save->Click();
    EXPECT_EQ(asked, 1);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << path.toStdString();
    const QString report = QString::fromUtf8(saved.readAll());
    EXPECT_TRUE(report.contains(QStringLiteral("Users=") + QString::number(ostrel::test::dc_count("COUNT_USER"))))
        << report.toStdString();
    EXPECT_TRUE(report.endsWith(QStringLiteral("\r\n")));

    program_test::click_navigator(*form, "&Next >");
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtFinish"));
    picture("wizard_e2e_6_finish");
    // The program's own wiring: the form's unload ends its event loop.
    QEventLoop program;
    QObject::connect(form.get(), &forms::HostForm::Unload, &program, [&program](int& Cancel) {
        if (Cancel == 0)
            QMetaObject::invokeMethod(
                &program, [&program] { program.exit(0); }, Qt::QueuedConnection);
    });
    QTimer::singleShot(0, form.get(), [this] { program_test::click_navigator(*form, "&Finish"); });
    QTimer::singleShot(30000, &program, [&program] { program.exit(1); });
    EXPECT_EQ(program.exec(), 0);
    EXPECT_FALSE(form->loaded());
    EXPECT_TRUE((*boxes)->boxes.empty());
}

// Two names typed into the input dialog whose hosts never answer: nothing listens on these
// loopback addresses. The run ends, each failure is in the log, the results page counts two.
TEST_F(WizardAgainstTheDc, HostsThatNeverAnswerAreTwoErrorsInTheLogAndOnTheResultsPage)
{
    walk_to_domains("wizard_silent");
    program::DomainListPage& domains = *form->domains();
    emit domains.cmdSelectDeselect(1).Click(); // Clear All: the enumerated domain is not counted
    const QStringList silent{QStringLiteral("127.0.0.77"), QStringLiteral("127.0.0.78")};
    for (const QString& name : silent) {
        answer_add_dialog(name);
        emit domains.cmdAddDomain().Click();
        ASSERT_GE(domains.lstDomainsList().FindItem(name), 1) << name.toStdString();
    }
    picture("wizard_silent_3_domains");
    run_to_results("wizard_silent");

    const QString log = form->Log();
    for (const QString& name : silent)
        EXPECT_TRUE(log.contains(QStringLiteral(", Error:\tDomain ") + name + QStringLiteral(". \r\n")))
            << name.toStdString() << "\n"
            << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("With errors:\t2\r\n"))) << log.toStdString();
    auto* errors = form->intrinsic(QStringLiteral("lblErrors"));
    ASSERT_NE(errors, nullptr);
    EXPECT_EQ(errors->property("Caption").toString(), QStringLiteral("2 error(s) detected."));
    EXPECT_TRUE((*boxes)->boxes.empty());
}

} // namespace
