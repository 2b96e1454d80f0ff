// A key the text box's edit field leaves unused (the arrow keys) is raised once, not again when
// the field hands it on to the text box.

#include "platform/forms/intrinsics/text_box.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace forms;

TEST(TextBoxKeys, KeyTheEditFieldLeavesIsRaisedOnce)
{
    TestHost::ensure_application();
    QWidget window;
    TextBox text(&window, QStringLiteral("txtNumber"));
    QStringList raised;
    QObject::connect(&text, &TextBox::KeyDown,
                     [&](short& code, short&) { raised << QStringLiteral("down %1").arg(code); });
    QObject::connect(&text, &TextBox::KeyUp, [&](short& code, short&) { raised << QStringLiteral("up %1").arg(code); });
    auto* edit = text.findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    window.show();
    window.activateWindow();
    window_input::key(*edit, Qt::Key_Up);
    // Straight to the text box (no edit field in between) it is raised too. Sent by hand: the
    // window system always hands a key to the edit field, the box's focus proxy.
    QKeyEvent direct(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&text, &direct);
    EXPECT_EQ(raised, (QStringList{QStringLiteral("down 38"), QStringLiteral("up 38"), QStringLiteral("down 40")}));
}

namespace {
// A dialog that records the Enter and Esc that reach it.
class KeyLogDialog : public QDialog {
public:
    QStringList reached;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        reached << QKeySequence(event->key()).toString();
        event->accept();
    }
};
} // namespace

// Enter and Esc typed into a single-line box reach the dialog (which presses its default or
// cancel button), once each, and the box still raises them; a multi-line box keeps Enter.
TEST(TextBoxKeys, EnterAndEscALineLeavesReachTheDialogOnce)
{
    TestHost::ensure_application();
    struct Case {
        bool multi_line;
        int key;
        QStringList reached;
    };
    const Case cases[] = {
        {false, Qt::Key_Return, {QStringLiteral("Return")}},
        {false, Qt::Key_Escape, {QStringLiteral("Esc")}},
        {true, Qt::Key_Return, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + (c.multi_line ? " multi-line" : ""));
        KeyLogDialog dialog;
        TextBox text(&dialog, QStringLiteral("txtName"), c.multi_line);
        dialog.show();
        text.setFocus();
        QApplication::processEvents();
        short raised = 0;
        QObject::connect(&text, &TextBox::KeyDown, [&](short& code, short&) { raised = code; });
        QTest::keyClick(dialog.windowHandle(), static_cast<Qt::Key>(c.key));
        EXPECT_EQ(dialog.reached, c.reached) << c.key << " multi-line " << c.multi_line;
        EXPECT_EQ(raised, c.key == Qt::Key_Return ? 13 : 27);
    }
}
