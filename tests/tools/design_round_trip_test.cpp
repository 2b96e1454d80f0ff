// What a person saved stays saved: the program's own form opened in the design tool and
// saved, or saved after OK on any control's property sheet with nothing changed, is the file
// byte for byte; a change touches only its own line.

#include "tools/design/design_session.h"

#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/form.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/hosting/late_binding.h"
#include "platform/forms/pages/property_page.h"
#include "platform/forms/pages/property_sheet.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/tools/design_fixture.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QSet>
#include <QTabBar>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

namespace {

class DesignRoundTripTest : public DesignToolTest {
protected:
    void SetUp() override
    {
        DesignToolTest::SetUp();
        path_ = program_form_;
        original_ = read_all(path_);
    }

    // Opens the control's sheet and presses its OK button, as a person does.
    static void ok_with_nothing_changed(DesignSession& session, const QString& control)
    {
        auto sheet = session.sheet_for(control);
        sheet->show();
        QPushButton* ok = sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    static void press(forms::PropertySheet& sheet, QDialogButtonBox::StandardButton which)
    {
        QPushButton* button = sheet.findChild<QDialogButtonBox*>()->button(which);
        ASSERT_NE(button, nullptr);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Types `text` over what the General page's PageIndex box holds, as a person does.
    static void type_page_index(forms::PropertySheet& sheet, const QString& text)
    {
        auto* box = sheet.page(0)->findChild<forms::TextBox*>(QStringLiteral("txtPageIndex"));
        ASSERT_NE(box, nullptr);
        auto* edit = box->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }

    // The lines of `after` that `before` does not hold, and those it lost, marked + and -.
    static QStringList changed_lines(const QByteArray& before, const QByteArray& after)
    {
        const QStringList old_lines = QString::fromUtf8(before).split(QLatin1Char('\n'));
        const QStringList new_lines = QString::fromUtf8(after).split(QLatin1Char('\n'));
        QStringList changed;
        for (const QString& line : new_lines)
            if (old_lines.count(line) < new_lines.count(line) && !changed.contains(QStringLiteral("+") + line))
                changed << QStringLiteral("+") + line;
        for (const QString& line : old_lines)
            if (new_lines.count(line) < old_lines.count(line) && !changed.contains(QStringLiteral("-") + line))
                changed << QStringLiteral("-") + line;
        if (changed.isEmpty() && before != after)
            changed << QStringLiteral("(lines moved)");
        return changed;
    }

    QString path_;
    QByteArray original_;
};

} // namespace

TEST_F(DesignRoundTripTest, OpenAndSaveLeavesTheFileByteForByte)
{
    DesignSession session;
    session.open(path_);
    EXPECT_FALSE(session.has_changes());
    session.save();
    EXPECT_EQ(read_all(path_), original_);
}

TEST_F(DesignRoundTripTest, OkOnEverySheetWithNothingChangedLeavesTheFileByteForByte)
{
    DesignSession listing;
    listing.open(path_);
    const QStringList controls = listing.control_names();
    ASSERT_EQ(controls.size(), 10);
    for (const QString& control : controls) {
        SCOPED_TRACE(control.toStdString());
        DesignSession session;
        session.open(path_);
        ok_with_nothing_changed(session, control);
        EXPECT_FALSE(session.has_changes());
        session.save();
        EXPECT_EQ(read_all(path_), original_);
        EXPECT_TRUE(boxes().empty());
    }
}

TEST_F(DesignRoundTripTest, AChangeTouchesOnlyItsOwnLine)
{
    DesignSession session;
    session.open(path_);
    forms::let(session.form().site(QStringLiteral("wtProcessing")), QStringLiteral("BannerTitle"),
               QStringLiteral("Collecting"));
    // Back to its default: the line goes. A value the file did not hold: a new line.
    forms::let(session.form().site(QStringLiteral("KyWizardNavigator1")), QStringLiteral("ButtonGapRight"), 150);
    forms::let(session.form().site(QStringLiteral("wtFinish")), QStringLiteral("BannerTitle"), QStringLiteral("Done"));
    EXPECT_TRUE(session.has_changes());
    session.save();
    QByteArray expected = original_;
    expected.replace("BannerTitle = String \"Collecting statistics\"", "BannerTitle = String \"Collecting\"");
    expected.replace("      ButtonGapRight = Long 300\n", "");
    // wtFinish holds no controls: the new line ends its block.
    const QByteArray finish_end = "      CancelButton = Long 1\n";
    ASSERT_EQ(expected.count(finish_end), 1);
    expected.replace(finish_end, finish_end + "      BannerTitle = String \"Done\"\n");
    const QByteArray saved = read_all(path_);
    EXPECT_EQ(saved, expected);

    // The saved file opens to the changed form, and saves again unchanged.
    DesignSession again;
    again.open(path_);
    EXPECT_EQ(forms::get(again.form().site(QStringLiteral("wtFinish")), QStringLiteral("BannerTitle")).toString(),
              QStringLiteral("Done"));
    again.save();
    EXPECT_EQ(read_all(path_), saved);
}

// A page's index changed on the General page to the index of another page exchanges their
// places, modes and links; changing it back exchanges them back. On every page of the program's
// form the change, Apply, the change back and OK leave the file byte for byte as it was, and
// in between the two pages have exchanged their modes (neither lost its own).
TEST_F(DesignRoundTripTest, APageIndexChangedAndChangedBackOnEveryPageLeavesTheFileByteForByte)
{
    const QStringList pages = {"wtWelcome",      "wtSelectOption", "wtSelectDomains", "wtSelectOrganizations",
                               "wtProcessing",   "wtChooseOutput", "wtFinish"};
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        [&] { // an ASSERT ends this row only
            DesignSession session;
            session.open(path_);
            forms::Form& form = session.form();
            const int index = forms::get(form.site(page), QStringLiteral("PageIndex")).toInt();
            const int other_index = index % 7 + 1;
            QString other;
            for (const QString& p : pages)
                if (forms::get(form.site(p), QStringLiteral("PageIndex")).toInt() == other_index)
                    other = p;
            ASSERT_FALSE(other.isEmpty());
            const int mode = forms::get(form.site(page), QStringLiteral("PageMode")).toInt();
            const int other_mode = forms::get(form.site(other), QStringLiteral("PageMode")).toInt();

            auto sheet = session.sheet_for(page);
            sheet->show();
            type_page_index(*sheet, QString::number(other_index));
            press(*sheet, QDialogButtonBox::Apply);
            EXPECT_EQ(forms::get(form.site(page), QStringLiteral("PageIndex")).toInt(), other_index);
            EXPECT_EQ(forms::get(form.site(other), QStringLiteral("PageIndex")).toInt(), index);
            EXPECT_EQ(forms::get(form.site(page), QStringLiteral("PageMode")).toInt(), other_mode);
            EXPECT_EQ(forms::get(form.site(other), QStringLiteral("PageMode")).toInt(), mode);

            type_page_index(*sheet, QString::number(index));
            press(*sheet, QDialogButtonBox::Ok);
            EXPECT_FALSE(sheet->isVisible()) << "OK closes the sheet";
            EXPECT_TRUE(boxes().empty()) << (boxes().empty() ? "" : boxes().back().prompt.toStdString());
            session.save();
            EXPECT_EQ(changed_lines(original_, read_all(path_)), QStringList());
            boxes().clear();
        }();
    }
}

// The sheet's keys on every sheet of the program's form: Tab from a page's first field
// reaches OK, Cancel and Apply; Ctrl+Tab and Ctrl+PgDn go to the next page; Alt+A after an
// edit presses Apply and types nothing into the field.
TEST_F(DesignRoundTripTest, TabReachesTheButtonsCtrlTabSwitchesAndAltAApplies)
{
    DesignSession session;
    session.open(path_);
    for (const QString& control : session.control_names()) {
        auto sheet = session.sheet_for(control);
        sheet->show();
        sheet->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
        auto* tabs = sheet->findChild<QTabWidget*>();
        auto* box = sheet->findChild<QDialogButtonBox*>();
        for (int tab = 0; tab < tabs->count(); ++tab) {
            SCOPED_TRACE(control.toStdString() + " page " + tabs->tabText(tab).toStdString());
            tabs->setCurrentIndex(tab);
            tabs->tabBar()->setFocus();
            QSet<QWidget*> reached;
            for (int i = 0; i < 80; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                reached.insert(QApplication::focusWidget());
            }
            for (const auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel})
                EXPECT_TRUE(reached.contains(box->button(which))) << box->button(which)->text().toStdString();
        }
        tabs->setCurrentIndex(0);
        tabs->tabBar()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(tabs->currentIndex(), tabs->count() > 1 ? 1 : 0) << control.toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
        EXPECT_EQ(tabs->currentIndex(), tabs->count() > 2 ? 2 : 0) << control.toStdString();
        sheet->reject();
    }

    // An edit, then Alt+A: Apply is pressed, the field keeps what was typed.
    auto sheet = session.sheet_for(QStringLiteral("wtFinish"));
    sheet->show();
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
    sheet->findChild<QTabWidget*>()->setCurrentIndex(1);
    auto* title = sheet->page(1)->findChild<forms::TextBox*>(QStringLiteral("txtWaterMarkTitle"));
    ASSERT_NE(title, nullptr);
    auto* edit = title->findChild<QLineEdit*>();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, QStringLiteral("Done"));
    ASSERT_TRUE(sheet->apply_enabled());
    // With something to apply, Tab reaches Apply too, and comes back round to the field.
    QSet<QWidget*> reached;
    for (int i = 0; i < 40 && (i == 0 || QApplication::focusWidget() != edit); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.insert(QApplication::focusWidget());
    }
    EXPECT_TRUE(reached.contains(sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply)));
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_A, Qt::AltModifier);
    QTest::qWait(300); // the button shows itself pressed before it clicks
    EXPECT_FALSE(sheet->apply_enabled()) << "Alt+A applied";
    EXPECT_EQ(title->Text(), QStringLiteral("Done"));
    EXPECT_EQ(forms::get(session.form().site(QStringLiteral("wtFinish")), QStringLiteral("WatermarkTitle")).toString(),
              QStringLiteral("Done"));
    EXPECT_TRUE(boxes().empty());
}

// Every field label of the General pages (wizard page, navigator, progress bar) and of the
// Position page has an access key, and Alt with it puts the focus into that label's field.
TEST_F(DesignRoundTripTest, EveryFieldLabelOfTheGeneralAndPositionPagesTakesTheFocusToItsField)
{
    DesignSession session;
    session.open(path_);
    int labels = 0;
    for (const QString& control : {QStringLiteral("wtWelcome"), QStringLiteral("KyWizardNavigator1"),
                                   QStringLiteral("prbProcessProgress")}) {
        auto sheet = session.sheet_for(control);
        sheet->show();
        sheet->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(sheet.get()));
        auto* tabs = sheet->findChild<QTabWidget*>();
        for (int tab = 0; tab < sheet->page_count(); ++tab) {
            forms::PropertyPage& page = *sheet->page(tab);
            if (page.Caption() != QLatin1String("General") && page.Caption() != QLatin1String("Position"))
                continue;
            tabs->setCurrentIndex(tab);
            for (forms::Label* label : page.findChildren<forms::Label*>()) {
                if (!label->Caption().endsWith(QLatin1Char(':')))
                    continue;
                SCOPED_TRACE(control.toStdString() + " " + label->Caption().toStdString());
                ++labels;
                const int amp = label->Caption().indexOf(QLatin1Char('&'));
                ASSERT_GE(amp, 0) << "no access key";
                forms::IntrinsicControl* field = nullptr;
                for (forms::IntrinsicControl* c : page.findChildren<forms::IntrinsicControl*>())
                    if (c != label && c->Name().mid(3) == label->Name().mid(3))
                        field = c;
                ASSERT_NE(field, nullptr);
                tabs->tabBar()->setFocus();
                const QChar key = label->Caption().at(amp + 1).toUpper();
                QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key.unicode()), Qt::AltModifier);
                QTest::qWait(20);
                QWidget* focus = QApplication::focusWidget();
                EXPECT_TRUE(focus == field || field->isAncestorOf(focus))
                    << (focus ? focus->objectName().toStdString() : "no focus");
            }
        }
        sheet->reject();
    }
    EXPECT_EQ(labels, 3 + 2 + 4 + 5);
}

// Minimising a page moves the docked pages below it on the screen, but their places are the
// form's docking, worked out again at every load: a save changes only the minimised page.
TEST_F(DesignRoundTripTest, ASaveAfterAMinimiseChangesOnlyTheMinimisedPage)
{
    // The text of one top-level control's block, from its Begin line to its End.
    const auto block = [](const QByteArray& text, const QString& name) {
        const QString all = QString::fromUtf8(text);
        const qsizetype begin = all.indexOf(QRegularExpression(QStringLiteral("\n   Begin \\S+ %1\n").arg(name)));
        const qsizetype end = all.indexOf(QStringLiteral("\n   End\n"), begin);
        return begin < 0 || end < 0 ? QString() : all.mid(begin, end - begin);
    };
    for (const QString& page : {QStringLiteral("wtSelectOption"), QStringLiteral("wtProcessing")}) {
        SCOPED_TRACE(page.toStdString());
        [&] { // an ASSERT ends this row only
            DesignSession session;
            session.open(path_);
            forms::let(session.form().site(page), QStringLiteral("PageState"), 1);
            session.save();
            const QByteArray saved = read_all(path_);
            EXPECT_NE(block(saved, page), block(original_, page));
            for (const QString& other : session.control_names()) {
                if (other != page && !block(original_, other).isEmpty()) {
                    EXPECT_EQ(block(saved, other), block(original_, other)) << other.toStdString();
                }
            }
            QFile::remove(path_);
            ASSERT_TRUE(QFile::copy(QStringLiteral(OSTREL_PROGRAM_FORM), path_));
            ASSERT_TRUE(QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner));
        }();
    }
}
