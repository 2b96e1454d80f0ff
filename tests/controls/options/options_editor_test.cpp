#include "controls/options/frm_add_opt_item.h"
#include "controls/options/ky_tree_base.h"
#include "controls/options/ky_tree_functions.h"
#include "controls/options/option_tree_text.h"
#include "controls/options/pp_options_tree.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/control_site.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/text_box.h"
#include "platform/forms/tree_view.h"
#include "tests/controls/kycomctl_fixture.h"

#include <QTimer>

namespace {

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
    }

    KyTreeBase& control() { return *qobject_cast<KyTreeBase*>(site_->control()); }

    void open(const QString& text)
    {
        if (!text.isEmpty())
            control().AddNodes(QVariant::fromValue(options::ParseOptionList(text)));
        page_->set_selection({site_});
        page_->setChanged(false);
    }

    // The designer fills the Add dialog and presses OK; a refused entry is given up with
    // Cancel. Returns whether the kind list could be used.
    bool add(const char* kind, const QString& name, const QString& index = {})
    {
        bool kind_enabled = false;
        page_->show_add_dialog = [&](frmAddOptItem& dialog) {
            kind_enabled = dialog.cmbItemType().Enabled();
            if (kind_enabled)
                dialog.cmbItemType().setText(QString::fromLatin1(kind));
            dialog.txtItemName().setText(name);
            if (dialog.txtPageIndex().Visible())
                dialog.txtPageIndex().setText(index);
            dialog.OKButton().setValue(true);
            if (dialog.Cancelled())
                dialog.CancelButton().setValue(true);
        };
        page_->cmdAddItem().setValue(true);
        return kind_enabled;
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

TEST_F(OptionsEditorTest, TheFirstItemOfAnEmptyTreeIsARootContainer)
{
    open({});
    EXPECT_TRUE(page_->no_current_item());
    EXPECT_FALSE(page_->cmdRemove().Enabled());
    EXPECT_FALSE(add("Property page", QStringLiteral("  General ")));
    EXPECT_EQ(text(), " \t_GENERAL\t0\tGeneral\t0\t \r\n");
    EXPECT_TRUE(page_->Changed());
    EXPECT_TRUE(page_->cmdRemove().Enabled());
    // the control's own collection was edited
    EXPECT_EQ(control().options(), page_->colOptions());
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

} // namespace
