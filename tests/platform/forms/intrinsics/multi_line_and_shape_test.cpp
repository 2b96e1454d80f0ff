// The multi-line text box keeps its lines with CR LF in Text; a shape draws its outline and
// lets clicks through.

#include "platform/forms/intrinsics/shape.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/support/forms/test_host.h"

#include <QPlainTextEdit>

#include <gtest/gtest.h>

using namespace forms;

TEST(MultiLineTextBox, KeepsLinesWithCrLfAndItsLimit)
{
    TestHost::ensure_application();
    QWidget window;
    TextBox text(&window, QStringLiteral("txtInfo"), true);
    ASSERT_TRUE(text.MultiLine());
    ASSERT_NE(text.findChild<QPlainTextEdit*>(), nullptr);
    int changes = 0;
    QObject::connect(&text, &TextBox::Change, [&] { ++changes; });
    text.setText(QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(text.Text(), QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(text.findChild<QPlainTextEdit*>()->document()->blockCount(), 2);
    EXPECT_EQ(changes, 1);
    text.setSelStart(6);
    text.setSelLength(6);
    EXPECT_EQ(text.SelText(), QStringLiteral("second"));
    text.setMaxLength(5);
    EXPECT_EQ(text.Text(), QStringLiteral("first"));
    text.setLocked(true);
    EXPECT_TRUE(text.Locked());
    EXPECT_FALSE(TextBox(&window, QStringLiteral("txtOne")).MultiLine());
}

TEST(Shape, DrawsItsOutlineAndLetsClicksThrough)
{
    TestHost::ensure_application();
    QWidget window;
    window.resize(100, 100);
    Shape frame(&window, QStringLiteral("shpBorder"));
    frame.Move(150, 150, 900, 600);
    frame.setBorderColor(RGB(255, 0, 0));
    EXPECT_TRUE(frame.testAttribute(Qt::WA_TransparentForMouseEvents));
    const QImage image = frame.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(59, 39), QColor(255, 0, 0));
    EXPECT_NE(image.pixelColor(30, 20), QColor(255, 0, 0));
}
