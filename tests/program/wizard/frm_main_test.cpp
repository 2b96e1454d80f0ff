// The wizard's main form in-process: the pages' flow as a user walks it (the Exchange 5.5
// redirect, the domain list filled once, runs that start only from a list page, Back from
// the results to the list of the mode, Cancel and the close box reaching the collector's
// Cancel), the texts LocalizeForm puts in by number, the window close during a run, the Tab
// walk and the labels' access keys of every page, and a picture of every page (what a screen
// reader reads is program_accessibility_xvfb_test's). The collector is a stand-in that records
// what the form asks of it and raises its events when the test says.

#include "program/report/program_strings.h"
#include "program/report/resources.h"
#include "program/wizard/control_dispatch.h"
#include "program/wizard/domain_list_page.h"
#include "program/wizard/frm_add_domain.h"
#include "program/wizard/frm_main.h"
#include "program/wizard/server_list_page.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/intrinsics/flex_grid.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/intrinsics/intrinsic_control.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/intrinsics/option_button.h"
#include "platform/forms/core/property_bag.h"
#include "platform/forms/core/std_picture.h"
#include "platform/forms/hosting/user_control.h"
#include "tests/program/client/info_fakes.h"
#include "tests/program/wizard/navigator_click.h"
#include "tests/support/forms/recording_message_box.h"
#include "tests/support/forms/tab_walk.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/temp_registry.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>

#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

extern "C" HRESULT DllRegisterServer();

namespace {

class FakeCollector final : public program::WizardCollector {
public:
    void Advise(DomainCollectedHandler domainCollected, CollectionCompletedHandler completed) override
    {
        m_domainCollected = std::move(domainCollected);
        m_completed = std::move(completed);
    }
    QStringList EnumerateNetwork() override
    {
        calls.push_back("enumerate");
        return domains;
    }
    void Collect(const QStringList& names, std::int32_t mask) override
    {
        calls.push_back("collect " + names.join(u',').toStdString() + " " + std::to_string(mask));
        m_names = names;
    }
    // With the real collector a Cancel while one of its events is being handled never
    // returns: the worker waits for the handler.
    void Cancel() override { calls.push_back(m_raising ? "cancel while raising an event" : "cancel"); }

    bool attached() const { return static_cast<bool>(m_completed); }
    // The end of the run, as the collector reports it (also after a cancel).
    void complete()
    {
        if (!m_completed)
            return;
        std::vector<CComPtr<IOstrelInfo>> entries;
        for (const QString& name : m_names)
            entries.push_back(program_test::info::make(name, QString(), {{oxcUser, 12}, {oxcDC, 1}}));
        const auto results = program_test::infos::make(std::move(entries));
        m_raising = true;
        m_completed(results, QString());
        m_raising = false;
    }
    std::vector<std::string> take() { return std::exchange(calls, {}); }

    QStringList domains{QStringLiteral("corp.example"), QStringLiteral("lab.example")};
    std::vector<std::string> calls;

private:
    DomainCollectedHandler m_domainCollected;
    CollectionCompletedHandler m_completed;
    bool m_raising = false;
    QStringList m_names;
};

class FrmMainTest : public ::testing::Test {
public:
    void SetUp() override
    {
        forms::TestHost::ensure_application();
        ASSERT_EQ(DllRegisterServer(), 0);
        collector = std::make_shared<FakeCollector>();
        form = std::make_unique<program::FrmMain>(collector);
        form->Show(forms::vbModeless);
        QApplication::processEvents();
    }
    void TearDown() override { form.reset(); }

    void click(const char* caption) { program_test::click_navigator(*form, caption); }
    void choose(const char* option)
    {
        static_cast<forms::OptionButton*>(form->intrinsic(QLatin1String(option)))->setValue(true);
    }
    QString text_of(const char* target, const char* property)
    {
        QObject* object = form->site(QLatin1String(target));
        if (object == nullptr)
            object = form->intrinsic(QLatin1String(target));
        return forms::get(object, QLatin1String(property)).toString();
    }
    // A server typed into the server page's list, as its Add dialog leaves it.
    void add_server(const char* name)
    {
        form->servers()->lstOrgs().Add(QLatin1String(name), QStringLiteral("2"));
        form->servers()->UpdateServersNextButton();
    }
    static bool focus_in(const QWidget* control)
    {
        const QWidget* focus = QApplication::focusWidget();
        return focus != nullptr && (focus == control || control->isAncestorOf(focus));
    }
    bool next_enabled() { return forms::get(form->navigator(), QStringLiteral("RightMiddleButtonEnabled")).toBool(); }

    ostrel::test::temp_registry registry;
    forms::ScopedMessageBoxRecorder boxes;
    std::shared_ptr<FakeCollector> collector;
    std::unique_ptr<program::FrmMain> form;
};

TEST_F(FrmMainTest, ThePageFlowAsAUserWalksIt)
{
    const std::string network = std::to_string(oxcNetwork);
    const std::string exchange = std::to_string(oxcExchange5);
    struct Row {
        const char* what;
        std::function<void(FrmMainTest&)> act;
        const char* page;
        std::vector<std::string> collector;
    };
    auto next = [](FrmMainTest& t) { t.click("&Next >"); };
    auto back = [](FrmMainTest& t) { t.click("< &Back"); };
    auto choose_then_next = [](const char* option) {
        return [option](FrmMainTest& t) {
            t.choose(option);
            t.click("&Next >");
        };
    };
    const Row rows[] = {
        {"welcome, Next", next, "wtSelectOption", {}},
        {"option (network), Next: the list is filled from the network", next, "wtSelectDomains", {"enumerate"}},
        {"domain list, Back", back, "wtSelectOption", {}},
        {"option, Next again: the list was filled once", next, "wtSelectDomains", {}},
        {"domain list, Next: a run over the ticked domains",
         next,
         "wtProcessing",
         {"collect corp.example,lab.example " + network}},
        {"processing, Back: the run is cancelled", back, "wtSelectDomains", {"cancel"}},
        {"untick one, Next: a run over the one ticked",
         [](FrmMainTest& t) {
             t.form->domains()->lstDomainsList().setChecked(1, false);
             t.click("&Next >");
         },
         "wtProcessing",
         {"collect lab.example " + network}},
        {"the end of the run moves to the results",
         [](FrmMainTest& t) { t.collector->complete(); },
         "wtChooseOutput",
         {}},
        {"results, Next", next, "wtFinish", {}},
        {"finish, Back: the results again, no run", back, "wtChooseOutput", {}},
        {"results, Back: the domain list, nothing reset", back, "wtSelectDomains", {}},
        {"domain list, Back", back, "wtSelectOption", {}},
        {"option (Exchange 5.5), Next: the server page instead",
         choose_then_next("optExchange5"),
         "wtSelectOrganizations",
         {}},
        {"server page without servers, Next: disabled", next, "wtSelectOrganizations", {}},
        {"a server added, Next: a run over the servers",
         [](FrmMainTest& t) {
             t.form->servers()->lstOrgs().Add(QStringLiteral("srv1"), QStringLiteral("2"));
             t.form->servers()->UpdateServersNextButton();
             t.click("&Next >");
         },
         "wtProcessing",
         {"collect srv1 " + exchange}},
        {"processing, Back: cancelled, back to the server page", back, "wtSelectOrganizations", {"cancel"}},
        {"server page, Next: a new run", next, "wtProcessing", {"collect srv1 " + exchange}},
        {"the end of the run", [](FrmMainTest& t) { t.collector->complete(); }, "wtChooseOutput", {}},
        {"results, Back: the server page in Exchange 5.5 mode", back, "wtSelectOrganizations", {}},
        {"server page, Back", back, "wtSelectOption", {}},
        {"option (network) again, Next: the domain list keeps its items",
         choose_then_next("optNetwork"),
         "wtSelectDomains",
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.act(*this);
        EXPECT_EQ(form->CurrentPageName().toStdString(), row.page);
        EXPECT_EQ(collector->take(), row.collector);
    }
    EXPECT_EQ(form->domains()->lstDomainsList().Count(), 2);
    EXPECT_EQ(form->servers()->lstOrgs().Count(), 1);
    EXPECT_TRUE(boxes->boxes.empty()) << (boxes->boxes.empty() ? "" : boxes->boxes.front().prompt.toStdString());
}

TEST_F(FrmMainTest, TheResultsDescriptionFollowsTheModeReadEachTime)
{
    for (const bool exchange : {false, true}) {
        SCOPED_TRACE(exchange);
        click("&Next >");
        choose(exchange ? "optExchange5" : "optNetwork");
        if (exchange)
            form->servers()->lstOrgs().Add(QStringLiteral("srv1"), QStringLiteral("2"));
        click("&Next >");
        if (exchange)
            form->servers()->UpdateServersNextButton();
        click("&Next >");
        collector->complete();
        ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtChooseOutput"));
        EXPECT_EQ(text_of("wtChooseOutput", "BannerDescription"),
                  program::load_res_string(exchange ? program::IDS_RESULTS_DESCRIPTION_EXCHANGE5
                                                    : program::IDS_RESULTS_DESCRIPTION));
        click("< &Back");
        click("< &Back");
        click("< &Back");
    }
}

TEST_F(FrmMainTest, CancelOnAnyPageReachesTheCollectorAndEndsTheWizard)
{
    for (int pages_forward = 0; pages_forward < 4; ++pages_forward) {
        SCOPED_TRACE(pages_forward);
        if (!form) {
            form = std::make_unique<program::FrmMain>(collector);
            form->Show(forms::vbModeless);
        }
        for (int i = 0; i < pages_forward; ++i)
            click("&Next >");
        collector->take();
        click("Cancel");
        EXPECT_EQ(collector->take(), std::vector<std::string>{"cancel"});
        EXPECT_FALSE(form->loaded());
        EXPECT_FALSE(collector->attached());
        form.reset();
    }
}

TEST_F(FrmMainTest, FinishEndsTheWizardWithoutACancel)
{
    for (int i = 0; i < 3; ++i)
        click("&Next >");
    collector->complete();
    click("&Next >");
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtFinish"));
    collector->take();
    click("&Finish");
    QApplication::processEvents();
    EXPECT_FALSE(form->loaded());
    EXPECT_FALSE(form->addDialog().loaded());
    EXPECT_FALSE(collector->attached());
    EXPECT_EQ(collector->take(), std::vector<std::string>{});
}

// Results that were neither saved, copied nor printed live only in the wizard: Cancel and the
// close box ask first (Yes and No, No the default and kept), once the report was copied they do
// not ask, and Finish never asks.
TEST_F(FrmMainTest, LeavingUnhandedResultsAsksFirstAndNoKeepsThem)
{
    struct Row {
        const char* what;
        bool copy_first;
        std::function<void(FrmMainTest&)> leave;
        std::vector<int> answers; // the user's answers, in order; none: the default
        bool asked;
        bool left;
    };
    const auto cancel = [](FrmMainTest& t) { t.click("Cancel"); };
    const auto close_box = [](FrmMainTest& t) { t.form->close(); };
    const auto finish = [](FrmMainTest& t) {
        t.click("&Next >");
        t.click("&Finish");
    };
    const Row rows[] = {
        {"Cancel, No (the default)", false, cancel, {}, true, false},
        {"Cancel, Yes", false, cancel, {forms::vbYes}, true, true},
        {"close box, No", false, close_box, {forms::vbNo}, true, false},
        {"close box, Yes", false, close_box, {forms::vbYes}, true, true},
        {"Cancel after Copy", true, cancel, {}, false, true},
        {"Finish", false, finish, {}, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        [&] { // an ASSERT ends this row only
            form.reset();
            form = std::make_unique<program::FrmMain>(collector);
            form->Show(forms::vbModeless);
            QApplication::processEvents();
            for (int i = 0; i < 3; ++i)
                click("&Next >");
            collector->complete();
            ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtChooseOutput"));
            if (row.copy_first)
                QTest::mouseClick(form->intrinsic(QStringLiteral("cmdChooseOutput"), 0), Qt::LeftButton);
            boxes->boxes.clear();
            for (const int answer : row.answers)
                boxes->answer_next(answer);
            row.leave(*this);
            QApplication::processEvents();
            ASSERT_EQ(boxes->boxes.size(), row.asked ? 1u : 0u);
            if (row.asked) {
                EXPECT_EQ(boxes->boxes[0].prompt, program::load_res_string(program::IDS_RESULTS_NOT_HANDED_OUT));
                EXPECT_EQ(boxes->boxes[0].style, forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2);
                EXPECT_EQ(boxes->boxes[0].title, forms::application_title()) << "titled as the program's other boxes";
            }
            EXPECT_EQ(form->loaded(), !row.left);
            if (!row.left) {
                EXPECT_EQ(form->CurrentPageName(), QStringLiteral("wtChooseOutput")) << "the results stay";
            }
            collector->take();
        }();
    }
}

// The wizard with every step of its binding of the controls recorded.
class FrmMainBindingTest : public FrmMainTest {
public:
    void SetUp() override
    {
        previous = program::set_dispatch_trace([this](const program::DispatchStep& step) { steps.push_back(step); });
        FrmMainTest::SetUp();
    }
    void TearDown() override
    {
        FrmMainTest::TearDown();
        program::set_dispatch_trace(previous);
    }
    int count(program::DispatchStep::Kind kind, const char* member, DISPID id, WORD flags = 0) const
    {
        return static_cast<int>(std::count_if(steps.begin(), steps.end(), [&](const program::DispatchStep& s) {
            return s.kind == kind && s.member == QLatin1String(member) && s.id == id && s.flags == flags;
        }));
    }

    program::DispatchTrace previous;
    std::vector<program::DispatchStep> steps;
};

TEST_F(FrmMainBindingTest, TheProgramCallsTheWizardControlsByTheirDispids)
{
    // Through the Exchange 5.5 redirect (the registry's seventh page, moved to from a handler),
    // a run, the results and Finish.
    click("&Next >");
    choose("optExchange5");
    click("&Next >");
    add_server("srv1");
    click("&Next >");
    collector->complete();
    click("&Next >");
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtFinish"));
    click("&Finish");
    EXPECT_FALSE(form->loaded()) << "FinishClick reached the program through its DISPID";

    using Kind = program::DispatchStep::Kind;
    const struct {
        const char* member;
        DISPID id;
        WORD flags;
    } invoked[] = {
        {"WizardPages", 0x68030056, DISPATCH_PROPERTYGET},
        {"Item", DISPID_VALUE, DISPATCH_PROPERTYGET},
        {"Name", 0x6803000F, DISPATCH_PROPERTYGET},
        {"GoToNewPage", 0x60030068, DISPATCH_METHOD},
        {"RightMiddleButtonEnabled", 0x6803004E, DISPATCH_PROPERTYPUT},
        {"ImageWaterMark", 0x6803003A, DISPATCH_PROPERTYPUTREF},
        {"ImageBanner", 0x6803003C, DISPATCH_PROPERTYPUTREF},
        {"ImageWaterMarkBig", 0x68030039, DISPATCH_PROPERTYPUTREF},
        {"ImageBannerBig", 0x6803003B, DISPATCH_PROPERTYPUTREF},
        {"BannerTitle", 0x6803007B, DISPATCH_PROPERTYPUT},
        {"BannerDescription", 0x6803007E, DISPATCH_PROPERTYPUT},
        {"WatermarkTitle", 0x68030072, DISPATCH_PROPERTYPUT},
        {"WatermarkDescription", 0x68030078, DISPATCH_PROPERTYPUT},
        // The processing page's bar and panel.
        {"Value", 0x6803000F, DISPATCH_PROPERTYPUT},
        {"Max", 0x6803000D, DISPATCH_PROPERTYPUT},
        {"StepState", 0x68030024, DISPATCH_PROPERTYPUT},
    };
    for (const auto& m : invoked) {
        SCOPED_TRACE(m.member);
        EXPECT_GE(count(Kind::Invoke, m.member, m.id, m.flags), 1);
    }
    const struct {
        const char* event;
        DISPID id;
    } advised[] = {{"BeforePageChange", 1}, {"AfterPageChange", 2}, {"FinishClick", 3}, {"CancelClick", 4}};
    for (const auto& e : advised) {
        SCOPED_TRACE(e.event);
        EXPECT_EQ(count(Kind::Advise, e.event, e.id), 1);
    }
    // The page proxies' names were read at every page change, by the one DISPID.
    EXPECT_GT(count(Kind::Invoke, "Name", 0x6803000F, DISPATCH_PROPERTYGET), 5);
}

TEST_F(FrmMainTest, ClosingTheWindowDuringARunDetachesAtOnceAndCancelsTheRun)
{
    click("&Next >");
    click("&Next >");
    click("&Next >");
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtProcessing"));
    collector->take();

    EXPECT_TRUE(form->close());
    // From the close on no event of the collector reaches the form; the run is cancelled
    // from the event loop, not from inside the close handler.
    EXPECT_FALSE(collector->attached());
    EXPECT_FALSE(form->loaded());
    collector->complete();
    QApplication::processEvents();
    EXPECT_EQ(collector->take(), std::vector<std::string>{"cancel"});
}

TEST_F(FrmMainTest, AWindowClosedWhileTheCollectorsEventIsHandledGoesOnlyAfterTheHandler)
{
    click("&Next >");
    click("&Next >");
    click("&Next >");
    collector->take();
    // The user closes the window while the end of the run is being handled (a handler that
    // lets the window's messages run, as the progress display does): the handler finishes
    // on the form's controls, and only then do the run's cancel and the form's unload follow.
    bool closing_handled = false;
    // The results are not saved: the close box asks first, and the user says Yes.
    boxes->answer_next(forms::vbYes);
    forms::connect_event(form->navigator(), QStringLiteral("AfterPageChange"), form.get(), [&](QVariantList&) {
        if (!closing_handled) {
            closing_handled = true;
            form->close();
            QApplication::processEvents();
            EXPECT_TRUE(form->loaded());
            EXPECT_FALSE(collector->attached());
        }
    });
    collector->complete();
    EXPECT_TRUE(closing_handled);
    EXPECT_EQ(form->intrinsic(QStringLiteral("lblErrors"))->property("Caption").toString(),
              QStringLiteral("0 error(s) detected."));
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_FALSE(form->loaded());
    EXPECT_EQ(collector->take(), std::vector<std::string>{"cancel"});
}

TEST_F(FrmMainTest, TheWelcomePageHandsItsFocusToTheNavigator)
{
    form->activateWindow();
    QWidget* welcome = form->site(QStringLiteral("wtWelcome"))->control();
    welcome->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    const QWidget* nav = static_cast<forms::ControlSite*>(form->navigator())->control();
    EXPECT_TRUE(focus == nav || nav->isAncestorOf(focus)) << focus->metaObject()->className();
}

// A run driven by Return alone: Return on the results page never ends the program; the focus
// rests on the results, not on Cancel where the disabled Next left it.
TEST_F(FrmMainTest, ReturnOnTheResultsPageKeepsTheWizardAndItsResults)
{
    form->activateWindow();
    QApplication::processEvents();
    auto press_return = [] {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QTest::keyClick(focus, Qt::Key_Return);
        QApplication::processEvents();
    };
    for (const char* page : {"wtSelectOption", "wtSelectDomains", "wtProcessing"}) {
        press_return();
        ASSERT_EQ(form->CurrentPageName(), QLatin1String(page));
    }
    // The processing page disabled Next: the focus rests on the progress display, not on Cancel,
    // so a second Return neither cancels the run nor ends the program.
    const QWidget* nav = static_cast<forms::ControlSite*>(form->navigator())->control();
    const QWidget* progress = form->site(QStringLiteral("piProgressInfo"))->control();
    EXPECT_TRUE(focus_in(progress));
    collector->take();
    press_return();
    EXPECT_TRUE(form->loaded());
    EXPECT_EQ(form->CurrentPageName(), QStringLiteral("wtProcessing"));
    EXPECT_EQ(collector->take(), std::vector<std::string>{});
    EXPECT_FALSE(nav->isAncestorOf(QApplication::focusWidget()));
    collector->complete();
    QApplication::processEvents();
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtChooseOutput"));
    QWidget* grid = form->intrinsic(QStringLiteral("fxgOutResults"));
    ASSERT_NE(grid, nullptr);
    QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == grid || grid->isAncestorOf(focus)) << (focus ? focus->metaObject()->className() : "none");
    EXPECT_TRUE(forms::save_picture(*form, "wizard_results_focus"));
    press_return();
    EXPECT_TRUE(form->loaded());
    EXPECT_NE(form->CurrentPageName(), QString());
}

// The results page as a person reads it: the grid scrolled sideways by clicks on its scroll
// bar keeps the names and the titles, the focus shows in it, and Tab goes on to Copy.
TEST_F(FrmMainTest, TheResultsGridScrollsUnderItsTitlesAndTabLeavesItForTheOutputButtons)
{
    form->activateWindow();
    for (int i = 0; i < 3; ++i)
        click("&Next >");
    collector->complete();
    QApplication::processEvents();
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtChooseOutput"));
    auto* grid = static_cast<forms::FlexGrid*>(form->intrinsic(QStringLiteral("fxgOutResults")));
    ASSERT_TRUE(focus_in(grid));
    QScrollBar* bar = grid->view()->horizontalScrollBar();
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                          QPoint(bar->width() - bar->height() - 4, bar->height() / 2));
    QApplication::processEvents();
    EXPECT_GT(bar->value(), 0);
    EXPECT_TRUE(forms::save_picture(*form, "wizard_results_scrolled"));
    // End: the last count of the row, scrolled to, with the focus on it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    QApplication::processEvents();
    EXPECT_EQ(grid->view()->currentColumn(), grid->Cols() - 1);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(forms::save_picture(*form, "wizard_results_scrolled_focus"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(focus_in(form->intrinsic(QStringLiteral("cmdChooseOutput"), 0)))
        << QApplication::focusWidget()->metaObject()->className();
}

// No domain found: the empty list disables Next as the page opens, and the focus the person
// left on Next rests on the list, where the next Return ends nothing.
TEST_F(FrmMainTest, ReturnOnAnEmptyDomainListKeepsTheWizard)
{
    form.reset();
    collector->domains.clear();
    form = std::make_unique<program::FrmMain>(collector);
    form->Show(forms::vbModeless);
    form->activateWindow();
    QApplication::processEvents();
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtSelectDomains"));
    ASSERT_FALSE(next_enabled());
    QWidget* list = form->intrinsic(QStringLiteral("lstDomainsList"));
    ASSERT_TRUE(focus_in(list));
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents();
    }
    EXPECT_TRUE(form->loaded());
    EXPECT_EQ(form->CurrentPageName(), QStringLiteral("wtSelectDomains"));
}

// Tab on each page of the program's form reaches only what shows there and takes focus, in
// the order of the controls' TabIndex, then the navigator's buttons.
TEST_F(FrmMainTest, TabWalksOnlyTheVisibleFocusableControlsInTabIndexOrder)
{
    form->activateWindow();
    QApplication::processEvents();
    struct Row {
        const char* page;
        std::vector<std::string> stops;
        std::function<void(FrmMainTest&)> then;
    };
    auto next = [](FrmMainTest& t) { t.click("&Next >"); };
    const Row rows[] = {
        {"wtWelcome", {"Next >", "Cancel"}, next},
        {"wtSelectOption",
         {"Next >", "Cancel", "Windows network and Exchange 2000 (or higher) information", "< Back"},
         next},
        {"wtSelectDomains",
         {"Next >", "Cancel", "Domains", "Add Domain...", "Select All", "Clear All", "< Back"},
         next},
        // Next is disabled here, so the focus rests on the progress display, which is no Tab stop.
        {"wtProcessing",
         {"Please wait while the wizard performs the following operations:", "< Back", "Cancel"},
         [](FrmMainTest& t) { t.collector->complete(); }},
        {"wtChooseOutput",
         {"Statistics for successfully inspected items", "Copy", "Print...", "Save...", "View Log", "< Back", "Next >",
          "Cancel"},
         next},
        {"wtFinish", {"Finish", "< Back"}, next},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.page);
        ASSERT_EQ(form->CurrentPageName(), QLatin1String(row.page));
        EXPECT_EQ(forms::tab_walk(*form), row.stops);
        row.then(*this);
    }
}

// Alt and a label's access key on a page move the focus from the navigator's Back button to
// the list or grid the label names.
TEST_F(FrmMainTest, ALabelsAccessKeyFocusesTheControlItNames)
{
    form->activateWindow();
    auto alt_from_back = [this](Qt::Key letter, const char* named) {
        for (auto* b :
             static_cast<forms::ControlSite*>(form->navigator())->control()->findChildren<forms::CommandButton*>())
            if (b->Caption() == QStringLiteral("< &Back"))
                b->setFocus(Qt::OtherFocusReason);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        ASSERT_STREQ(QApplication::focusWidget()->metaObject()->className(), "forms::CommandButton");
        QTest::keyClick(form.get(), letter, Qt::AltModifier);
        QWidget* target = form->intrinsic(QLatin1String(named));
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus != nullptr && (focus == target || target->isAncestorOf(focus))) << named;
    };
    click("&Next >");
    click("&Next >");
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtSelectDomains"));
    alt_from_back(Qt::Key_D, "lstDomainsList");
    click("&Next >");
    collector->complete();
    QApplication::processEvents();
    ASSERT_EQ(form->CurrentPageName(), QStringLiteral("wtChooseOutput"));
    alt_from_back(Qt::Key_T, "fxgOutResults");
}

TEST_F(FrmMainTest, LocalizeFormPutsInTheTextsByNumber)
{
    struct Text {
        const char* target;
        const char* property;
        int string;
    };
    const Text texts[] = {
        {"wtWelcome", "WatermarkTitle", program::IDS_WELCOME_TITLE},
        {"wtWelcome", "WatermarkDescription", program::IDS_WELCOME_TEXT},
        {"wtSelectOption", "BannerDescription", program::IDS_SELECT_OPTION_DESCRIPTION},
        {"wtSelectOption", "BannerTitle", program::IDS_SELECT_OPTION_TITLE},
        {"optExchange5", "Caption", program::IDS_OPTION_EXCHANGE5},
        {"optNetwork", "Caption", program::IDS_OPTION_NETWORK},
        {"lblCollectOptions", "Caption", program::IDS_COLLECT_OPTIONS_LABEL},
        {"wtSelectDomains", "BannerDescription", program::IDS_SELECT_DOMAINS_DESCRIPTION},
        {"wtSelectDomains", "BannerTitle", program::IDS_SELECT_DOMAINS_TITLE},
        {"wtSelectOrganizations", "BannerDescription", program::IDS_SELECT_ORGANIZATIONS_DESCRIPTION},
        {"wtSelectOrganizations", "BannerTitle", program::IDS_SELECT_ORGANIZATIONS_TITLE},
        {"wtChooseOutput", "BannerTitle", program::IDS_RESULTS_TITLE},
        {"wtChooseOutput", "BannerDescription", program::IDS_RESULTS_DESCRIPTION},
        {"wtFinish", "WatermarkTitle", program::IDS_FINISH_TITLE},
        {"wtFinish", "WatermarkDescription", program::IDS_FINISH_TEXT},
        {"piProgressInfo", "Description", program::IDS_PROGRESS_DESCRIPTION},
    };
    for (const Text& t : texts) {
        SCOPED_TRACE(std::string(t.target) + "." + t.property);
        EXPECT_EQ(text_of(t.target, t.property), program::Resources::Shared().LoadString(t.string));
        EXPECT_FALSE(text_of(t.target, t.property).startsWith(QStringLiteral("RES")));
    }
    EXPECT_EQ(form->Caption(), program::Resources::Shared().LoadString(program::IDS_WIZARD_CAPTION));
    EXPECT_FALSE(form->Icon().isNull());
    for (const char* picture : {"ImageWaterMark", "ImageBanner", "ImageWaterMarkBig", "ImageBannerBig"}) {
        SCOPED_TRACE(picture);
        [&] { // an ASSERT ends this row only
            const auto ref = forms::get(form->navigator(), QLatin1String(picture)).value<forms::PictureRef>();
            ASSERT_TRUE(ref) << picture;
            EXPECT_FALSE(ref->image().isNull()) << picture;
        }();
    }
    EXPECT_EQ(text_of("wtFinish", "WatermarkRule"), QStringLiteral("To close the wizard, click Finish."));
    EXPECT_TRUE(static_cast<forms::OptionButton*>(form->intrinsic(QStringLiteral("optNetwork")))->Value());
}

TEST(FrmMainFormFile, ThePagesAndTheNavigatorAsStored)
{
    const forms::FormData data = forms::FormFile::parse(program::FrmMain::FormFileText());
    auto stored = [&](const char* name) -> const forms::PropertyBag& {
        for (const forms::FormControlData& c : data.controls)
            if (c.name == QLatin1String(name))
                return c.properties;
        ADD_FAILURE() << "no control " << name;
        return data.properties;
    };
    // Keys, as the page stores them, and the value (a missing key reads its default).
    struct Page {
        const char* name;
        const char* settings;
    };
    const Page pages[] = {
        {"wtWelcome", "1 0 2 mode 0 state 1 own Cancel/0/0 RMB 1 RB -/3 default 3 cancel 4"},
        {"wtSelectOption", "2 1 3 mode 1 state 0 navigator's"},
        {"wtSelectDomains", "3 2 4 mode 1 state 0 own Cancel/0/0 RMB 1 RB -/3 default 3 cancel 4"},
        {"wtProcessing", "4 3 5 mode 1 state 0 own Cancel/0/0 RMB 0 RB -/3 default 3 cancel 4"},
        {"wtChooseOutput", "5 3 6 mode 1 state 0 own Cancel/0/0 RMB 1 RB -/3 default 3 cancel 4"},
        {"wtFinish", "6 5 0 mode 2 state 0 own Cancel/0/0 visible RMB 0 RB &Finish/6 default 4 cancel 1"},
        {"wtSelectOrganizations", "7 2 4 mode 1 state 0 navigator's"},
    };
    for (const Page& p : pages) {
        const forms::PropertyBag& bag = stored(p.name);
        auto n = [&](const char* key, int fallback) {
            return QString::number(bag.ReadProperty(QLatin1String(key), fallback).toInt());
        };
        QString text = n("PageIndex", 1) + u' ' + n("PageBack", 0) + u' ' + n("PageNext", 0) +
                       QStringLiteral(" mode ") + n("PageMode", 1) + QStringLiteral(" state ") + n("PageState", 0);
        if (bag.ReadProperty(QStringLiteral("UseDefaultButtonSet"), true).toBool()) {
            text += QStringLiteral(" navigator's");
        } else {
            text += QStringLiteral(" own ") + bag.ReadProperty(QStringLiteral("LBCaption"), QString()).toString() +
                    u'/' + QString::number(bag.ReadProperty(QStringLiteral("LBEnabled"), true).toBool() ? 1 : 0) +
                    u'/' + n("LBRule", -1);
            if (bag.ReadProperty(QStringLiteral("LBVisible"), false).toBool())
                text += QStringLiteral(" visible");
            text += QStringLiteral(" RMB ") +
                    QString::number(bag.ReadProperty(QStringLiteral("RMBEnabled"), true).toBool() ? 1 : 0) +
                    QStringLiteral(" RB ") +
                    bag.ReadProperty(QStringLiteral("RBCaption"), QStringLiteral("-")).toString() + u'/' +
                    n("RBRule", 3) + QStringLiteral(" default ") + n("DefaultButton", 0) + QStringLiteral(" cancel ") +
                    n("CancelButton", 0);
        }
        EXPECT_EQ(text.toStdString(), p.settings) << p.name;
    }
    const forms::PropertyBag& nav = stored("KyWizardNavigator1");
    EXPECT_EQ(nav.ReadProperty(QStringLiteral("ButtonGapRight"), 0).toInt(), 300);
    EXPECT_EQ(nav.ReadProperty(QStringLiteral("WizardSizeMode"), 0).toInt(), 1); // kyUser
    EXPECT_EQ(nav.ReadProperty(QStringLiteral("ParentWidth"), 0).toInt(), 7512);
    EXPECT_EQ(nav.ReadProperty(QStringLiteral("ParentHeight"), 0).toInt(), 5676);
    EXPECT_EQ(nav.ReadProperty(QStringLiteral("DefaultButton"), -1).toInt(), 0);
    // Every text replaced at load carries its string number.
    const QString text = program::FrmMain::FormFileText();
    for (int number : {101, 102, 103, 104, 107, 108, 112, 113, 127, 131, 149, 150, 151, 152, 153, 154, 155})
        EXPECT_TRUE(text.contains(QStringLiteral("\"RES%1:").arg(number))) << number;
}

TEST_F(FrmMainTest, PicturesOfEveryPage)
{
    auto save = [this](const char* name) {
        QApplication::processEvents();
        EXPECT_TRUE(forms::save_picture(*form, std::string("wizard_") + name)) << name;
    };
    save("1_welcome");
    click("&Next >");
    save("2_options");
    click("&Next >");
    save("3_domains");
    click("&Next >");
    save("4_processing");
    collector->complete();
    save("5_results");
    click("&Next >");
    save("6_finish");
    click("< &Back");
    click("< &Back");
    click("< &Back");
    choose("optExchange5");
    click("&Next >");
    add_server("mail1.corp.example");
    save("7_servers");
}

} // namespace
