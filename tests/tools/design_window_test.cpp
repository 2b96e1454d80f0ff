// The design window as a person uses it: the property list reaches every design-time property
// a person sets (chosen with the mouse, typed, Enter), what was set is saved, and closing
// the window with unsaved changes asks first.

#include "tools/design/design_window.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/intrinsics/list_view.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/stored_value.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/tools/design_fixture.h"
#include "tools/design/property_list.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <cstdio>

namespace {

class DesignWindowTest : public DesignToolTest {
protected:
    void SetUp() override
    {
        DesignToolTest::SetUp();
        // An options dialog: the tree host and one page.
        forms::TestHost design(false);
        design.add(QStringLiteral("KyComCtl.KyTreeBase"), QStringLiteral("ktbOptions"));
        design.add(QStringLiteral("KyComCtl.KyOptionPage"), QStringLiteral("kopGeneral"));
        options_form_ = dir_.filePath(QStringLiteral("frmOptions.frm"));
        QFile file(options_form_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(design.saved_text().toUtf8());
    }
    // A click on the item of `list` whose text starts with `start`.
    static void click_item(forms::ListView& list, const QString& start)
    {
        QTreeWidget& tree = list.widget();
        for (int i = 0; i < tree.topLevelItemCount(); ++i)
            if (tree.topLevelItem(i)->text(0).startsWith(start)) {
                tree.scrollToItem(tree.topLevelItem(i));
                QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                                  tree.visualItemRect(tree.topLevelItem(i)).center());
                return;
            }
        ADD_FAILURE() << "no item " << start.toStdString();
    }

    // Chooses the control and the property, types the value over the old one and presses Enter.
    static void type_property(DesignWindow& window, const QString& control, const QString& property,
                              const QString& text)
    {
        click_item(window.control_list(), control);
        click_item(window.property_list(), property + QStringLiteral(": "));
        auto* edit = window.value_box().findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        // Key by key, each with its text, so that any letter can be typed.
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QString options_form_;
};

} // namespace

TEST_F(DesignWindowTest, ThePropertyListReachesTheDesignTimePropertiesAndTheyAreSaved)
{
    struct Case {
        const char* form;
        const char* control;
        const char* property;
        const char* typed;
        const char* shown; // the list's value after the Let
        QVariant read_back; // after a save and a reopen
        const char* refused = nullptr; // words of the box that refuses the value, if it does
    };
    // In order on one file. While the size is held, ParentWidth and ParentHeight ignore a Let,
    // and the size mode of a form that is not at the standard size stays user-defined.
    const Case cases[] = {
        {"program", "KyWizardNavigator1", "WizardSizeMode", "0", "1", 1},
        {"program", "KyWizardNavigator1", "ParentWidth", "9000", "7512", 7512},
        {"program", "KyWizardNavigator1", "HoldParentSize", "False", "False", false},
        {"program", "KyWizardNavigator1", "ParentWidth", "9000", "9000", 9000},
        {"program", "KyWizardNavigator1", "ParentHeight", "6000", "6000", 6000},
        {"program", "KyWizardNavigator1", "WizardSizeMode", "0", "0", 0},
        {"program", "KyWizardNavigator1", "ParentHeight", "5700", "5700", 5700},
        {"program", "KyWizardNavigator1", "WizardSizeMode", "1", "1", 1},
        {"program", "KyWizardNavigator1", "HoldParentSize", "True", "True", true},
        {"program", "KyWizardNavigator1", "ShowErrorMsg", "False", "False", false},
        // The Let writes the captions file; the Get is always False.
        {"program", "KyWizardNavigator1", "SaveCaptionsToFile", "True", "False", false},
        {"program", "wtFinish", "SaveCaptionsToFile", "True", "False", false},
        {"program", "wtFinish", "BannerTitle", "Всё готово", "Всё готово", QStringLiteral("Всё готово")},
        // The bar's own Align (its caption's place), not the site's docking; a stored file holds
        // only the places the General page offers, so a place beyond them is refused where it
        // is typed and the bar keeps its place: the saved form reopens.
        {"program", "prbProcessProgress", "Align", "2", "2", 2},
        {"program", "prbProcessProgress", "Align", "7", "2", 2, "Align of prbProcessProgress: 7 is no value from 0 to 2"},
        {"program", "prbProcessProgress", "Align", "1", "1", 1},
        {"options", "kopGeneral", "Caption", "General", "General", QStringLiteral("General")},
        {"options", "kopGeneral", "PageIndex", "4", "4", 4},
        {"options", "kopGeneral", "HeaderMode", "1", "1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.control) + "." + c.property + " = " + c.typed);
        [&] { // an ASSERT ends this row only
            const QString path = QString::fromLatin1(c.form) == QLatin1String("program") ? program_form_ : options_form_;
            {
                DesignWindow window;
                window.show();
                ASSERT_TRUE(window.open(path));
                type_property(window, QString::fromLatin1(c.control), QString::fromLatin1(c.property),
                              QString::fromUtf8(c.typed));
                if (c.refused != nullptr) {
                    ASSERT_EQ(boxes().size(), 1u);
                    EXPECT_TRUE(boxes()[0].prompt.contains(QString::fromLatin1(c.refused))) << boxes()[0].prompt.toStdString();
                    EXPECT_FALSE(window.session().has_changes());
                    boxes().clear();
                }
                EXPECT_TRUE(boxes().empty()) << (boxes().empty() ? "" : boxes().back().prompt.toStdString());
                EXPECT_EQ(window.property_list().Text(window.property_list().SelectedIndex()),
                          QString::fromLatin1(c.property) + QStringLiteral(": ") + QString::fromUtf8(c.shown));
                QTest::mouseClick(&window.save_button(), Qt::LeftButton);
            }
            DesignSession again;
            again.open(path);
            forms::ControlSite* site = again.form().site(QString::fromLatin1(c.control));
            EXPECT_EQ(forms::get(site, QString::fromLatin1(c.property)), c.read_back);
            if (QString::fromLatin1(c.control) == QLatin1String("prbProcessProgress")) {
                // The bar stays where it was placed, undocked, at its own width.
                EXPECT_EQ(site->Align(), forms::vbAlignNone);
                EXPECT_EQ(site->Left(), 600);
                EXPECT_EQ(site->Width(), 6615);
            }
        }();
    }
}

TEST_F(DesignWindowTest, TheNavigatorsSizePropertiesAreListed)
{
    DesignWindow window;
    window.show();
    ASSERT_TRUE(window.open(program_form_));
    click_item(window.control_list(), QStringLiteral("KyWizardNavigator1"));
    QStringList names;
    for (int i = 1; i <= window.property_list().Count(); ++i)
        names << window.property_list().Text(i).section(QStringLiteral(": "), 0, 0);
    for (const char* name :
         {"WizardSizeMode", "ParentWidth", "ParentHeight", "HoldParentSize", "ShowErrorMsg", "SaveCaptionsToFile"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(name))) << name;
    // The form's size as stored, not rounded to whole pixels.
    EXPECT_TRUE(window.property_list().FindItem(QStringLiteral("ParentWidth: 7512")) > 0);
}

TEST_F(DesignWindowTest, SaveCaptionsToFileWritesThePagesAndTheNavigatorsFiles)
{
    DesignWindow window;
    window.show();
    ASSERT_TRUE(window.open(program_form_));
    for (const char* control : {"wtFinish", "KyWizardNavigator1"}) {
        type_property(window, QString::fromLatin1(control), QStringLiteral("SaveCaptionsToFile"),
                      QStringLiteral("True"));
        EXPECT_TRUE(QFile::exists(dir_.filePath(QString::fromLatin1(control) + QStringLiteral(".txt")))) << control;
    }
    EXPECT_TRUE(boxes().empty());
}

TEST_F(DesignWindowTest, AValueThatIsNoValueOfThePropertyIsRefusedAndLosesNothing)
{
    DesignWindow window;
    window.show();
    ASSERT_TRUE(window.open(program_form_));
    const QByteArray before = read_all(program_form_);
    type_property(window, QStringLiteral("KyWizardNavigator1"), QStringLiteral("HoldParentSize"),
                  QStringLiteral("perhaps"));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxes()[0].prompt.contains(QStringLiteral("HoldParentSize"))) << boxes()[0].prompt.toStdString();
    EXPECT_FALSE(window.session().has_changes());
    EXPECT_EQ(read_all(program_form_), before);
}

TEST_F(DesignWindowTest, ClosingWithUnsavedChangesAsksWhetherToSave)
{
    struct Case {
        int answer;
        bool closed;
        bool saved;
    };
    const Case cases[] = {{forms::vbYes, true, true}, {forms::vbNo, true, false}, {forms::vbCancel, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        [&] { // an ASSERT ends this row only
            QFile::remove(program_form_);
            ASSERT_TRUE(QFile::copy(QStringLiteral(OSTREL_PROGRAM_FORM), program_form_));
            const QByteArray before = read_all(program_form_);
            DesignWindow window;
            window.show();
            ASSERT_TRUE(window.open(program_form_));
            // Unchanged: closes without a question.
            EXPECT_TRUE(window.close());
            EXPECT_TRUE(boxes().empty());
            window.show();
            type_property(window, QStringLiteral("wtFinish"), QStringLiteral("BannerTitle"), QStringLiteral("Done"));
            host().messages().answer_next(c.answer);
            EXPECT_EQ(window.close(), c.closed);
            ASSERT_EQ(boxes().size(), 1u);
            EXPECT_EQ(boxes()[0].prompt, QStringLiteral("Save the changes to %1?").arg(program_form_));
            EXPECT_EQ(read_all(program_form_) != before, c.saved);
            boxes().clear();
        }();
    }
}

// A page never maximised since the form was opened has no place of its own for its strip:
// docking stacked wtSelectOption far below the form's edge. Minimised, its strip comes where a
// designer sees it (on the form, above the navigator's bar, in front of the pages), and a save
// and a reopen bring it back to the same place.
TEST_F(DesignWindowTest, AMinimisedPageWithNoSavedPlaceComesOntoTheFormAndBackThereOnReopen)
{
    const QString page = QStringLiteral("wtSelectOption");
    double left = 0, top = 0;
    {
        DesignWindow window;
        window.show();
        ASSERT_TRUE(window.open(program_form_));
        forms::Form& form = window.session().form();
        forms::ControlSite& strip = *form.site(page);
        const forms::ControlSite& bar = *form.site(QStringLiteral("KyWizardNavigator1"));
        ASSERT_GT(strip.Top(), form.ScaleHeight()) << "the fixture: docked below the form's edge";
        type_property(window, page, QStringLiteral("PageState"), QStringLiteral("1"));
        EXPECT_TRUE(boxes().empty());
        EXPECT_GE(strip.Left(), 0);
        EXPECT_GE(strip.Top(), 0);
        EXPECT_LE(strip.Left() + strip.Width(), form.ScaleWidth());
        EXPECT_LE(strip.Top() + strip.Height(), bar.Top());
        // In front of the pages and of the design aids: the strip's index is what shows, on
        // this strip and on wtWelcome's, saved minimised.
        for (const QString& name : {page, QStringLiteral("wtWelcome")}) {
            SCOPED_TRACE(name.toStdString());
            [&] { // an ASSERT ends this row only
                auto* index = static_cast<QWidget*>(form.site(name)->control())
                                  ->findChild<QWidget*>(QStringLiteral("lblPageIndex"));
                ASSERT_NE(index, nullptr);
                EXPECT_EQ(form.childAt(index->mapTo(&form, index->rect().center())), index) << name.toStdString();
            }();
        }
        EXPECT_TRUE(save_picture(form, "ostrel_design_minimised_strips"));
        left = strip.Left();
        top = strip.Top();
        QTest::mouseClick(&window.save_button(), Qt::LeftButton);
    }
    DesignWindow again;
    again.show();
    ASSERT_TRUE(again.open(program_form_));
    const forms::ControlSite& strip = *again.session().form().site(page);
    EXPECT_EQ(strip.Left(), left);
    EXPECT_EQ(strip.Top(), top);
    EXPECT_EQ(strip.Height(), 300);
}

TEST_F(DesignWindowTest, APictureOfTheDesignWindowWithItsPropertyList)
{
    DesignWindow window;
    window.show();
    ASSERT_TRUE(window.open(program_form_));
    click_item(window.control_list(), QStringLiteral("KyWizardNavigator1"));
    click_item(window.property_list(), QStringLiteral("WizardSizeMode: "));
    EXPECT_EQ(window.value_box().Text(), QStringLiteral("1"));
    const auto picture = artefacts_dir() / "ostrel_design_property_list.png";
    EXPECT_TRUE(window.grab().toImage().save(QString::fromStdString(picture.string())));
    std::printf("picture of the design window's property list: %s\n", picture.c_str());
}

// What a designer reaches beyond a control's own properties: the extender's place and size
// (a control is moved and sized from the list), the intrinsic controls the form placed, the
// form's own Caption and size, and colours as the form file writes them. A label made
// AutoSize and back is sized again to where it was, and the file is then as it was.
TEST_F(DesignWindowTest, TheListMovesAndSizesControlsAndEditsTheFormAndColours)
{
    const QByteArray original = read_all(program_form_);
    struct Step {
        const char* control;
        const char* property;
        const char* typed;
        const char* shown;
    };
    // Each step typed in the list, taken without a word and shown as `shown`.
    const auto type_steps = [this](DesignWindow& window, const auto& steps) {
        for (const Step& s : steps) {
            SCOPED_TRACE(std::string(s.control) + "." + s.property + " = " + s.typed);
            type_property(window, QString::fromLatin1(s.control), QString::fromLatin1(s.property),
                          QString::fromLatin1(s.typed));
            EXPECT_TRUE(boxes().empty()) << (boxes().empty() ? "" : boxes().back().prompt.toStdString());
            EXPECT_EQ(window.property_list().Text(window.property_list().SelectedIndex()),
                      QString::fromLatin1(s.property) + QStringLiteral(": ") + QString::fromLatin1(s.shown));
        }
    };
    const Step undone[] = {
        {"lblDetectionProgress", "AutoSize", "True", "True"},
        {"lblDetectionProgress", "AutoSize", "False", "False"},
        {"lblDetectionProgress", "Width", "6297", "6297"},
        {"lblDetectionProgress", "Height", "255", "255"},
        {"wtFinish", "BackColor", "&H80000005&", "&H80000005&"},
        {"wtFinish", "BackColor", "&h8000000f", "&H8000000F&"},
    };
    {
        DesignWindow window;
        window.show();
        ASSERT_TRUE(window.open(program_form_));
        type_steps(window, undone);
        EXPECT_FALSE(window.session().has_changes());
        QTest::mouseClick(&window.save_button(), Qt::LeftButton);
        EXPECT_EQ(read_all(program_form_), original);

        // A move, a size and the form's caption, each saved on its own line.
        const Step changes[] = {
            {"prbProcessProgress", "Left", "900", "900"},
            {"prbProcessProgress", "Width", "6000", "6000"},
            {"frmMain", "Caption", "RES127:Statistics", "RES127:Statistics"},
        };
        type_steps(window, changes);
        // The form's size is listed too (the navigator holds this form's size).
        click_item(window.control_list(), QStringLiteral("frmMain"));
        EXPECT_GT(window.property_list().FindItem(QStringLiteral("Width: 7512")), 0);
        EXPECT_GT(window.property_list().FindItem(QStringLiteral("Height: 5676")), 0);
        QTest::mouseClick(&window.save_button(), Qt::LeftButton);
    }
    QByteArray expected = original;
    expected.replace("         @Left = Double 600\n         @Top = Double 3450\n         @Width = Double 6615\n",
                     "         @Left = Double 900\n         @Top = Double 3450\n         @Width = Double 6000\n");
    expected.replace("Caption = String \"RES127:Tallimar\"", "Caption = String \"RES127:Statistics\"");
    EXPECT_EQ(read_all(program_form_), expected);
}

// A colour typed in no form of a colour is refused, naming the property and the forms.
TEST_F(DesignWindowTest, AColourThatIsNoColourIsRefused)
{
    DesignWindow window;
    window.show();
    ASSERT_TRUE(window.open(program_form_));
    type_property(window, QStringLiteral("wtFinish"), QStringLiteral("BackColor"), QStringLiteral("&Hxyz&"));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_TRUE(boxes()[0].prompt.contains(QStringLiteral("BackColor"))) << boxes()[0].prompt.toStdString();
    EXPECT_TRUE(boxes()[0].prompt.contains(QStringLiteral("&H8000000F&"))) << boxes()[0].prompt.toStdString();
    EXPECT_FALSE(window.session().has_changes());
}

// Every value the property list takes for a stored enumeration saves and opens again, and the
// list refuses exactly the values the control's reader would refuse: each control's own table
// of stored enumerations (the one its reader reads through), one value beyond either end.
TEST_F(DesignWindowTest, EveryEnumerationValueTheListTakesSavesAndOpensAgain)
{
    // A label besides the program's form: its pointer takes 0 to 15 and 99.
    const QString label_form = dir_.filePath(QStringLiteral("frmLabel.frm"));
    {
        forms::TestHost design(false);
        design.add(QStringLiteral("KyComCtl.KyLabel"), QStringLiteral("lblTitle"));
        QFile file(label_form);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(design.saved_text().toUtf8());
    }
    struct Control {
        QString form;
        const char* name;
    };
    const Control controls[] = {
        {program_form_, "wtFinish"}, {program_form_, "KyWizardNavigator1"},
        {program_form_, "prbProcessProgress"}, {label_form, "lblTitle"}};
    int saved = 0, refused = 0;
    for (const Control& c : controls) {
        const QString name = QString::fromLatin1(c.name);
        DesignWindow window;
        window.show();
        ASSERT_TRUE(window.open(c.form));
        forms::ControlSite& site = *window.session().form().site(name);
        std::vector<forms::StoredChoice> listed;
        for (const DesignProperty& p : design_properties(site))
            if (const forms::StoredChoice* choice = forms::find_stored_choice(site.control()->stored_choices(), p.name))
                listed.push_back(*choice);
        EXPECT_FALSE(listed.empty()) << c.name;
        for (const forms::StoredChoice& choice : listed) {
            const QString property = QString::fromLatin1(choice.key);
            std::vector<std::int32_t> values;
            for (std::int32_t v = choice.least - 1; v <= choice.most + 1; ++v)
                values.push_back(v);
            if (choice.also)
                values.insert(values.end(), {*choice.also - 1, *choice.also, *choice.also + 1});
            for (const std::int32_t value : values) {
                SCOPED_TRACE(name.toStdString() + "." + property.toStdString() + " = " + std::to_string(value));
                type_property(window, name, property, QString::number(value));
                if (!choice.takes(value)) {
                    ASSERT_EQ(boxes().size(), 1u);
                    EXPECT_TRUE(boxes()[0].prompt.contains(property + QStringLiteral(" of ") + name))
                        << boxes()[0].prompt.toStdString();
                    EXPECT_TRUE(boxes()[0].prompt.contains(choice.values_text())) << boxes()[0].prompt.toStdString();
                    boxes().clear();
                    ++refused;
                    continue;
                }
                ASSERT_TRUE(boxes().empty()) << boxes().back().prompt.toStdString();
                // What the list shows is what the control holds after its own rules.
                const QString shown = window.property_list()
                                          .Text(window.property_list().SelectedIndex())
                                          .section(QStringLiteral(": "), 1);
                ASSERT_TRUE(window.save());
                DesignSession again;
                again.open(c.form);
                EXPECT_EQ(forms::get(again.form().site(name), property).toString(), shown);
                ++saved;
            }
        }
    }
    std::printf("%d values saved and opened again, %d refused where typed\n", saved, refused);
}
