// A key the text box's edit field leaves unused (the arrow keys) is raised once, not again when
// the field hands it on to the text box.

#include "platform/forms/text_box.h"
#include "tests/support/forms/test_host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

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
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(edit, &event);
    }
    // Straight to the text box (no edit field in between) it is raised too.
    QKeyEvent direct(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&text, &direct);
    EXPECT_EQ(raised, (QStringList{QStringLiteral("down 38"), QStringLiteral("up 38"), QStringLiteral("down 40")}));
}
