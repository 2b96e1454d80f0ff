#include "controls/options/frm_add_opt_item.h"
#include "controls/options/ky_tree_base.h"
#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_text.h"
#include "controls/options/pp_options_tree.h"
#include "platform/forms/intrinsics/combo_box.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/frame.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/text_box.h"
#include "platform/forms/intrinsics/tree_view.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

void click_on(QWidget& control) { QTest::mouseClick(&control, Qt::LeftButton, {}, control.rect().center()); }

// Keys typed into a text box; a text with tabs or line breaks arrives as a paste would.
void type_into(forms::TextBox& box, const QString& text)
{
    auto* edit = box.findChild<QLineEdit*>();
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    if (text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        box.setText(text);
    else
        QTest::keyClicks(edit, text);
}

// Clicks `add_button` and, once the modal "Add option tree item" dialog is up, works it as a
// person does: the kind chosen with the arrow keys, the name and page index typed, OK clicked
// (and Cancel when the dialog refused the entry and stays open). Returns whether the kind list
// could be used.
bool add_through_dialog(forms::CommandButton& add_button, const char* kind, const QString& name, const QString& index)
{
    bool kind_enabled = false;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmAddOptItem*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        shown = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Add option tree item"));
        kind_enabled = dialog->cmbItemType().Enabled();
        auto* kinds = dialog->cmbItemType().findChild<QComboBox*>();
        if (kind_enabled && dialog->cmbItemType().Text() != QString::fromLatin1(kind)) {
            kinds->setFocus(Qt::TabFocusReason);
            QTest::keyClick(kinds, QString::fromLatin1(kind) == QStringLiteral("Container") ? Qt::Key_Up : Qt::Key_Down);
        }
        type_into(dialog->txtItemName(), name);
        if (dialog->txtPageIndex().Visible())
            type_into(dialog->txtPageIndex(), index);
        click_on(dialog->OKButton());
        if (dialog->isVisible())
            click_on(dialog->CancelButton());
    });
    click_on(add_button);
    EXPECT_TRUE(shown) << "the Add dialog was shown modally";
    return kind_enabled;
}

// General holds a container Net with the page Proxy, and the page Files; Display the page
// Fonts. General remembers Proxy.
const QString kTree = QStringLiteral(" \t_GENERAL\t0\tGeneral\t0\t_GENERAL\\NET\\PROXY\r\n"
                                     "_GENERAL\t_GENERAL\\NET\t0\tNet\t0\t_GENERAL\\NET\\PROXY\r\n"
                                     "_GENERAL\\NET\t_GENERAL\\NET\\PROXY\t1\tProxy\t1\r\n"
                                     "_GENERAL\t_GENERAL\\FILES\t1\tFiles\t2\r\n"
                                     " \t_DISPLAY\t0\tDisplay\t0\t_DISPLAY\\FONTS\r\n"
                                     "_DISPLAY\t_DISPLAY\\FONTS\t1\tFonts\t3\r\n");

class OptionsEditorTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        host().reload(false);
        site_ = &host().add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
        host().form().clear_dirty();
        page_ = std::make_unique<ppOptionsTree>();
        page_->show();
    }

    KyTreeBase& control() { return *qobject_cast<KyTreeBase*>(site_->control()); }

    void open(const QString& text)
    {
        if (!text.isEmpty())
            control().AddNodes(QVariant::fromValue(options::ParseOptionList(text)));
        page_->set_selection({site_});
        page_->setChanged(false);
    }

    // The designer presses "Add item", fills the dialog and presses OK; a refused entry is
    // given up with Cancel. Returns whether the kind list could be used.
    bool add(const char* kind, const QString& name, const QString& index = {})
    {
        return add_through_dialog(page_->cmdAddItem(), kind, name, index);
    }

    void click(const QString& key) { page_->tvOptions().click_node(key); }
    QStringList prompts() const
    {
        QStringList out;
        for (const auto& box : const_cast<OptionsEditorTest*>(this)->boxes())
            out << box.prompt;
        return out;
    }
    QString text() const { return options::BuildOptionList(page_->colOptions().get()); }
    OptionPtr record(const QString& key) const { return options::option_at(*page_->colOptions(), key); }

    forms::ControlSite* site_ = nullptr;
    std::unique_ptr<ppOptionsTree> page_;
};

// The property sheet closing while the add dialog is open (the host's events run in the
// dialog) takes the page and its dialog along: the click ends without touching either.
TEST_F(OptionsEditorTest, ThePageClosingWhileTheAddDialogIsOpenEndsTheClickCleanly)
{
    open(kTree);
    QPointer<ppOptionsTree> page = page_.get();
    bool dialog_shown = false;
    QTimer::singleShot(0, [&] {
        dialog_shown = qobject_cast<frmAddOptItem*>(QApplication::activeModalWidget()) != nullptr;
        page_.reset();
    });
    click_on(page->cmdAddItem());
    EXPECT_TRUE(dialog_shown);
    EXPECT_TRUE(page.isNull());
}

TEST_F(OptionsEditorTest, TheFirstItemOfAnEmptyTreeIsARootContainer)
{
    open({});
    EXPECT_TRUE(page_->no_current_item());
    EXPECT_FALSE(page_->cmdRemove().Enabled());
    EXPECT_FALSE(add("Property page", QStringLiteral("  General ")));
    EXPECT_EQ(text(), " \t_GENERAL\t0\tGeneral\t0\t \r\n");
    EXPECT_TRUE(page_->Changed());
    EXPECT_TRUE(page_->cmdRemove().Enabled());
    EXPECT_EQ(control().options()->Count(), 0) << "the control's options wait for Apply";
    page_->apply();
    EXPECT_EQ(options::BuildOptionList(control().options().get()), text());
}

TEST_F(OptionsEditorTest, AddBuildsKeysFromTheCurrentContainerAndRefusesDuplicates)
{
    open({});
    add("Container", QStringLiteral("General"));
    add("Container", QStringLiteral("Options"));
    EXPECT_EQ(record("_GENERAL\\OPTIONS")->strParentKey, "_GENERAL");
    click(QStringLiteral("_GENERAL"));
    boxes().clear();
    add("Property page", QStringLiteral("options"), QStringLiteral("4"));
    EXPECT_EQ(prompts(), QStringList{"The Item with name 'options' is not unique in collection"});
    EXPECT_EQ(boxes()[0].style, 48);
    EXPECT_EQ(page_->colOptions()->Count(), 2);
}

TEST_F(OptionsEditorTest, TheDialogRefusesNamesTheTreeTextCannotHoldAndBadPageIndexes)
{
    open(kTree);
    click(QStringLiteral("_DISPLAY"));
    struct Case {
        const char* kind;
        QString name;
        const char* index;
        const char* message;
    };
    const std::vector<Case> refused = {
        {"Container", "", "", "You must input container name"},
        {"Container", "Back\\slash", "", "You must input container name"},
        {"Container", "Two\r\nLines", "", "You must input container name"},
        {"Property page", "Tab\there", "1", "You must input property page name"},
        {"Property page", "New\nline", "1", "You must input property page name"},
        {"Property page", "Colours", "0", "You must input option page index"},
        {"Property page", "Colours", "-3", "You must input option page index"},
        {"Property page", "Colours", "seven", "You must input option page index"},
        {"Property page", "Colours", "", "You must input option page index"},
        {"Property page", "Colours", "40000", "You must input option page index"},
    };
    const QString before = text();
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name.toStdString());
        boxes().clear();
        add(c.kind, c.name, QString::fromLatin1(c.index));
        EXPECT_EQ(prompts(), QStringList{QString::fromLatin1(c.message)})
            << c.name.toStdString() << " " << c.index << " got: " << prompts().join('|').toStdString();
        EXPECT_EQ(text(), before);
    }
    boxes().clear();
    add("Property page", QStringLiteral("Colours"), QStringLiteral(" 7 "));
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(record("_DISPLAY\\COLOURS")->iTabIndex, 7);
    // a new page is remembered by its container chain
    EXPECT_EQ(record("_DISPLAY")->strSelectedProperty, "_DISPLAY\\COLOURS");
    EXPECT_NO_THROW(options::ParseOptionList(text()));
}

TEST_F(OptionsEditorTest, AClickOnTheEmptyAreaSendsTheNextContainerToTheRoot)
{
    open(kTree);
    click(QStringLiteral("_GENERAL\\NET"));
    page_->tvOptions().click_empty();
    EXPECT_EQ(page_->tvOptions().SelectedKey(), "");
    add("Container", QStringLiteral("Printing"));
    EXPECT_EQ(record("_PRINTING")->strParentKey, " ");
    // a node click followed by its plain click puts the next container below it again
    click(QStringLiteral("_GENERAL\\NET"));
    add("Container", QStringLiteral("Cache"));
    EXPECT_EQ(record("_GENERAL\\NET\\CACHE")->strParentKey, "_GENERAL\\NET");
}

TEST_F(OptionsEditorTest, RemovingAContainerLeavesNoRememberedPagePointingIntoIt)
{
    open(kTree);
    click(QStringLiteral("_GENERAL\\NET"));
    page_->cmdRemove().setValue(true);
    EXPECT_FALSE(page_->colOptions()->Exists(QStringLiteral("_GENERAL\\NET\\PROXY")));
    EXPECT_EQ(record("_GENERAL")->strSelectedProperty, "_GENERAL\\FILES");
    EXPECT_TRUE(page_->Changed());
    page_->apply();
    // the form saves and loads again
    host().design_to_run();
    KyTreeBase& loaded = *qobject_cast<KyTreeBase*>(host().form().site(QStringLiteral("ktbOptions"))->control());
    EXPECT_EQ(loaded.CurrentKey(), "_GENERAL\\FILES");
}

TEST_F(OptionsEditorTest, RemovingPagesHandsTheirRoleOnAndTheLastItemEndsTheButtons)
{
    open(kTree);
    click(QStringLiteral("_DISPLAY\\FONTS"));
    page_->cmdRemove().setValue(true);
    EXPECT_EQ(record("_DISPLAY")->strSelectedProperty, " ");
    click(QStringLiteral("_GENERAL"));
    page_->cmdRemove().setValue(true);
    click(QStringLiteral("_DISPLAY"));
    page_->cmdRemove().setValue(true);
    EXPECT_EQ(page_->colOptions()->Count(), 0);
    EXPECT_TRUE(page_->no_current_item());
    EXPECT_FALSE(page_->cmdRemove().Enabled());
    EXPECT_FALSE(page_->cmdUp().Enabled());
    EXPECT_FALSE(page_->cmdDown().Enabled());
}

TEST_F(OptionsEditorTest, MovesStayAmongSiblingsAndDoNotMarkTheSheet)
{
    open(kTree);
    click(QStringLiteral("_GENERAL"));
    EXPECT_FALSE(page_->cmdUp().Enabled());
    EXPECT_TRUE(page_->cmdDown().Enabled());
    page_->setChanged(false);
    page_->cmdDown().setValue(true);
    EXPECT_EQ(page_->tvOptions().ChildKeys({}), (QStringList{"_DISPLAY", "_GENERAL"}));
    EXPECT_EQ(page_->tvOptions().SelectedKey(), "_GENERAL");
    EXPECT_TRUE(page_->cmdUp().Enabled());
    EXPECT_FALSE(page_->cmdDown().Enabled());
    EXPECT_FALSE(page_->Changed());
    click(QStringLiteral("_GENERAL\\FILES"));
    page_->cmdUp().setValue(true);
    EXPECT_EQ(page_->tvOptions().ChildKeys(QStringLiteral("_GENERAL")),
              (QStringList{"_GENERAL\\FILES", "_GENERAL\\NET"}));
    EXPECT_EQ(page_->tvOptions().ChildKeys(QStringLiteral("_GENERAL\\NET")), QStringList{"_GENERAL\\NET\\PROXY"});
}

TEST_F(OptionsEditorTest, AContainerClickTogglesItUnlessItsExpandSignWasJustUsed)
{
    open(kTree);
    click(QStringLiteral("_DISPLAY"));
    EXPECT_TRUE(page_->tvOptions().Expanded(QStringLiteral("_DISPLAY")));
    EXPECT_EQ(page_->tvOptions().Image(QStringLiteral("_DISPLAY")), options::kOpenedFolder);
    click(QStringLiteral("_DISPLAY"));
    EXPECT_FALSE(page_->tvOptions().Expanded(QStringLiteral("_DISPLAY")));
    // the designer opens it with the expand sign, then clicks it: it stays open
    page_->tvOptions().setExpanded(QStringLiteral("_DISPLAY"), true);
    click(QStringLiteral("_DISPLAY"));
    EXPECT_TRUE(page_->tvOptions().Expanded(QStringLiteral("_DISPLAY")));
}

TEST_F(OptionsEditorTest, RenameReKeysTheSubtreeAndKeepsItsPlace)
{
    open(kTree);
    click(QStringLiteral("_GENERAL"));
    page_->tvOptions().finish_label_edit(QStringLiteral("_GENERAL"), QStringLiteral("Network"));
    EXPECT_EQ(page_->tvOptions().ChildKeys({}), (QStringList{"_NETWORK", "_DISPLAY"}));
    EXPECT_EQ(record("_NETWORK\\NET")->strParentKey, "_NETWORK");
    EXPECT_EQ(record("_NETWORK")->strSelectedProperty, "_NETWORK\\NET\\PROXY");
    EXPECT_EQ(page_->current_key(), "_NETWORK");
    EXPECT_TRUE(page_->Changed());
}

TEST_F(OptionsEditorTest, RenamesThatWouldCorruptOrLoseAnItemAreRefused)
{
    open(kTree);
    struct Case {
        QString key;
        QString name;
        const char* message;
    };
    const std::vector<Case> refused = {
        {"_GENERAL\\FILES", "A\\B", "You cannot input slashes in this case"},
        {"_GENERAL\\FILES", "A\tB", "You cannot input tabs or line breaks in this case"},
        {"_GENERAL\\FILES", "A\r\nB", "You cannot input tabs or line breaks in this case"},
        {"_GENERAL\\FILES", "net", "The Item with name 'net' is not unique in collection"},
        {"_DISPLAY", "GENERAL", "The Item with name 'GENERAL' is not unique in collection"},
        {"_DISPLAY", "  ", "You must input container name"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name.toStdString());
        click(c.key);
        const QString before = text();
        boxes().clear();
        page_->tvOptions().finish_label_edit(c.key, c.name);
        EXPECT_EQ(prompts(), QStringList{QString::fromLatin1(c.message)})
            << c.name.toStdString() << " got: " << prompts().join('|').toStdString();
        EXPECT_EQ(text(), before);
        EXPECT_EQ(page_->tvOptions().Text(c.key), record(c.key)->strName);
    }
}

TEST_F(OptionsEditorTest, ABadPageIndexKeepsTheCurrentItemAndApplyStoresAGoodOne)
{
    open(kTree);
    click(QStringLiteral("_GENERAL\\FILES"));
    EXPECT_EQ(page_->txtPageIndex().Text(), "2");
    page_->setChanged(false);
    page_->txtPageIndex().setText(QStringLiteral("abc"));
    boxes().clear();
    click(QStringLiteral("_DISPLAY"));
    EXPECT_EQ(prompts(), QStringList{"You must input option page index"});
    EXPECT_EQ(page_->current_key(), "_GENERAL\\FILES");
    EXPECT_EQ(page_->tvOptions().SelectedKey(), "_GENERAL\\FILES");
    // Apply checks the index first and hands nothing over
    host().form().clear_dirty();
    page_->apply();
    EXPECT_FALSE(host().form().dirty());

    page_->txtPageIndex().setText(QStringLiteral(" 9 "));
    page_->apply();
    EXPECT_EQ(record("_GENERAL\\FILES")->iTabIndex, 9);
    EXPECT_TRUE(host().form().dirty());
    EXPECT_EQ(control().tvOptions().Tag(QStringLiteral("_GENERAL\\FILES")).toInt(), 9);
    EXPECT_TRUE(host().saved_text().contains(QStringLiteral("FILES\\t1\\tFiles\\t9")));
}

TEST_F(OptionsEditorTest, PicturesOfTheEditorAndTheAddDialog)
{
    open(kTree);
    click(QStringLiteral("_GENERAL"));
    click(QStringLiteral("_GENERAL\\NET"));
    click(QStringLiteral("_GENERAL\\NET\\PROXY"));
    page_->show();
    const auto path = artefacts_dir() / "options_tree_editor.png";
    ASSERT_TRUE(page_->grab().toImage().save(QString::fromStdString(path.string())));

    frmAddOptItem dialog;
    dialog.setWindowTitle(QStringLiteral("Add option tree item"));
    dialog.cmbItemType().setText(QStringLiteral("Property page"));
    dialog.txtItemName().setText(QStringLiteral("Colours"));
    dialog.txtPageIndex().setText(QStringLiteral("5"));
    dialog.show();
    const auto dialog_path = artefacts_dir() / "options_add_item_dialog.png";
    ASSERT_TRUE(dialog.grab().toImage().save(QString::fromStdString(dialog_path.string())));
}

// The dialog's boxes carry the words of the labels above them for assistive tools.
TEST_F(OptionsEditorTest, TheAddDialogsBoxesAreNamedByTheirLabels)
{
    frmAddOptItem dialog;
    const struct {
        QWidget* box;
        const char* name;
    } boxes[] = {{&dialog.cmbItemType(), "Select item type"},
                 {&dialog.txtItemName(), "Input item name"},
                 {&dialog.txtPageIndex(), "Input option page index for item"}};
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.name);
        [&] { // an ASSERT ends this row only
            QAccessibleInterface* read = QAccessible::queryAccessibleInterface(b.box);
            ASSERT_NE(read, nullptr);
            EXPECT_EQ(read->text(QAccessible::Name).toStdString(), b.name);
        }();
    }
}

} // namespace

#include "tests/controls/property_sheet_fixture.h"

#include <QTreeWidget>

namespace {

// The editor on a tree control placed on a design form, in the control's real property sheet.
class OptionsSheetTest : public PropertySheetTest {
protected:
    void SetUp() override
    {
        PropertySheetTest::SetUp();
        site_ = &open_designed(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
        tree_control().AddNodes(QVariant::fromValue(options::ParseOptionList(kTree)));
        design_->form().clear_dirty();
        stored_ = design_->saved_text();
        ASSERT_TRUE(sheet_->set_selection({site_}));
        sheet_->show();
    }
    KyTreeBase& tree_control() { return *qobject_cast<KyTreeBase*>(site_->control()); }
    ppOptionsTree& editor() { return static_cast<ppOptionsTree&>(*sheet_->page(0)); }
    QString control_text() { return options::BuildOptionList(tree_control().options().get()); }

    // A click on the node's text in the editor's tree.
    void click_node(const QString& key)
    {
        forms::TreeView& view = editor().tvOptions();
        view.EnsureVisible(key);
        auto* tree = view.findChild<QTreeWidget*>();
        const QList<QTreeWidgetItem*> items =
            tree->findItems(view.Text(key), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1) << key.toStdString();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items[0]).center());
        QCoreApplication::processEvents();
        ASSERT_EQ(editor().current_key(), key);
    }

    forms::ControlSite* site_ = nullptr;
    QString stored_;
};

} // namespace

TEST_F(OptionsSheetTest, CancelLeavesTheControlsOptionsAsTheyWereAndApplyHandsThemOver)
{
    const QString before = control_text();
    click_node(QStringLiteral("_DISPLAY\\FONTS"));
    click_on(editor().cmdRemove());
    click_node(QStringLiteral("_GENERAL"));
    add_through_dialog(editor().cmdAddItem(), "Container", QStringLiteral("Printing"), {});
    editor().tvOptions().finish_label_edit(QStringLiteral("_GENERAL\\NET"), QStringLiteral("Network"));
    EXPECT_TRUE(sheet_->apply_enabled());
    EXPECT_EQ(control_text(), before) << "nothing reaches the control before Apply";

    press(*sheet_, QDialogButtonBox::Cancel);
    EXPECT_FALSE(sheet_->isVisible());
    EXPECT_EQ(control_text(), before);
    EXPECT_TRUE(tree_control().tvOptions().Exists(QStringLiteral("_DISPLAY\\FONTS")));
    EXPECT_FALSE(design_->form().dirty());
    EXPECT_EQ(design_->saved_text(), stored_);

    // Opened again, a removal applied reaches the control; one cancelled afterwards does not.
    sheet_->open_for({site_});
    sheet_->show();
    click_node(QStringLiteral("_DISPLAY\\FONTS"));
    click_on(editor().cmdRemove());
    press(*sheet_, QDialogButtonBox::Apply);
    const QString applied = control_text();
    EXPECT_FALSE(applied.contains(QStringLiteral("FONTS")));
    EXPECT_FALSE(tree_control().tvOptions().Exists(QStringLiteral("_DISPLAY\\FONTS")));
    click_node(QStringLiteral("_GENERAL\\FILES"));
    click_on(editor().cmdRemove());
    press(*sheet_, QDialogButtonBox::Cancel);
    EXPECT_EQ(control_text(), applied);
    EXPECT_TRUE(design_->form().dirty());
}

TEST_F(OptionsSheetTest, ARefusedPageIndexKeepsTheSheetOpenOnOk)
{
    click_node(QStringLiteral("_GENERAL\\FILES"));
    type_into(editor().txtPageIndex(), QStringLiteral("abc"));
    press(*sheet_, QDialogButtonBox::Ok);
    EXPECT_TRUE(sheet_->isVisible()) << "nothing was handed over";
    ASSERT_EQ(design_->messages().boxes.size(), 1u);
    EXPECT_EQ(design_->messages().boxes[0].prompt, QStringLiteral("You must input option page index"));
    EXPECT_TRUE(sheet_->apply_enabled());
    type_into(editor().txtPageIndex(), QStringLiteral("6"));
    press(*sheet_, QDialogButtonBox::Ok);
    EXPECT_FALSE(sheet_->isVisible());
    EXPECT_TRUE(control_text().contains(QStringLiteral("Files\t6")));
}

TEST_F(OptionsSheetTest, AnIndexTypedForARemovedPageIsDroppedWithIt)
{
    tree_control().AddNodes(QVariant::fromValue(options::ParseOptionList(
        QStringLiteral(" \t_DISPLAY\t0\tDisplay\t0\t_DISPLAY\\FONTS\r\n"
                       "_DISPLAY\t_DISPLAY\\FONTS\t1\tFonts\t3\r\n"
                       "_DISPLAY\t_DISPLAY\\COLOURS\t1\tColours\t4\r\n"))));
    ASSERT_TRUE(sheet_->set_selection({site_}));
    click_node(QStringLiteral("_DISPLAY\\FONTS"));
    type_into(editor().txtPageIndex(), QStringLiteral("8"));
    click_on(editor().cmdRemove());
    ASSERT_EQ(editor().current_key(), QStringLiteral("_DISPLAY\\COLOURS"));
    EXPECT_EQ(editor().txtPageIndex().Text(), QStringLiteral("4")) << "the box shows the page now current";
    click_node(QStringLiteral("_DISPLAY\\COLOURS"));
    EXPECT_EQ(editor().txtPageIndex().Text(), QStringLiteral("4"));
    save_picture(*sheet_, 0, "options_tree_after_removal.png");
    press(*sheet_, QDialogButtonBox::Apply);
    EXPECT_EQ(control_text(), QStringLiteral(" \t_DISPLAY\t0\tDisplay\t0\t_DISPLAY\\COLOURS\r\n"
                                             "_DISPLAY\t_DISPLAY\\COLOURS\t1\tColours\t4\r\n"));
}

// Keys in the in-place rename are the editor's: Enter commits the new name and leaves the
// sheet open (it is no press of OK), Esc gives up the edit and leaves the sheet open too.
TEST_F(OptionsSheetTest, EnterCommitsAnInPlaceRenameAndEscCancelsItWithoutClosingTheSheet)
{
    struct Case {
        Qt::Key key;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {{Qt::Key_Return, "Screen", "Screen"}, {Qt::Key_Escape, "Lost", "General"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        [&] { // an ASSERT ends this row only
            const QString key = c.key == Qt::Key_Return ? QStringLiteral("_DISPLAY") : QStringLiteral("_GENERAL");
            click_node(key);
            auto* tree = editor().tvOptions().findChild<QTreeWidget*>();
            tree->setFocus();
            QTest::keyClick(tree, Qt::Key_F2);
            QCoreApplication::processEvents();
            auto* edit = tree->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr) << "F2 starts the rename";
            ASSERT_TRUE(edit->isVisible());
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, QString::fromLatin1(c.typed));
            QTest::keyClick(edit, c.key);
            QTest::qWait(50); // the tree takes the new name once its editor has closed
            EXPECT_TRUE(sheet_->isVisible()) << "the key ended the edit, not the sheet";
            EXPECT_TRUE(editor()
                            .tvOptions()
                            .findChild<QTreeWidget*>()
                            ->findItems(QString::fromLatin1(c.shown), Qt::MatchExactly | Qt::MatchRecursive)
                            .size() == 1);
        }();
    }
    EXPECT_TRUE(control_text().contains(QStringLiteral("_SCREEN")) == false) << "nothing handed over before OK";
    EXPECT_TRUE(sheet_->apply());
    EXPECT_TRUE(control_text().contains(QStringLiteral("\t_SCREEN\t0\tScreen\t")));
}
