// The input dialog as a user meets it: captions and labels by mode, OK enabled exactly while
// the box holds text, refused keys and cleaned pastes with their beeps counted, OK, Cancel
// and the close box, and the dialog hidden and reused between calls.

#include "program/wizard/frm_add_domain.h"
#include "program/wizard/is_valid_name_char.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/support/forms/beep_counter.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(IsValidNameChar, LettersDigitsHyphenDotAndTheExtraCharactersPass)
{
    struct Case {
        short c;
        const char* extra;
        bool valid;
    };
    const std::vector<Case> cases = {
        {'A', "", true},  {'Z', "", true},  {'a', "", true},  {'z', "", true},  {'0', "", true},  {'9', "", true},
        {'-', "", true},  {'.', "", true},  {':', "", false}, {':', ":", true}, {'_', "", false}, {' ', "", false},
        {'@', "", false}, {'[', "", false}, {'`', "", false}, {'{', "", false}, {'/', "", false}, {233, "", false},
        {63, "", false},  {0, "", false},   {-1, "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(program::IsValidNameChar(c.c, QString::fromLatin1(c.extra)), c.valid)
            << c.c << " extra \"" << c.extra << '"';
    EXPECT_EQ(program::name_char_code(QChar(u'é')), 63) << "a character outside ASCII never passes";
}

class FrmAddDomainTest : public ::testing::Test {
protected:
    QLineEdit& field() { return *dialog.txtDomainName().findChild<QLineEdit*>(); }
    // Types `text` key by key as a user does.
    void type(const QString& text) { window_input::type(field(), text); }
    void key(QWidget& target, int qt_key, const QString& text = {}) { window_input::key(target, qt_key, Qt::NoModifier, text); }
    // How the user puts text in: typed key by key, pasted from the box's menu, by Ctrl+V, by
    // Shift+Insert.
    enum class Entry { Typed, Pasted, CtrlV, ShiftInsert };
    void enter(const QString& text, Entry how)
    {
        if (how == Entry::Typed) {
            type(text);
            return;
        }
        QApplication::clipboard()->setText(text);
        if (how == Entry::Pasted) {
            field().paste();
            return;
        }
        const bool ctrl_v = how == Entry::CtrlV;
        window_input::key(field(), ctrl_v ? Qt::Key_V : Qt::Key_Insert, ctrl_v ? Qt::ControlModifier : Qt::ShiftModifier,
                          ctrl_v ? QStringLiteral("\x16") : QString());
    }
    // Calls InputDomainName and does `act` while the dialog is up; a dialog still open after
    // the act is a failure, and is closed so the test ends.
    QString input(bool exchange, const QString& init, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &dialog, [&] {
            shown = dialog.isVisible();
            act();
            if (dialog.isVisible()) {
                still_open = true;
                dialog.Hide();
            }
        });
        still_open = false;
        return dialog.InputDomainName(exchange, init);
    }

    // The application exists before the dialog is made.
    bool application_ = (forms::TestHost::ensure_application(), true);
    forms::ScopedMessageBoxRecorder boxes;
    forms::ScopedBeepCounter beeps;
    program::FrmAddDomain dialog;
    bool shown = false;
    bool still_open = false;
};

TEST_F(FrmAddDomainTest, CaptionsLabelsAndTheStartOfTheBoxFollowTheMode)
{
    struct Case {
        bool exchange;
        const char* init;
        const char* caption;
        const char* label;
        bool ok_enabled;
        const char* selected;
        const char* picture;
    };
    const std::vector<Case> cases = {
        {true, "", "Add Server", "Server Name:", false, "", "frm_add_domain_add_server"},
        {true, "srv1", "Edit Server", "Server Name:", true, "srv1", "frm_add_domain_edit_server"},
        {false, "", "Add Domain", "Domain Name:", false, "", "frm_add_domain_add_domain"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        QString caption, label, selected;
        bool ok_enabled = false;
        const QString result = input(c.exchange, QString::fromLatin1(c.init), [&] {
            caption = dialog.Caption();
            label = dialog.lblDomainName().Caption();
            ok_enabled = dialog.cmdCommand(0).Enabled();
            selected = dialog.txtDomainName().SelText();
            EXPECT_TRUE(forms::save_picture(dialog, c.picture));
            emit dialog.cmdCommand(1).Click();
        });
        EXPECT_TRUE(shown);
        EXPECT_FALSE(still_open);
        EXPECT_EQ(caption.toStdString(), c.caption);
        EXPECT_EQ(label.toStdString(), c.label);
        EXPECT_EQ(ok_enabled, c.ok_enabled);
        EXPECT_EQ(selected.toStdString(), c.selected);
        EXPECT_TRUE(result.isEmpty()) << "Cancel returns nothing";
    }
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(FrmAddDomainTest, TypingDropsRefusedKeysWithABeepEachAndPastingCleansWithOneBeep)
{
    struct Case {
        const char* what;
        bool exchange;
        Entry how;
        QString input;
        const char* kept;
        int beeps;
    };
    const std::vector<Case> cases = {
        {"a colon typed for a domain", false, Entry::Typed, QStringLiteral("ab:c"), "abc", 1},
        {"a colon typed for a server", true, Entry::Typed, QStringLiteral("srv:1"), "srv:1", 0},
        {"underscore, blank and accent typed", true, Entry::Typed, QStringLiteral("a_b c\u00e9"), "abc", 3},
        {"a paste for a domain", false, Entry::Pasted, QStringLiteral("a.b_c"), "a.bc", 1},
        {"a paste with several refused characters", false, Entry::Pasted, QStringLiteral("x y:z\u00e9"), "xyz", 1},
        {"a paste for a server", true, Entry::Pasted, QStringLiteral("mail:25"), "mail:25", 0},
        {"Ctrl+V pastes, cleaned with one beep", false, Entry::CtrlV, QStringLiteral("a.b_c"), "a.bc", 1},
        {"Ctrl+V of a clean name, no beep", false, Entry::CtrlV, QStringLiteral("corp.example"), "corp.example", 0},
        {"Shift+Insert pastes, cleaned with one beep", false, Entry::ShiftInsert, QStringLiteral("x y"), "xy", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = beeps.count();
        QString kept;
        input(c.exchange, QString(), [&] {
            enter(c.input, c.how);
            kept = dialog.txtDomainName().Text();
            emit dialog.cmdCommand(1).Click();
        });
        EXPECT_EQ(kept.toStdString(), c.kept);
        EXPECT_EQ(beeps.count() - before, c.beeps);
    }
}

// Ctrl+C and Ctrl+X on the selected name copy and cut as in any text box: no beep, and the
// clipboard holds the name.
TEST_F(FrmAddDomainTest, CtrlCCopiesAndCtrlXCutsTheSelectedName)
{
    struct Case {
        const char* what;
        int qt_key;
        const char* ascii;
        const char* left;
        bool ok_enabled;
    };
    const std::vector<Case> cases = {
        {"Ctrl+C", Qt::Key_C, "\x03", "corp.example", true},
        {"Ctrl+X", Qt::Key_X, "\x18", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        const int before = beeps.count();
        QString left;
        bool ok_enabled = false;
        input(false, QStringLiteral("corp.example"), [&] {
            window_input::key(field(), c.qt_key, Qt::ControlModifier, QString::fromLatin1(c.ascii));
            left = dialog.txtDomainName().Text();
            ok_enabled = dialog.cmdCommand(0).Enabled();
            emit dialog.cmdCommand(1).Click();
        });
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "corp.example");
        EXPECT_EQ(left.toStdString(), c.left);
        EXPECT_EQ(ok_enabled, c.ok_enabled);
        EXPECT_EQ(beeps.count() - before, 0);
    }
}

// The box's own menu offers Select All (Ctrl+A) and Undo (Ctrl+Z): the keys it names do what
// it says, without a beep.
TEST_F(FrmAddDomainTest, CtrlASelectsTheNameAndCtrlZUndoesTheLastEdit)
{
    const int before = beeps.count();
    int selected = 0;
    QString undone;
    input(false, QStringLiteral("corp.example"), [&] {
        dialog.txtDomainName().setSelLength(0);
        window_input::key(field(), Qt::Key_A, Qt::ControlModifier, QStringLiteral("\x01"));
        selected = dialog.txtDomainName().SelLength();
        type(QStringLiteral("x"));
        window_input::key(field(), Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"));
        undone = dialog.txtDomainName().Text();
        emit dialog.cmdCommand(1).Click();
    });
    EXPECT_EQ(selected, 12);
    EXPECT_EQ(undone.toStdString(), "corp.example");
    EXPECT_EQ(beeps.count() - before, 0);
}

TEST_F(FrmAddDomainTest, OkIsEnabledExactlyWhileTheBoxHoldsTextAndEnterTakesOnlyThen)
{
    std::vector<bool> enabled;
    bool open_after_empty_enter = false;
    bool focus_in_box = false;
    const QString result = input(false, QString(), [&] {
        QApplication::processEvents();
        focus_in_box = dialog.focusWidget() == &field();
        type(QStringLiteral("d"));
        enabled.push_back(dialog.cmdCommand(0).Enabled());
        key(field(), Qt::Key_Backspace);
        enabled.push_back(dialog.cmdCommand(0).Enabled());
        key(field(), Qt::Key_Return);
        open_after_empty_enter = dialog.isVisible();
        type(QStringLiteral("corp.example"));
        enabled.push_back(dialog.cmdCommand(0).Enabled());
        key(field(), Qt::Key_Return);
    });
    EXPECT_TRUE(focus_in_box) << "the box has the focus when the dialog is activated";
    // The next call starts in the box again, wherever the focus was when the dialog hid.
    input(false, QString(), [&] {
        dialog.cmdCommand(1).setFocus();
        EXPECT_EQ(dialog.focusWidget(), &dialog.cmdCommand(1));
        emit dialog.cmdCommand(1).Click();
    });
    focus_in_box = false;
    input(false, QString(), [&] {
        QApplication::processEvents();
        focus_in_box = dialog.focusWidget() == &field();
        emit dialog.cmdCommand(1).Click();
    });
    EXPECT_TRUE(focus_in_box);
    EXPECT_EQ(enabled, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(open_after_empty_enter) << "Enter in an empty box does not close the dialog";
    EXPECT_FALSE(still_open);
    EXPECT_EQ(result.toStdString(), "corp.example");
    EXPECT_EQ(beeps.count(), 0);
}

TEST_F(FrmAddDomainTest, OkCancelEscAndTheCloseBoxHideTheDialogForTheNextCall)
{
    int loads = 0;
    QObject::connect(&dialog, &forms::HostForm::Load, [&] { ++loads; });
    struct Case {
        const char* what;
        std::function<void()> end;
        const char* result;
    };
    const std::vector<Case> cases = {
        {"OK", [&] { emit dialog.cmdCommand(0).Click(); }, "typed"},
        {"Cancel after typing", [&] { emit dialog.cmdCommand(1).Click(); }, ""},
        {"Esc in the box", [&] { key(field(), Qt::Key_Escape); }, ""},
        {"Enter on the focused Cancel button", [&] { key(dialog.cmdCommand(1), Qt::Key_Return, QStringLiteral("\r")); },
         ""},
        {"the close box", [&] { window_input::close_box(dialog); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString result = input(true, QString(), [&] {
            type(QStringLiteral("typed"));
            c.end();
        });
        EXPECT_FALSE(still_open);
        EXPECT_EQ(result.toStdString(), c.result);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(dialog.loaded()) << "hidden, not unloaded";
    }
    EXPECT_EQ(loads, 1) << "every call reused the one loaded dialog";
    const QString edited = input(true, QStringLiteral("old"), [&] {
        EXPECT_EQ(dialog.txtDomainName().Text().toStdString(), "old") << "each call starts afresh";
        emit dialog.cmdCommand(0).Click();
    });
    EXPECT_EQ(edited.toStdString(), "old");
}

TEST_F(FrmAddDomainTest, EveryControlHasAnAccessibleNameAndRole)
{
    input(false, QString(), [&] {
        struct Expected {
            QWidget* widget;
            const char* name;
            QAccessible::Role role;
        };
        for (const Expected& e : {Expected{&dialog, "Add Domain", QAccessible::Dialog},
                                  Expected{&dialog.lblDomainName(), "Domain Name:", QAccessible::StaticText},
                                  Expected{&dialog.txtDomainName(), "Domain Name", QAccessible::EditableText},
                                  Expected{&dialog.cmdCommand(0), "OK", QAccessible::Button},
                                  Expected{&dialog.cmdCommand(1), "Cancel", QAccessible::Button}}) {
            SCOPED_TRACE(e.name);
            [&] { // an ASSERT ends this row only
                QAccessibleInterface* access = QAccessible::queryAccessibleInterface(e.widget);
                ASSERT_NE(access, nullptr) << e.name;
                EXPECT_EQ(access->text(QAccessible::Name).toStdString(), e.name);
                EXPECT_EQ(access->role(), e.role) << e.name;
            }();
        }
        emit dialog.cmdCommand(1).Click();
    });
}

} // namespace
