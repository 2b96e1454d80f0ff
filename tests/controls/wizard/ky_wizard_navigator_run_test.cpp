// The navigator at run time: a seven-page wizard loaded from a form file (links, own button
// sets and a minimized page as the statistics wizard stores them) walked by clicks and keys,
// with the host's BeforePageChange and AfterPageChange in order, cancels, redirects from
// inside BeforePageChange, Finish, errors, and the unload.

#include "tests/controls/wizard/navigator_fixture.h"

#include "platform/forms/hosting/do_events.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/core/vb_error.h"

#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QTest>

namespace {

// The wizard's pages as the statistics wizard stores them: links, mode and state, and the
// keys of their button sets (none: the navigator's default set). wtSelectOrganizations is the
// seventh page, reached from the option page in Exchange mode.
struct StoredPage {
    const char* name;
    int index, back, next;
    const char* keys;
};

// The own sets share a left button "Cancel" that is disabled and has no rule.
#define OWN_SET                                                                                                        \
    "UseDefaultButtonSet = Boolean False\nLBCaption = String \"Cancel\"\nLBEnabled = Boolean False\nLBRule = Long 0\n"
const StoredPage kPages[] = {
    {"wtWelcome", 1, 0, 2,
     "PageMode = Long 0\nPageState = Long 1\n" OWN_SET
     "LMBEnabled = Boolean False\nDefaultButton = Long 3\nCancelButton = Long 4\n"},
    {"wtSelectOption", 2, 1, 3, ""},
    {"wtSelectDomains", 3, 2, 4, OWN_SET "DefaultButton = Long 3\nCancelButton = Long 4\n"},
    {"wtProcessing", 4, 3, 5, OWN_SET "RMBEnabled = Boolean False\nDefaultButton = Long 3\nCancelButton = Long 4\n"},
    {"wtChooseOutput", 5, 3, 6, OWN_SET "DefaultButton = Long 3\nCancelButton = Long 4\n"},
    {"wtFinish", 6, 5, 0,
     "PageMode = Long 2\n" OWN_SET
     "LBVisible = Boolean True\nRMBEnabled = Boolean False\nRBCaption = String \"&Finish\"\n"
     "RBRule = Long 6\nDefaultButton = Long 4\nCancelButton = Long 1\n"},
    {"wtSelectOrganizations", 7, 2, 4, ""},
};
#undef OWN_SET

// The wizard's form file: the seven pages docked at the top, the navigator last.
QString wizard_form_file()
{
    QString text = QStringLiteral("OstrelForm 1\nBegin Form frmMain\nCaption = String \"Domain Statistics Wizard\"\n");
    for (const StoredPage& p : kPages)
        text += QStringLiteral("Begin KyComCtl.KyWizardTab %1\n@Align = Long 1\n@TabStop = Boolean False\n"
                               "PageIndex = Long %2\nPageBack = Long %3\nPageNext = Long %4\n%5End\n")
                    .arg(QString::fromLatin1(p.name))
                    .arg(p.index)
                    .arg(p.back)
                    .arg(p.next)
                    .arg(QString::fromLatin1(p.keys));
    return text +
           QStringLiteral("Begin KyComCtl.KyWizardNavigator kwnNavigator\n@Align = Long 2\n@Default = Boolean True\n"
                          "@Cancel = Boolean True\n@TabIndex = Long 7\nButtonGapRight = Long 300\n"
                          "WizardSizeMode = Long 1\nParentWidth = Long 7512\nParentHeight = Long 5676\n"
                          "DefaultButton = Long 0\nEnd\nEnd\n");
}

class NavigatorRunTest : public NavigatorTest {
protected:
    void SetUp() override
    {
        NavigatorTest::SetUp();
        host().form().load(forms::FormFile::parse(wizard_form_file()));
        nav_ = &navigator_on(host().form());
        QObject::connect(
            nav_, &KyWizardNavigator::BeforePageChange,
            [this](std::int32_t direction, QObject*& NewPage, QObject* CurrentPage, bool& Cancel) {
                log << QStringLiteral("before %1 %2 %3").arg(direction).arg(name(NewPage), name(CurrentPage));
                if (auto hook = std::exchange(before_hook, nullptr))
                    hook(NewPage, Cancel);
            });
        QObject::connect(
            nav_, &KyWizardNavigator::AfterPageChange,
            [this](std::int32_t direction, QObject* CurrentPage, QObject* OldPage) {
                log << QStringLiteral("after %1 %2 %3").arg(direction).arg(name(CurrentPage), name(OldPage));
            });
        QObject::connect(nav_, &KyWizardNavigator::OnError,
                         [this](std::int32_t number, const QString&, const QString& source) {
                             log << QStringLiteral("error %1 %2").arg(number).arg(source);
                         });
        QObject::connect(nav_, &KyWizardNavigator::FinishClick, [this] { log << QStringLiteral("finish"); });
    }

    static QString name(QObject* page)
    {
        auto* p = qobject_cast<CPage*>(page);
        return p ? p->Name() : QStringLiteral("none");
    }
    QString shown() { return name(nav_->CurrentPage()); }
    QObject* page_item(int n) { return modBase::SharedPages()->Item(n); }
    forms::CommandButton& bar(std::int32_t position) { return button(*nav_, position); }
    // A user's click: press and release over the button (a hidden or disabled one takes none).
    void click(std::int32_t position) { window_input::click(bar(position)); }
    QStringList take_log() { return std::exchange(log, {}); }

    KyWizardNavigator* nav_ = nullptr;
    QStringList log;
    std::function<void(QObject*&, bool&)> before_hook;
};

} // namespace

TEST_F(NavigatorRunTest, WizardWalkRaisesTheHostsEventsInOrder)
{
    std::vector<std::int32_t> focused;
    QObject::connect(nav_, &KyWizardNavigator::OnButtonGotFocus,
                     [&](std::int32_t position) { focused.push_back(position); });
    host().show();
    host().form().activateWindow();
    forms::DoEvents();
    // The welcome page, its own set: Back disabled, Next the default button with the focus.
    EXPECT_EQ(shown(), QStringLiteral("wtWelcome"));
    EXPECT_TRUE(nav_->Enabled());
    EXPECT_FALSE(bar(kyBPLeftMiddle).Enabled());
    EXPECT_FALSE(bar(kyBPLeft).Visible()) << "rule None hides the left button";
    EXPECT_EQ(bar(kyBPLeft).Caption(), QStringLiteral("&Help")) << "and leaves its caption";
    EXPECT_TRUE(bar(kyBPRightMiddle).Default());
    EXPECT_EQ(QApplication::focusWidget(), &bar(kyBPRightMiddle)) << "the first focus after Show";
    ASSERT_FALSE(focused.empty());
    EXPECT_EQ(focused.back(), kyBPRightMiddle);
    EXPECT_NEAR(host().form().Width(), 7512, 15);
    EXPECT_EQ(lefts(*nav_), QStringLiteral("2405 3690 4810 6095"))
        << "the right gap of 300 in a bar of 7515 (501 whole pixels)";
    click(kyBPLeftMiddle); // disabled: nothing
    EXPECT_TRUE(take_log().isEmpty());

    click(kyBPRightMiddle);
    EXPECT_EQ(take_log(), (QStringList{"before 0 wtSelectOption wtWelcome", "after 0 wtSelectOption wtWelcome"}));
    // The navigator's default set: Back enabled by the link, no default button stored.
    EXPECT_TRUE(bar(kyBPLeftMiddle).Enabled());
    EXPECT_FALSE(bar(kyBPRightMiddle).Default());

    before_hook = [](QObject*&, bool& Cancel) { Cancel = true; };
    click(kyBPRightMiddle);
    EXPECT_EQ(take_log(), QStringList{"before 0 wtSelectDomains wtSelectOption"});
    EXPECT_EQ(shown(), QStringLiteral("wtSelectOption"));

    // Exchange mode: the host cancels Next and goes to the server page itself; that change
    // runs to its end inside the handler.
    before_hook = [this](QObject*&, bool& Cancel) {
        Cancel = true;
        QObject* servers = page_item(7);
        nav_->GoToNewPage(servers);
    };
    click(kyBPRightMiddle);
    EXPECT_EQ(take_log(),
              (QStringList{"before 0 wtSelectDomains wtSelectOption", "before 0 wtSelectOrganizations wtSelectOption",
                           "after 0 wtSelectOrganizations wtSelectOption"}));
    EXPECT_EQ(shown(), QStringLiteral("wtSelectOrganizations"));

    click(kyBPRightMiddle);
    EXPECT_EQ(take_log(), (QStringList{"before 0 wtProcessing wtSelectOrganizations",
                                       "after 0 wtProcessing wtSelectOrganizations"}));
    EXPECT_FALSE(bar(kyBPRightMiddle).Enabled()) << "the processing page's own set";

    // The same redirect on the GoToNewPage path.
    before_hook = [this](QObject*&, bool& Cancel) {
        Cancel = true;
        QObject* domains = page_item(3);
        nav_->GoToNewPage(domains);
    };
    QObject* results = page_item(5);
    nav_->GoToNewPage(results);
    EXPECT_EQ(take_log(), (QStringList{"before 0 wtChooseOutput wtProcessing", "before 1 wtSelectDomains wtProcessing",
                                       "after 1 wtSelectDomains wtProcessing"}));
    EXPECT_EQ(shown(), QStringLiteral("wtSelectDomains"));

    // A handler that replaces NewPage: the replacement is shown and named.
    before_hook = [this](QObject*& NewPage, bool&) { NewPage = page_item(6); };
    results = page_item(5);
    nav_->GoToNewPage(results);
    EXPECT_EQ(take_log(), (QStringList{"before 0 wtChooseOutput wtSelectDomains", "after 0 wtFinish wtSelectDomains"}));
    EXPECT_EQ(shown(), QStringLiteral("wtFinish"));
    EXPECT_TRUE(host().form().site(QStringLiteral("wtFinish"))->Visible());
    EXPECT_FALSE(host().form().site(QStringLiteral("wtChooseOutput"))->Visible());
    EXPECT_EQ(results, page_item(6)) << "the caller's variable holds what the handler left";

    QObject* same = page_item(6);
    nav_->GoToNewPage(same);
    EXPECT_TRUE(take_log().isEmpty()) << "the page shown now: no event at all";

    click(kyBPLeftMiddle);
    EXPECT_EQ(take_log(), (QStringList{"before 1 wtChooseOutput wtFinish", "after 1 wtChooseOutput wtFinish"}));

    window_input::key_press(host().form(), Qt::Key_Return); // Enter: the form's default control presses Next
    EXPECT_EQ(take_log(), (QStringList{"before 0 wtFinish wtChooseOutput", "after 0 wtFinish wtChooseOutput"}));
    EXPECT_EQ(bar(kyBPRight).Caption(), QStringLiteral("&Finish"));
    EXPECT_TRUE(bar(kyBPRight).Default());
    EXPECT_FALSE(bar(kyBPRightMiddle).Enabled());
    click(kyBPRight);
    EXPECT_EQ(take_log(), QStringList{"finish"});
}

TEST_F(NavigatorRunTest, ErrorsReachOnErrorWithTheirSource)
{
    host().show();
    click(kyBPRightMiddle);
    take_log();
    before_hook = [](QObject*& NewPage, bool&) { NewPage = nullptr; };
    click(kyBPRightMiddle);
    EXPECT_EQ(take_log(), (QStringList{"before 0 wtSelectDomains wtSelectOption", "error 91 kwnNavigator::NextClick"}));
    EXPECT_EQ(shown(), QStringLiteral("wtSelectOption")) << "the change ended before any page was shown";
    before_hook = [](QObject*&, bool&) {
        forms::raise(57097, QStringLiteral("Host"), QStringLiteral("quietly abandoned"));
    };
    click(kyBPRightMiddle);
    EXPECT_EQ(take_log(), QStringList{"before 0 wtSelectDomains wtSelectOption"}) << "57097 is not reported";
    // A page's own error reaches the host through the navigator.
    qobject_cast<KyWizardTab*>(host().form().site(QStringLiteral("wtFinish"))->control())->setPageMode(InteriorPage);
    EXPECT_EQ(take_log(), QStringList{"error 382 wtFinish::PageMode (Let)"});
    QObject* nothing = nullptr;
    nav_->GoToNewPage(nothing);
    EXPECT_EQ(take_log(), QStringList{"error 91 kwnNavigator::GoToNewPage"});
}

TEST_F(NavigatorRunTest, EscCancelsAndADoubleCancelDuringUnloadEndsCleanly)
{
    host().show();
    int cancels = 0;
    forms::Form& form = host().form();
    QPointer<forms::CommandButton> cancel_button(&bar(kyBPRight));
    QObject::connect(nav_, &KyWizardNavigator::CancelClick, [&] {
        // The user presses Cancel again at once; the unload lets queued input through while
        // the pages leave, so the second Cancel arrives while the first unload runs.
        if (++cancels == 1)
            QMetaObject::invokeMethod(
                cancel_button, [&] { cancel_button->setValue(true); }, Qt::QueuedConnection);
        form.unload(); // a second unload while the first runs is part of the first
    });
    std::weak_ptr<CWizardNavigator> shared = modBase::SharedNavigator();
    std::weak_ptr<CPages> pages = modBase::SharedPages();
    window_input::key_press(bar(kyBPRight), Qt::Key_Escape);
    forms::DoEvents();
    EXPECT_EQ(cancels, 2);
    EXPECT_TRUE(form.sites().empty());
    EXPECT_FALSE(modBase::SharedNavigator());
    EXPECT_TRUE(shared.expired()) << "the shared objects are released";
    EXPECT_TRUE(pages.expired());
}

TEST_F(NavigatorRunTest, EnabledThroughTheExtenderAndReleaseAll)
{
    host().show();
    forms::ControlSite& s = *host().form().site(QStringLiteral("kwnNavigator"));
    forms::let(&s, QStringLiteral("Enabled"), false); // late bound: the extender answers first
    for (std::int32_t position = kyBPLeft; position <= kyBPRight; ++position)
        EXPECT_FALSE(bar(position).Enabled()) << position;
    EXPECT_FALSE(bar(kyBPRightMiddle).Default());
    EXPECT_TRUE(nav_->RightMiddleButtonEnabled()) << "the fields stay";
    forms::let(&s, QStringLiteral("Enabled"), true);
    EXPECT_TRUE(bar(kyBPRightMiddle).Enabled()) << "the welcome page's own set again";
    EXPECT_FALSE(bar(kyBPLeftMiddle).Enabled());
    EXPECT_TRUE(bar(kyBPRightMiddle).Default());
    nav_->ReleaseAll();
    EXPECT_EQ(modBase::SharedPages()->Count(), 0);
    EXPECT_TRUE(modBase::SharedNavigator()) << "the shared objects stay";
}

TEST_F(NavigatorRunTest, ALateBoundHostCancelsAndRedirectsByName)
{
    host().show();
    forms::ControlSite& s = *host().form().site(QStringLiteral("kwnNavigator"));
    QObject* pages = forms::get(&s, QStringLiteral("WizardPages")).value<QObject*>();
    ASSERT_NE(pages, nullptr);
    QObject* servers = forms::call(pages, QStringLiteral("Item"), {7}).value<QObject*>();
    ASSERT_NE(servers, nullptr);
    bool redirected = false;
    forms::connect_event(&s, QStringLiteral("BeforePageChange"), &host().form(), [&](QVariantList& args) {
        if (redirected)
            return;
        redirected = true;
        args[3] = true; // Cancel, by reference
        forms::call(&s, QStringLiteral("GoToNewPage"), {QVariant::fromValue(servers)});
    });
    click(kyBPRightMiddle);
    EXPECT_EQ(take_log(), (QStringList{"before 0 wtSelectOption wtWelcome", "before 0 wtSelectOrganizations wtWelcome",
                                       "after 0 wtSelectOrganizations wtWelcome"}));
    EXPECT_EQ(shown(), QStringLiteral("wtSelectOrganizations"));
    forms::let(&s, QStringLiteral("RightMiddleButtonEnabled"), false);
    EXPECT_FALSE(bar(kyBPRightMiddle).Enabled());
}

TEST_F(NavigatorRunTest, HelpAndExitRulesRaiseTheirEvents)
{
    host().show();
    QStringList events;
    QObject::connect(nav_, &KyWizardNavigator::HelpClick, [&] { events << QStringLiteral("help"); });
    QObject::connect(nav_, &KyWizardNavigator::ExitClick, [&] { events << QStringLiteral("exit"); });
    QObject::connect(nav_, &KyWizardNavigator::CancelClick, [&] { events << QStringLiteral("cancel"); });
    // At run time the Lets change only the bar, never the shared default set.
    nav_->setLeftButtonRule(kyBRHelp);
    nav_->setLeftButtonVisible(true);
    nav_->setLeftButtonEnabled(true);
    nav_->setRightButtonRule(kyBRExit);
    click(kyBPLeft);
    click(kyBPRight);
    nav_->setRightButtonRule(9); // no rule: nothing
    click(kyBPRight);
    EXPECT_EQ(events, (QStringList{"help", "exit"}));
    EXPECT_EQ(navigator().DefaultSetRBRule(), kyBRCancel);
}

// Keys typed faster than the wizard changes pages: the window system queues them all before
// the first is handled. A page's layout pumps messages while a change runs; the queued keys
// wait until that change has ended, so each Return presses the default button the wizard
// has then, and no change starts inside another.
TEST_F(NavigatorRunTest, QueuedReturnsChangePagesOneAfterAnother)
{
    host().show();
    host().form().activateWindow();
    forms::DoEvents();
    ASSERT_NE(host().form().windowHandle(), nullptr);
    for (int i = 0; i < 4; ++i)
        window_input::queue_key(host().form(), Qt::Key_Return, QStringLiteral("\r"));
    forms::DoEvents();
    // The fourth Return finds Next disabled on the processing page: nothing to press.
    EXPECT_EQ(take_log(),
              (QStringList{"before 0 wtSelectOption wtWelcome", "after 0 wtSelectOption wtWelcome",
                           "before 0 wtSelectDomains wtSelectOption", "after 0 wtSelectDomains wtSelectOption",
                           "before 0 wtProcessing wtSelectDomains", "after 0 wtProcessing wtSelectDomains"}));
    EXPECT_EQ(shown(), QStringLiteral("wtProcessing"));
    QStringList visible;
    for (const StoredPage& p : kPages)
        if (host().form().site(QString::fromLatin1(p.name))->control()->isVisible())
            visible << QString::fromLatin1(p.name);
    EXPECT_EQ(visible, QStringList{"wtProcessing"}) << "exactly one page shows";
    EXPECT_TRUE(bar(kyBPLeftMiddle).Enabled());
}

// A plain form has no filter of its own for Enter and Esc: a focused page hands on the keys
// it does not use, so they reach the form's Default and Cancel control, the bar. A page that
// is no Tab stop takes no focus from a click on its background.
TEST_F(NavigatorRunTest, AFocusedPageHandsEnterAndEscToTheFormAndAClickFocusesNoPageThatIsNoTabStop)
{
    host().show();
    host().form().activateWindow();
    forms::DoEvents();
    auto* welcome = host().form().site(QStringLiteral("wtWelcome"))->control();
    QWidget* focused = QApplication::focusWidget();
    ASSERT_EQ(focused, &bar(kyBPRightMiddle));
    QTest::mouseClick(welcome, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
    EXPECT_EQ(QApplication::focusWidget(), focused) << "TabStop False: the focus stays on Next";

    struct Row {
        const char* page;
        Qt::Key key;
        QStringList log;
    };
    QObject::connect(nav_, &KyWizardNavigator::CancelClick, [this] { log << QStringLiteral("cancel"); });
    for (const Row& row :
         {Row{"wtWelcome", Qt::Key_Return, {"before 0 wtSelectOption wtWelcome", "after 0 wtSelectOption wtWelcome"}},
          Row{"wtSelectOption", Qt::Key_Escape, {"cancel"}}}) {
        SCOPED_TRACE(row.page);
        forms::ControlSite* site = host().form().site(QString::fromLatin1(row.page));
        site->setTabStop(true);
        site->control()->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), site->control());
        QTest::keyClick(site->control(), row.key);
        EXPECT_EQ(take_log(), row.log);
    }
}

// A form made lower than the bar leaves the pages no room; the layout hands on no length
// below 0, so no page refuses its height and no box shows.
TEST_F(NavigatorRunTest, AFormLowerThanTheBarShowsNoBox)
{
    host().show();
    for (const QSize& size : {QSize(300, 40), QSize(60, 40), QSize(120, 30), QSize(501, 378)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        host().form().resize(size);
        forms::DoEvents();
        EXPECT_TRUE(boxes().empty()) << boxes().front().title.toStdString();
        EXPECT_TRUE(take_log().isEmpty());
        boxes().clear();
    }
    EXPECT_GE(navigator().PageHeight(), 0);
}
