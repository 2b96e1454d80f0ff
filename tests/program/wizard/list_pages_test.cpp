// The wizard's domain and server pages: the fill from the network's enumeration, the Next
// rules, Select All and Clear All (also on an empty list), Add and Edit through the input
// dialog with the duplicate message, Remove, the context menu's three triggers, and the
// column that never gets a negative width.

#include "program/wizard/domain_list_page.h"
#include "program/wizard/frm_add_domain.h"
#include "program/wizard/frm_main.h"
#include "program/wizard/list_images.h"
#include "program/wizard/server_list_page.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/core/form_file.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

const QString kCaption = QStringLiteral("Tallimar");

class ListPagesTest : public ::testing::Test {
protected:
    ListPagesTest()
    {
        place_page(page, "wtSelectDomains");
        page.setName(QStringLiteral("frmPages"));
        services.setNextEnabled = [this](bool on) { next.push_back(on); };
        services.focusNavigator = [this] { ++navigator_focus; };
        services.addDialog = &dialog;
        services.formCaption = [] { return kCaption; };
        services.owner = &page;
        domains = std::make_unique<program::DomainListPage>(page, images, services);
        page.show();
    }
    // The controls of one of the wizard's pages, as its form file holds them, placed on
    // `form` (at their places on the page).
    static void place_page(forms::Form& form, const char* name)
    {
        form.resize(501, 300);
        forms::FormData page;
        for (const forms::FormControlData& c : forms::FormFile::parse(program::FrmMain::FormFileText()).controls)
            if (c.name == QLatin1String(name))
                page.controls = c.children;
        ASSERT_FALSE(page.controls.empty()) << name;
        form.load(page);
    }
    static void place_servers(forms::Form& form) { place_page(form, "wtSelectOrganizations"); }

    forms::ListView& list() { return domains->lstDomainsList(); }
    std::vector<std::string> texts(forms::ListView& lst)
    {
        std::vector<std::string> out;
        for (int i = 1; i <= lst.Count(); ++i)
            out.push_back(lst.Text(i).toStdString() + (lst.Checked(i) ? " [x]" : ""));
        return out;
    }
    // The user's answer to the next input dialog: a name confirmed with OK, or Cancel.
    void answer(std::optional<QString> name)
    {
        QTimer::singleShot(0, &dialog, [this, name] {
            asked.push_back(dialog.Caption().toStdString() + ": " + dialog.txtDomainName().Text().toStdString());
            if (name) {
                dialog.txtDomainName().setText(*name);
                emit dialog.cmdCommand(0).Click();
            } else {
                emit dialog.cmdCommand(1).Click();
            }
        });
    }
    void key(int qt_key, Qt::KeyboardModifiers modifiers) { window_input::key(list().widget(), qt_key, modifiers); }
    void click(Qt::MouseButton button) { window_input::click(*list().widget().viewport(), QPoint(10, 10), button); }
    void fill(const QStringList& names)
    {
        domains->FillDomainList([names] { return names; });
        domains->UpdateDomainsNextButton();
    }

    bool application_ = (forms::TestHost::ensure_application(), true);
    forms::ScopedMessageBoxRecorder boxes;
    forms::Form page;
    forms::ImageList images = program::MakeListImages();
    program::FrmAddDomain dialog;
    program::ListPageServices services;
    std::unique_ptr<program::DomainListPage> domains;
    std::vector<bool> next;
    int navigator_focus = 0;
    std::vector<std::string> asked;
};

TEST_F(ListPagesTest, TheFillTicksEveryDomainSelectsTheFirstAndIsSilentWhenTheEnumerationFails)
{
    struct Case {
        const char* what;
        std::optional<QStringList> names; // none: the enumeration fails
        std::vector<std::string> items;
        int selected;
        bool next;
    };
    const std::vector<Case> cases = {
        {"two domains", QStringList{QStringLiteral("CORP"), QStringLiteral("LAB")}, {"CORP [x]", "LAB [x]"}, 1, true},
        {"no domain", QStringList{}, {}, 0, false},
        {"a failing enumeration", std::nullopt, {}, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        list().Add(QStringLiteral("left over"));
        next.clear();
        domains->FillDomainList([&] {
            if (!c.names)
                forms::raise(0x80004005, QStringLiteral("OstrelCollector"),
                             QStringLiteral("The network cannot be enumerated"));
            return *c.names;
        });
        domains->UpdateDomainsNextButton();
        EXPECT_TRUE(domains->ListFilled());
        EXPECT_EQ(texts(list()), c.items);
        EXPECT_EQ(list().SelectedIndex(), c.selected);
        EXPECT_EQ(next, std::vector<bool>{c.next});
        for (int i = 1; i <= list().Count(); ++i)
            EXPECT_EQ(list().SmallIcon(i), QStringLiteral("1"));
    }
    EXPECT_TRUE(boxes->boxes.empty()) << "a failing enumeration shows nothing";
}

TEST_F(ListPagesTest, NextFollowsTheUsersTicks)
{
    fill({QStringLiteral("A"), QStringLiteral("B")});
    next.clear();
    list().click_check_box(1);
    list().click_check_box(2);
    list().click_check_box(2);
    EXPECT_EQ(next, (std::vector<bool>{true, false, true}));
}

// A button of the page keeps the focus after it acted, so the next Return acts on the page
// again; the menu moves it to the navigator (ticked) or the list (unticked).
TEST_F(ListPagesTest, SelectAllAndClearAllByButtonAndMenuTickFollowNextAndMoveTheFocus)
{
    struct Case {
        const char* what;
        QStringList names;
        std::function<void()> act;
        bool ticked;
        bool next;
        int navigator_focus;
        QWidget* focus; // where the focus rests after (null: the list when unticked)
    };
    // A person tabs to the button and presses Space.
    const auto press = [this](int index) {
        return [this, index] {
            forms::CommandButton& button = domains->cmdSelectDeselect(index);
            button.setFocus(Qt::TabFocusReason);
            window_input::key(button, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        };
    };
    const std::vector<Case> cases = {
        {"Select All",
         {QStringLiteral("A"), QStringLiteral("B")},
         press(0),
         true,
         true,
         0,
         &domains->cmdSelectDeselect(0)},
        {"Clear All",
         {QStringLiteral("A"), QStringLiteral("B")},
         press(1),
         false,
         false,
         0,
         &domains->cmdSelectDeselect(1)},
        {"menu Select All",
         {QStringLiteral("A")},
         [&] { domains->mnuLstDomainsList().choose(0); },
         true,
         true,
         1,
         &domains->cmdAddDomain()},
        {"menu Unselect All",
         {QStringLiteral("A")},
         [&] { domains->mnuLstDomainsList().choose(1); },
         false,
         false,
         0,
         nullptr},
        // Ticking everything in an empty list ticks nothing: Next must not lead to a run
        // with nothing to collect.
        {"Select All on an empty list", {}, press(0), true, false, 0, &domains->cmdSelectDeselect(0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fill(c.names);
        if (list().Count() > 0)
            list().setChecked(1, !c.ticked);
        next.clear();
        navigator_focus = 0;
        domains->cmdAddDomain().setFocus();
        c.act();
        for (int i = 1; i <= list().Count(); ++i)
            EXPECT_EQ(list().Checked(i), c.ticked) << i;
        EXPECT_EQ(next, std::vector<bool>{c.next});
        EXPECT_EQ(navigator_focus, c.navigator_focus);
        EXPECT_EQ(page.focusWidget(), c.focus != nullptr ? c.focus : &list().widget());
    }
}

TEST_F(ListPagesTest, AddTicksSelectsAndEnablesNextAndADuplicateIsRefusedWithItsMessage)
{
    fill({QStringLiteral("CORP")});
    list().setChecked(1, false);
    next.clear();
    answer(QStringLiteral("lab.example"));
    emit domains->cmdAddDomain().Click();
    answer(QStringLiteral("corp"));
    emit domains->cmdAddDomain().Click();
    answer(std::nullopt);
    emit domains->cmdAddDomain().Click();
    EXPECT_EQ(asked, (std::vector<std::string>{"Add Domain: ", "Add Domain: ", "Add Domain: "}));
    EXPECT_EQ(texts(list()), (std::vector<std::string>{"CORP", "lab.example [x]"}));
    EXPECT_EQ(list().SelectedIndex(), 2);
    EXPECT_EQ(list().SmallIcon(2), QStringLiteral("1"));
    EXPECT_EQ(next, std::vector<bool>{true});
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->boxes[0].prompt.toStdString(), "The item is already in the list.");
    EXPECT_EQ(boxes->boxes[0].style, forms::vbExclamation);
    EXPECT_EQ(boxes->boxes[0].title, kCaption);
}

TEST_F(ListPagesTest, ServersAreAddedEditedAndRemovedAndNextFollowsTheirCount)
{
    forms::Form server_page;
    place_servers(server_page);
    program::ServerListPage servers(server_page, images, services);
    forms::ListView& orgs = servers.lstOrgs();
    servers.UpdateServersNextButton();
    emit servers.cmdEditOrg().Click();
    emit servers.cmdRemoveOrg().Click();
    EXPECT_TRUE(asked.empty()) << "Edit and Remove without a selected server do nothing";
    for (const char* name : {"srv1", "srv2"}) {
        answer(QString::fromLatin1(name));
        emit servers.cmdAddOrg().Click();
    }
    EXPECT_EQ(orgs.SmallIcon(1), QStringLiteral("2"));
    orgs.Select(1);
    answer(QStringLiteral("SRV1")); // its own text, another case: accepted
    emit servers.cmdEditOrg().Click();
    answer(QStringLiteral("srv2")); // another server's name: refused
    emit servers.cmdEditOrg().Click();
    answer(std::nullopt);
    emit servers.cmdEditOrg().Click();
    EXPECT_EQ(asked, (std::vector<std::string>{"Add Server: ", "Add Server: ", "Edit Server: srv1", "Edit Server: SRV1",
                                               "Edit Server: SRV1"}));
    EXPECT_EQ(texts(orgs), (std::vector<std::string>{"SRV1 [x]", "srv2 [x]"}));
    ASSERT_EQ(boxes->boxes.size(), 1u);
    EXPECT_EQ(boxes->boxes[0].prompt.toStdString(), "The item is already in the list.");
    EXPECT_EQ(next, (std::vector<bool>{false, true, true})) << "editing leaves Next alone";
    next.clear();
    emit servers.cmdRemoveOrg().Click();
    orgs.Select(1);
    emit servers.cmdRemoveOrg().Click();
    EXPECT_EQ(orgs.Count(), 0);
    EXPECT_EQ(next, (std::vector<bool>{true, false}));
}

TEST_F(ListPagesTest, TheContextMenuOpensOnTheRightButtonTheMenuKeyAndShiftF10Only)
{
    fill({QStringLiteral("A")});
    struct Case {
        const char* what;
        std::function<void()> act;
        bool opens;
    };
    const std::vector<Case> cases = {
        {"right button", [&] { click(Qt::RightButton); }, true},
        {"menu key", [&] { key(Qt::Key_Menu, Qt::NoModifier); }, true},
        {"Shift+F10", [&] { key(Qt::Key_F10, Qt::ShiftModifier); }, true},
        {"Ctrl+Shift+F10", [&] { key(Qt::Key_F10, Qt::ShiftModifier | Qt::ControlModifier); }, false},
        {"F10", [&] { key(Qt::Key_F10, Qt::NoModifier); }, false},
        {"left button", [&] { click(Qt::LeftButton); }, false},
    };
    int read = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        [&] { // an ASSERT ends this row only
            const int before = domains->mnuLstDomainsList().popups();
            c.act();
            EXPECT_EQ(domains->mnuLstDomainsList().popups() - before, c.opens ? 1 : 0);
            if (QWidget* open = QApplication::activePopupWidget()) {
                // A screen reader announces the menu by its caption, never by its Name.
                QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(open);
                ASSERT_NE(menu, nullptr);
                EXPECT_EQ(menu->text(QAccessible::Name), QStringLiteral("Domains"));
                open->close();
                ++read;
            }
        }();
    }
    EXPECT_EQ(read, 3) << "each open menu was read";
}

TEST_F(ListPagesTest, ThePagesWorkOnControlsLoadedFromAFormFileAndNameAMissingOne)
{
    forms::Form loaded;
    loaded.load(forms::FormFile::parse(forms::FormFile::write(page.save())));
    program::DomainListPage from_file(loaded, images, services);
    EXPECT_TRUE(from_file.lstDomainsList().Checkboxes());
    EXPECT_EQ(from_file.cmdSelectDeselect(1).Caption().toStdString(), "&Clear All");
    EXPECT_EQ(from_file.cmdAddDomain().Top(),
              from_file.lstDomainsList().Top() + from_file.lstDomainsList().Height() + 126);
    next.clear();
    from_file.FillDomainList([] { return QStringList{QStringLiteral("CORP")}; });
    emit from_file.cmdSelectDeselect(1).Click();
    EXPECT_EQ(next, std::vector<bool>{false});

    try {
        program::ServerListPage servers(page, images, services);
        ADD_FAILURE() << "bound to a form without the server page";
    } catch (const forms::VbError& e) {
        EXPECT_EQ(e.number(), 424);
        EXPECT_EQ(e.description().toStdString(), "The form has no ListView named lstOrgs");
    }
}

TEST_F(ListPagesTest, TheColumnFillsTheListButNeverGetsANegativeWidth)
{
    list().setWidth(200);
    domains->Resize();
    EXPECT_EQ(list().ColumnWidth(1), 0);
    list().setWidth(6600);
    domains->Resize();
    EXPECT_EQ(list().ColumnWidth(1), 6250);
}

TEST_F(ListPagesTest, PicturesAndAccessibleNamesOfBothPages)
{
    fill({QStringLiteral("CORP"), QStringLiteral("LAB"), QStringLiteral("SALES.EXAMPLE.COM"), QStringLiteral("EU")});
    list().setChecked(2, false);
    EXPECT_TRUE(forms::save_picture(page, "domain_list_page"));
    forms::Form server_page;
    place_servers(server_page);
    program::ServerListPage servers(server_page, images, services);
    for (const char* name : {"mail01", "exch-eu:2"})
        servers.lstOrgs().Add(QString::fromLatin1(name), QStringLiteral("2"));
    servers.lstOrgs().Select(1);
    server_page.show();
    EXPECT_TRUE(forms::save_picture(server_page, "server_list_page"));
    struct Expected {
        QWidget* widget;
        const char* name;
        QAccessible::Role role;
    };
    for (const Expected& e : {Expected{&list(), "Domains", QAccessible::List},
                              Expected{&domains->cmdAddDomain(), "Add Domain...", QAccessible::Button},
                              Expected{&domains->cmdSelectDeselect(0), "Select All", QAccessible::Button},
                              Expected{&domains->cmdSelectDeselect(1), "Clear All", QAccessible::Button},
                              Expected{&servers.lstOrgs(), "Exchange servers", QAccessible::List},
                              Expected{&servers.cmdAddOrg(), "Add...", QAccessible::Button},
                              Expected{&servers.cmdRemoveOrg(), "Remove", QAccessible::Button},
                              Expected{&servers.cmdEditOrg(), "Edit...", QAccessible::Button}}) {
        SCOPED_TRACE(e.name);
        [&] { // an ASSERT ends this row only
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(e.widget);
            ASSERT_NE(access, nullptr) << e.name;
            EXPECT_EQ(access->text(QAccessible::Name).toStdString(), e.name);
            EXPECT_EQ(access->role(), e.role) << e.name;
        }();
    }
}

} // namespace
