#include "controls/options/ky_option_page.h"
#include "controls/options/ky_tree_base.h"
#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_text.h"
#include "platform/forms/intrinsics/check_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/do_events.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/line.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "platform/forms/core/vb_error.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/support/forms/tab_walk.h"
#include "tests/support/forms/window_input.h"

#include <QPointer>
#include <QSet>
#include <QTreeWidget>

#include <array>
#include <cmath>
#include <memory>

namespace {

// Two root containers; Display holds a container Colours. Pages carry the indexes 1..4.
const QString kTree = QStringLiteral(" \t_GENERAL\t0\tGeneral\t0\t \r\n"
                                     "_GENERAL\t_GENERAL\\STARTUP\t1\tStart-up\t1\r\n"
                                     "_GENERAL\t_GENERAL\\FILES\t1\tFiles\t2\r\n"
                                     " \t_DISPLAY\t0\tDisplay\t0\t \r\n"
                                     "_DISPLAY\t_DISPLAY\\COLOURS\t0\tColours\t0\t \r\n"
                                     "_DISPLAY\\COLOURS\t_DISPLAY\\COLOURS\\THEME\t1\tTheme\t3\r\n"
                                     "_DISPLAY\t_DISPLAY\\FONTS\t1\tFonts\t4\r\n");

class OptionsDialogTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        forms::Screen::set_twips_per_pixel(15, 15);
    }

    KyTreeBase& tree_base() { return *qobject_cast<KyTreeBase*>(host().form().site("ktbOptions")->control()); }
    KyOptionPage& page(const QString& name)
    {
        return *qobject_cast<KyOptionPage*>(host().form().site(name)->control());
    }
    forms::ControlSite& site(const QString& name) { return *host().form().site(name); }

    // Designs the dialog: the tree host, its tree, and one captioned page per page record.
    void design_dialog()
    {
        host().reload(false);
        host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
        tree_base().AddNodes(QVariant::fromValue(options::ParseOptionList(kTree)));
        const QStringList captions = {"Start-up", "Files", "Theme", "Fonts"};
        for (int i = 0; i < captions.size(); ++i) {
            host().add(QStringLiteral("KyComCtl.KyOptionPage"), QStringLiteral("kopPage%1").arg(i + 1));
            page(QStringLiteral("kopPage%1").arg(i + 1)).setCaption(captions[i]);
        }
    }

    QStringList visible_pages()
    {
        QStringList names;
        for (int i = 1; i <= 4; ++i)
            if (site(QStringLiteral("kopPage%1").arg(i)).Visible())
                names << QStringLiteral("kopPage%1").arg(i);
        return names;
    }
};

TEST_F(OptionsDialogTest, NewPagesJoinTheTreeHostAndRegisterTheSmallestFreeIndexes)
{
    design_dialog();
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(site(QStringLiteral("kopPage%1").arg(i)).Container(), &site("ktbOptions"));
        EXPECT_EQ(page(QStringLiteral("kopPage%1").arg(i)).PageIndex(), i);
        EXPECT_FALSE(site(QStringLiteral("kopPage%1").arg(i)).TabStop());
    }
    EXPECT_EQ(host().form().Width(), 8985);
    EXPECT_EQ(host().form().Height(), 5625);
}

TEST_F(OptionsDialogTest, ASecondTreeHostIsWarnedAboutOnceAndStays)
{
    host().reload(false);
    host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
    EXPECT_TRUE(boxes().empty());
    host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbAgain"));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].prompt,
              "Sorry. You can have only one KyTreeBase on Form. Please remove the new item KyTreeBase.");
    EXPECT_EQ(boxes()[0].style, 48);
    EXPECT_EQ(boxes()[0].title, "KyTreeBase");
    EXPECT_NE(host().form().site(QStringLiteral("ktbAgain")), nullptr);
}

TEST_F(OptionsDialogTest, AtRunTimeOnePageShowsAndNodeClicksSwitchIt)
{
    design_dialog();
    host().design_to_run();
    EXPECT_EQ(visible_pages(), QStringList{"kopPage1"});
    EXPECT_EQ(tree_base().CurrentKey(), "_GENERAL\\STARTUP");

    QStringList events;
    QObject::connect(&tree_base(), &KyTreeBase::BeforePageChange,
                     [&](short from, short to, bool&) { events << QStringLiteral("Before %1 %2").arg(from).arg(to); });
    QObject::connect(&tree_base(), &KyTreeBase::AfterPageChange,
                     [&](short from, short to) { events << QStringLiteral("After %1 %2").arg(from).arg(to); });
    tree_base().tvOptions().click_node(QStringLiteral("_DISPLAY\\COLOURS\\THEME"));
    EXPECT_EQ(visible_pages(), QStringList{"kopPage3"});
    tree_base().tvOptions().click_node(QStringLiteral("_GENERAL"));
    EXPECT_EQ(visible_pages(), QStringList{"kopPage1"});
    tree_base().tvOptions().click_node(QStringLiteral("_DISPLAY"));
    EXPECT_EQ(visible_pages(), QStringList{"kopPage3"});
    EXPECT_EQ(events, (QStringList{"Before 1 3", "After 1 3", "Before 3 1", "After 3 1", "Before 1 3", "After 1 3"}));
    EXPECT_EQ(tree_base().CurrentPage(kyMDIndex).toInt(), 3);
    EXPECT_EQ(tree_base().CurrentPage(kyMDName).toString(), "Display");
    EXPECT_FALSE(tree_base().CurrentPage(7).isValid());

    // the pages stand on the host's page area
    const KyTreeBase& base = tree_base();
    EXPECT_EQ(site("kopPage3").Left(), base.ClientLeft());
    EXPECT_EQ(site("kopPage3").Top(), base.ClientTop());
    EXPECT_EQ(site("kopPage3").Width(), base.ClientWidth());
    EXPECT_EQ(site("kopPage3").Height(), base.ClientHeight());
}

// A person on the keyboard: Down through the tree, Right to open a closed container. A page
// before a nested container that remembers no page: moving onto that container must not fold
// up the container holding it, or the keys go round in circles and never reach the pages
// below. Every page is reached.
TEST_F(OptionsDialogTest, TheKeysReachEveryPage)
{
    const QString tree = QStringLiteral(" \t_GENERAL\t0\tGeneral\t0\t \r\n"
                                        "_GENERAL\t_GENERAL\\STARTUP\t1\tStart-up\t1\r\n"
                                        " \t_DISPLAY\t0\tDisplay\t0\t \r\n"
                                        "_DISPLAY\t_DISPLAY\\FONTS\t1\tFonts\t2\r\n"
                                        "_DISPLAY\t_DISPLAY\\COLOURS\t0\tColours\t0\t \r\n"
                                        "_DISPLAY\\COLOURS\t_DISPLAY\\COLOURS\\THEME\t1\tTheme\t3\r\n"
                                        "_DISPLAY\\COLOURS\t_DISPLAY\\COLOURS\\CONTRAST\t1\tContrast\t4\r\n");
    host().reload(false);
    host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
    tree_base().AddNodes(QVariant::fromValue(options::ParseOptionList(tree)));
    for (int i = 1; i <= 4; ++i)
        host().add(QStringLiteral("KyComCtl.KyOptionPage"), QStringLiteral("kopPage%1").arg(i));
    host().design_to_run();
    host().show();
    forms::TreeView& view = tree_base().tvOptions();
    view.widget().setFocus();
    QSet<QString> reached;
    for (const QString& shown : visible_pages())
        reached.insert(shown);
    for (int step = 0; step < 30 && reached.size() < 4; ++step) {
        const QString key = view.SelectedKey();
        const bool closed_container = !view.ChildKeys(key).isEmpty() && !view.Expanded(key);
        window_input::key(view.widget(), closed_container ? Qt::Key_Right : Qt::Key_Down);
        for (const QString& shown : visible_pages())
            reached.insert(shown);
    }
    EXPECT_EQ(reached.size(), 4) << "pages reached by keys: "
                                 << QStringList(reached.begin(), reached.end()).join(' ').toStdString();
}

// A host whose page-change handler unloads the form (Unload in the handler, or a timer that
// runs while its message box is up): the node click ends without touching the gone tree.
TEST_F(OptionsDialogTest, AHandlerThatUnloadsTheFormEndsTheNodeClick)
{
    for (const bool after : {false, true}) {
        SCOPED_TRACE(after ? "AfterPageChange" : "BeforePageChange");
        design_dialog();
        host().design_to_run();
        host().show();
        forms::TreeView& view = tree_base().tvOptions();
        const QPointer<QWidget> tree = &view;
        if (after)
            QObject::connect(&tree_base(), &KyTreeBase::AfterPageChange,
                             [this](short, short) { host().form().unload(); });
        else
            QObject::connect(&tree_base(), &KyTreeBase::BeforePageChange,
                             [this](short, short, bool&) { host().form().unload(); });
        view.widget().setFocus();
        window_input::key(view.widget(), Qt::Key_Down);
        forms::DoEvents();
        EXPECT_TRUE(tree.isNull()) << "the handler did not unload the form";
    }
}

// At run time the dialog follows its window: wider, no blank band; smaller, OK and Cancel
// stay on the window.
TEST_F(OptionsDialogTest, AtRunTimeTheDialogFollowsItsFormsSize)
{
    design_dialog();
    host().design_to_run();
    host().show();
    for (const double width : {12000.0, 7000.0}) {
        host().form().setWidth(width);
        host().form().setHeight(width / 2);
        forms::DoEvents();
        EXPECT_EQ(site("ktbOptions").Width(), host().form().ScaleWidth()) << width;
        EXPECT_EQ(site("ktbOptions").Height(), host().form().ScaleHeight()) << width;
        const QWidget& cancel = tree_base().button(btnCancel);
        const QPoint corner = cancel.mapTo(&host().form(), QPoint(cancel.width(), cancel.height()));
        EXPECT_TRUE(host().form().rect().contains(corner - QPoint(1, 1))) << "Cancel cut off at " << width;
    }
}

TEST_F(OptionsDialogTest, APictureOfTheDialog)
{
    design_dialog();
    page("kopPage3").setHeaderMode(kyHMOutlook);
    host().design_to_run();
    host().form().setCaption(QStringLiteral("Options"));
    tree_base().setShowApply(true);
    tree_base().setCustomVisible(true);
    tree_base().setCustomCaption(QStringLiteral("Defaults"));
    // What a host form's author puts on the pages.
    KyOptionPage& start = page("kopPage1");
    auto* restore = new forms::CheckBox(&start, QStringLiteral("chkRestore"),
                                        QStringLiteral("Restore the last session"));
    restore->Move(start.ClientLeft() + 120, start.ClientTop() + 240, 4200, 300);
    auto* splash = new forms::CheckBox(&start, QStringLiteral("chkSplash"),
                                       QStringLiteral("Show the start-up picture"));
    splash->Move(start.ClientLeft() + 120, start.ClientTop() + 600, 4200, 300);
    auto* folder_label = new forms::Label(&start, QStringLiteral("lblFolder"), QStringLiteral("Working folder:"));
    folder_label->Move(start.ClientLeft() + 120, start.ClientTop() + 1080, 4200, 255);
    auto* folder = new forms::TextBox(&start, QStringLiteral("txtFolder"));
    folder->setText(QStringLiteral("/home/ostrel/work"));
    folder->Move(start.ClientLeft() + 120, start.ClientTop() + 1350, 4500, 315);
    host().show();
    tree_base().tvOptions().setExpanded(QStringLiteral("_DISPLAY"), true);
    const auto path = artefacts_dir() / "options_dialog.png";
    ASSERT_TRUE(host().form().grab().toImage().save(QString::fromStdString(path.string())));

    tree_base().tvOptions().click_node(QStringLiteral("_DISPLAY\\COLOURS\\THEME"));
    const auto path2 = artefacts_dir() / "options_dialog_outlook_header.png";
    ASSERT_TRUE(host().form().grab().toImage().save(QString::fromStdString(path2.string())));
}

// The tree tells its pages through the registry set last; one that is no registry is refused
// and the one in use stays; when a registry set from outside ends, the tree's own comes back.
TEST_F(OptionsDialogTest, ThePagesRegistryCanBeSetAndTheTreesOwnComesBackWhenThatOneEnds)
{
    host().reload(false);
    forms::ControlSite& tree = host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
    const auto registry = [&] {
        return qobject_cast<CTabManager*>(forms::get(&tree, QStringLiteral("objTabsManager")).value<QObject*>());
    };
    CTabManager* own = registry();
    ASSERT_NE(own, nullptr);
    auto other = std::make_shared<CTabManager>();
    forms::set(&tree, QStringLiteral("objTabsManager"), QVariant::fromValue<QObject*>(other.get()));
    EXPECT_EQ(registry(), other.get());
    forms::call(&tree, QStringLiteral("SetTab"), {2});
    EXPECT_EQ(other->CurrentTabIndex(), 2);
    EXPECT_EQ(own->CurrentTabIndex(), 0);

    for (QObject* refused : {static_cast<QObject*>(nullptr), static_cast<QObject*>(&tree_base().tvOptions())}) {
        SCOPED_TRACE(refused == nullptr ? "nothing" : "the tree view");
        try {
            forms::set(&tree, QStringLiteral("objTabsManager"), QVariant::fromValue(refused));
            ADD_FAILURE() << "taken";
        } catch (const forms::VbError& error) {
            EXPECT_EQ(error.number(), 13) << error.description().toStdString();
        }
        EXPECT_EQ(registry(), other.get());
    }

    other.reset();
    EXPECT_EQ(registry(), own);
    forms::call(&tree, QStringLiteral("SetTab"), {3});
    EXPECT_EQ(own->CurrentTabIndex(), 3);
}

// Tab on the options dialog reaches the tree, the controls of the page that shows and the
// buttons, never the tree host or a hidden page.
TEST_F(OptionsDialogTest, TabWalksOnlyTheVisibleFocusableControlsInTabIndexOrder)
{
    design_dialog();
    host().design_to_run();
    host().form().setCaption(QStringLiteral("Options"));
    // What a host form's author puts on two pages; the third page is hidden.
    for (const char* name : {"kopPage1", "kopPage3"}) {
        KyOptionPage& on = page(QLatin1String(name));
        auto* box = new forms::CheckBox(&on, QStringLiteral("chkOn"), QStringLiteral("On %1").arg(on.Caption()));
        box->Move(on.ClientLeft() + 120, on.ClientTop() + 240, 4200, 300);
    }
    host().show();
    host().form().activateWindow();
    QApplication::processEvents();
    tree_base().tvOptions().setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(forms::tab_walk(host().form()),
              (std::vector<std::string>{"Options", "OK", "Cancel", "Help", "On Start-up"}));
}

TEST_F(OptionsDialogTest, HelpOrApplyFollowsTheCaption)
{
    host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
    KyTreeBase& base = tree_base();
    QStringList clicks;
    QObject::connect(&base, &KyTreeBase::HelpClick, [&] { clicks << "Help"; });
    QObject::connect(&base, &KyTreeBase::ApplyClick, [&] { clicks << "Apply"; });
    forms::CommandButton& button = base.button(btnHelp);
    button.setValue(true);
    base.setShowApply(true);
    EXPECT_EQ(button.Caption(), "Apply");
    button.setValue(true);
    base.setHelpApplyCaption(QStringLiteral("Help"));
    button.setValue(true);
    base.setHelpApplyCaption(QStringLiteral("Save now"));
    button.setValue(true);
    base.setHelpApplyCaption(QStringLiteral("   "));
    EXPECT_EQ(button.Caption(), "Apply");
    base.setShowApply(false);
    EXPECT_EQ(button.Caption(), "Help");
    EXPECT_EQ(clicks, (QStringList{"Help", "Apply", "Help", "Apply"}));
}

TEST_F(OptionsDialogTest, TheDefaultButtonComesBackWhenItsButtonIsEnabledAgain)
{
    host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
    KyTreeBase& base = tree_base();
    base.setDefaultButton(btnApply);
    EXPECT_TRUE(base.button(btnHelp).Default());
    base.DisableButton(btnHelp);
    EXPECT_FALSE(base.button(btnHelp).Default());
    EXPECT_FALSE(base.button(btnHelp).Enabled());
    base.EnableButton(btnApply);
    EXPECT_TRUE(base.button(btnHelp).Default());

    base.setDefaultButton(btnOK);
    base.EnableButton(btnCancel);
    EXPECT_TRUE(base.button(btnOK).Default());
    EXPECT_FALSE(base.button(btnCancel).Default());
    base.setDefaultButton(9);
    EXPECT_TRUE(base.button(btnOK).Default());
}

TEST_F(OptionsDialogTest, TheButtonRowEndsAtThePageAreasRightEdge)
{
    host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
    KyTreeBase& base = tree_base();
    EXPECT_EQ(base.button(btnCustom).Left(), base.ClientLeft() + base.ClientWidth() - 4765);
    EXPECT_EQ(base.button(btnHelp).Left() + base.button(btnHelp).Width(), base.ClientLeft() + base.ClientWidth());
    EXPECT_EQ(base.ClientTop(), 90);
    EXPECT_EQ(base.ClientLeft(), 75 + 2400 + 300);
}

TEST_F(OptionsDialogTest, PersistedPropertiesSurviveASaveAndAReloadInTheirWriteOrder)
{
    design_dialog();
    tree_base().setCustomCaption(QStringLiteral("Reset"));
    tree_base().setCustomVisible(true);
    tree_base().setHelpApplyCaption(QStringLiteral("  Apply now "));
    tree_base().setShowApply(true);
    const QString text = host().saved_text();
    const auto at = [&](const char* key) { return text.indexOf(QString::fromLatin1(key)); };
    EXPECT_LT(at("TreeContainment"), at("ShowApply"));
    EXPECT_LT(at("ShowApply"), at("CustomVisible"));
    EXPECT_LT(at("CustomVisible"), at("CustomCaption"));
    EXPECT_LT(at("CustomCaption"), at("HelpApplyCaption"));

    host().design_to_run();
    KyTreeBase& base = tree_base();
    EXPECT_EQ(options::BuildOptionList(base.options().get()).count(QStringLiteral("\r\n")), 7);
    EXPECT_EQ(base.CustomCaption(), "Reset");
    EXPECT_TRUE(base.CustomVisible());
    EXPECT_EQ(base.HelpApplyCaption(), "Apply now");
    EXPECT_EQ(base.button(btnApply).Caption(), "Apply now");
    EXPECT_TRUE(base.ShowApply());
    EXPECT_EQ(base.tabs().strTreeContainment(), options::BuildOptionList(base.options().get()));
}

TEST_F(OptionsDialogTest, AddNodesPointsThePagesRegistryAtTheNewTree)
{
    host().reload(false);
    host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
    const OptionCollection list = options::ParseOptionList(kTree);
    tree_base().AddNodes(QVariant::fromValue(list));
    EXPECT_EQ(tree_base().tabs().strTreeContainment(), options::BuildOptionList(list.get()));
    EXPECT_EQ(tree_base().options(), list);
    EXPECT_TRUE(host().form().dirty());
    // what the editor does: the same collection, changed, handed back
    options::option_at(*list, 2)->strName = QStringLiteral("Launch");
    tree_base().AddNodes(QVariant::fromValue(list));
    EXPECT_EQ(tree_base().tvOptions().Text(QStringLiteral("_GENERAL\\STARTUP")), "Launch");
    EXPECT_TRUE(tree_base().tabs().strTreeContainment().contains(QStringLiteral("Launch")));
}

TEST_F(OptionsDialogTest, AStoredTreeThatDoesNotReadIsRefusedWithTheReadersError)
{
    host().reload(false);
    host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
    const OptionCollection list = options::ParseOptionList(kTree);
    tree_base().AddNodes(QVariant::fromValue(list));
    // A remembered page that is gone loads as none; a parent that is gone cannot be shown.
    options::option_at(*list, 1)->strSelectedProperty = QStringLiteral("_GENERAL\\GONE");
    options::option_at(*list, 2)->strParentKey = QStringLiteral("_GENERAL\\GONE");
    try {
        host().design_to_run();
        FAIL() << "loaded";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), options::kElementNotFound);
        EXPECT_TRUE(error.description().contains(QStringLiteral("_GENERAL\\GONE")));
    }
}

TEST_F(OptionsDialogTest, HeaderLooks)
{
    design_dialog();
    KyOptionPage& p = page("kopPage1");
    p.setCaption(QStringLiteral("Start-up"));
    p.setHeaderMode(kyHMVisualNET);
    EXPECT_TRUE(p.LTop1().Visible());
    EXPECT_EQ(p.LTop1().X1(), p.lblPageCaption().Width() + 75);
    EXPECT_EQ(p.LTop2().Y1(), p.LTop1().Y1() + 15);
    EXPECT_EQ(p.ClientTop(), static_cast<int>(std::floor(p.lblPageCaption().Height() / 2)) + 30);
    EXPECT_EQ(p.ClientLeft(), 30);

    p.setHeaderMode(kyHMOutlook);
    EXPECT_FALSE(p.LTop1().Visible());
    EXPECT_EQ(p.lblPageCaption().Height(), 360);
    EXPECT_EQ(p.lblPageCaption().Width(), p.ScaleWidth());
    EXPECT_TRUE(p.Font()->Bold());
    EXPECT_EQ(p.Font()->Size(), 12);

    p.setHeaderMode(kyHMNone);
    EXPECT_FALSE(p.lblPageCaption().Visible());
    // the caption is read after the header look: a caption shows again after loading
    host().design_to_run();
    EXPECT_TRUE(page("kopPage1").lblPageCaption().Visible());
    EXPECT_EQ(page("kopPage1").HeaderMode(), kyHMNone);

    page("kopPage2").setCaption(QString());
    EXPECT_EQ(page("kopPage2").ClientTop(), 30);
    EXPECT_FALSE(page("kopPage2").lblPageCaption().Visible());
}

TEST_F(OptionsDialogTest, PageIndexMovesOnlyToAFreeIndex)
{
    design_dialog();
    KyOptionPage& p = page("kopPage2");
    const QString used = QStringLiteral("You cannot change page index to specified bacause it is already used");
    for (short refused : {short(2), short(3), short(0), short(-4)}) {
        SCOPED_TRACE(refused);
        [&] { // an ASSERT ends this row only
            boxes().clear();
            p.setPageIndex(refused);
            ASSERT_EQ(boxes().size(), 1u) << refused;
            EXPECT_EQ(boxes()[0].prompt, used);
            EXPECT_EQ(p.PageIndex(), 2);
        }();
    }
    boxes().clear();
    p.setPageIndex(9);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(p.PageIndex(), 9);
    EXPECT_TRUE(tree_base().tabs().IsRegistered(9));
    EXPECT_FALSE(tree_base().tabs().IsRegistered(2));
}

TEST_F(OptionsDialogTest, AStoredIndexClashIsSettledWithTheSmallestFreeIndex)
{
    design_dialog();
    forms::let(&site("kopPage4"), QStringLiteral("PageIndex"), 7);
    QString text = host().saved_text();
    text.replace(QStringLiteral("PageIndex = Integer 7"), QStringLiteral("PageIndex = Integer 1"));
    text.replace(QStringLiteral("PageIndex = Integer 3"), QStringLiteral("PageIndex = Integer 0"));
    host().form().unload();
    host().form().load(forms::FormFile::parse(text));
    EXPECT_EQ(page("kopPage1").PageIndex(), 1);
    EXPECT_EQ(page("kopPage2").PageIndex(), 2);
    EXPECT_EQ(page("kopPage3").PageIndex(), 3);
    EXPECT_EQ(page("kopPage4").PageIndex(), 4);
}

TEST_F(OptionsDialogTest, APageWithoutATreeHostIsRefused)
{
    host().reload(false);
    try {
        host().add(QStringLiteral("KyComCtl.KyOptionPage"), QStringLiteral("kopLonely"));
        FAIL() << "placed";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 91);
    }
    EXPECT_EQ(host().form().site(QStringLiteral("kopLonely")), nullptr);
}

// A stored page outside any tree host has no registry to join: the form does not open, and
// the error names the file's line and the page, not only the number.
TEST_F(OptionsDialogTest, AStoredPageOutsideATreeHostIsRefusedNamingItsLineAndControl)
{
    struct Case {
        const char* where;
        const char* controls;
        const char* names;
    };
    const Case cases[] = {
        {"on the form", "Begin KyComCtl.KyOptionPage kopLonely\nHeaderMode = Long 0\nPageIndex = Integer 1\nEnd\n",
         "Form file line 5: \"PageIndex\" of control kopLonely: "},
        {"on the form, nothing stored", "Begin KyComCtl.KyOptionPage kopLonely\nEnd\n",
         "\"PageIndex\" of control kopLonely: "},
        {"inside a wizard page",
         "Begin KyComCtl.KyWizardTab wtPage\nBegin KyComCtl.KyOptionPage kopLonely\nPageIndex = Integer 1\nEnd\nEnd\n",
         "Form file line 5: \"PageIndex\" of control kopLonely: "},
    };
    for (const Case& c : cases) {
        forms::TestHost lonely(false);
        const QString text = QStringLiteral("OstrelForm 1\nBegin Form frmLonely\n") + QString::fromLatin1(c.controls) +
                             QStringLiteral("End\n");
        try {
            lonely.form().load(forms::FormFile::parse(text));
            ADD_FAILURE() << c.where << ": loaded";
        } catch (const forms::VbError& error) {
            EXPECT_EQ(error.number(), 438) << c.where;
            EXPECT_TRUE(error.description().startsWith(QString::fromLatin1(c.names))) << c.where << ": "
                                                                                        << error.description().toStdString();
            EXPECT_TRUE(error.description().contains(QStringLiteral("KyTreeBase"))) << c.where;
        }
        EXPECT_TRUE(lonely.form().sites().empty()) << c.where;
    }
}

// Shown at run time the dialog fills its form; shown in its designer it keeps the place and
// size stored for it, so a save without a change writes what was read.
TEST_F(OptionsDialogTest, ShownTheTreeHostFillsItsFormOnlyAtRunTime)
{
    const QString text = QStringLiteral("OstrelForm 1\nBegin Form frmOptions\nWidth = Double 8985\nHeight = Double 5625\n"
                                        "Begin KyComCtl.KyTreeBase ktbOptions\n@Left = Double 120\n@Top = Double 90\n"
                                        "@Width = Double 7200\n@Height = Double 4500\nEnd\nEnd\n");
    for (const bool user_mode : {false, true}) {
        SCOPED_TRACE(user_mode ? "run time" : "design time");
        forms::TestHost shown(user_mode);
        shown.form().load(forms::FormFile::parse(text));
        const QString before = shown.saved_text();
        shown.show();
        const forms::ControlSite& tree = *shown.form().site(QStringLiteral("ktbOptions"));
        const std::array<double, 4> expected =
            user_mode ? std::array<double, 4>{0, 0, shown.form().ScaleWidth(), shown.form().ScaleHeight()}
                      : std::array<double, 4>{120, 90, 7200, 4500};
        EXPECT_EQ((std::array<double, 4>{tree.Left(), tree.Top(), tree.Width(), tree.Height()}), expected) << user_mode;
        if (!user_mode) {
            EXPECT_EQ(shown.saved_text().toStdString(), before.toStdString());
        }
    }
}

TEST_F(OptionsDialogTest, ADisabledTreeKeepsThePageAndComesBackToIt)
{
    design_dialog();
    host().design_to_run();
    tree_base().tvOptions().click_node(QStringLiteral("_GENERAL\\FILES"));
    tree_base().setTreeEnabled(false);
    EXPECT_FALSE(tree_base().tvOptions().Enabled());
    EXPECT_EQ(visible_pages(), QStringList{"kopPage2"});
    tree_base().SetTab(4);
    EXPECT_EQ(visible_pages(), QStringList{"kopPage4"});
    tree_base().setTreeEnabled(true);
    EXPECT_EQ(visible_pages(), QStringList{"kopPage2"});
    EXPECT_EQ(tree_base().tvOptions().SelectedKey(), "_GENERAL\\FILES");
}

TEST_F(OptionsDialogTest, APageStoresItsKeysInOrderAndFreesItsIndexWhenItsDesignerCloses)
{
    design_dialog();
    const QString text = host().saved_text();
    const int page = text.indexOf(QStringLiteral("kopPage1"));
    const auto at = [&](const char* key) { return text.indexOf(QString::fromLatin1(key), page); };
    EXPECT_LT(at("HeaderMode"), at("PageIndex"));
    EXPECT_LT(at("PageIndex"), at("Caption"));
    EXPECT_LT(at("Caption"), at("Font"));
    CTabManager& tabs = tree_base().tabs();
    host().show();
    host().form().remove_control(site("kopPage2"));
    EXPECT_FALSE(tabs.IsRegistered(2));
    EXPECT_TRUE(tabs.IsRegistered(1));
}

TEST_F(OptionsDialogTest, HidingAndShowingTheDesignFormKeepsEveryPageRegistered)
{
    design_dialog();
    host().show();
    host().form().hide();
    host().show();
    // Pages the tree host hid (all but the current one) keep their indexes too.
    site("kopPage3").control()->hide();
    CTabManager& tabs = tree_base().tabs();
    for (short index = 1; index <= 4; ++index)
        EXPECT_TRUE(tabs.IsRegistered(index)) << index;
    boxes().clear();
    page("kopPage2").setPageIndex(3);
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_EQ(page("kopPage2").PageIndex(), 2);
    host().add(QStringLiteral("KyComCtl.KyOptionPage"), QStringLiteral("kopPage5"));
    EXPECT_EQ(page("kopPage5").PageIndex(), 5);
}

} // namespace
