#include "controls/display/ky_info_item.h"

#include "controls/display/frm_info.h"
#include "platform/forms/intrinsics/label.h"
#include "platform/forms/intrinsics/picture_box.h"
#include "platform/forms/intrinsics/text_box.h"
#include "tests/controls/kycomctl_fixture.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

constexpr double line_width = 5655;

class InfoItemTest : public KyComCtlTest {
protected:
    void SetUp() override
    {
        KyComCtlTest::SetUp();
        line_ = std::make_unique<KyInfoItem>();
        line_->Move(0, 0, line_width, 225);
        link_ = line_->lblFullInfo().Width();
    }

    // Clicks the line's link and runs `inside` while the detail window is open; returns
    // whether the window closed by itself.
    bool with_detail_window(const std::function<void(frmInfo&)>& inside)
    {
        bool closed = true;
        QTimer::singleShot(0, [&] {
            auto* window = qobject_cast<frmInfo*>(QApplication::activeModalWidget());
            if (!window) {
                ADD_FAILURE() << "no detail window";
                return;
            }
            inside(*window);
            if (window->isVisible()) {
                closed = false;
                window->close();
            }
        });
        window_input::click(line_->lblFullInfo(), QPoint(2, 2));
        return closed;
    }

    std::unique_ptr<KyInfoItem> line_;
    double link_ = 0;
};

TEST_F(InfoItemTest, ValueFitsOrIsCutShortBeforeTheLink)
{
    ASSERT_GT(link_, 0);
    line_->setValue(QStringLiteral("12"));
    EXPECT_FALSE(line_->lblFullInfo().Visible());
    EXPECT_DOUBLE_EQ(line_->lblValue().Width(), 3540); // 5655 - 2070 - 3 px

    line_->setValue(QString(400, QLatin1Char('W')));
    EXPECT_TRUE(line_->lblFullInfo().Visible());
    EXPECT_DOUBLE_EQ(line_->lblFullInfo().Left(), 3540 - link_ - 45 + 2070);
    EXPECT_DOUBLE_EQ(line_->lblValue().Width(), 3540 - link_ - 90);

    line_->setValue(QStringLiteral("short again"));
    EXPECT_FALSE(line_->lblFullInfo().Visible());
}

TEST_F(InfoItemTest, NarrowLinesShowTheLinkAloneOrKeepTheValueWidth)
{
    line_->setValue(QString(400, QLatin1Char('W')));
    // Room for the link only: the link takes the value's place.
    line_->Move(0, 0, 2070 + 45 + link_, 225);
    EXPECT_TRUE(line_->lblFullInfo().Visible());
    EXPECT_DOUBLE_EQ(line_->lblFullInfo().Left(), 2070);
    EXPECT_DOUBLE_EQ(line_->lblValue().Width(), 0);
    // Room a little wider than the link: the value's width would be negative and stays.
    line_->Move(0, 0, 2070 + 45 + link_ + 30, 225);
    EXPECT_DOUBLE_EQ(line_->lblValue().Width(), 0);
    EXPECT_DOUBLE_EQ(line_->lblFullInfo().Left(), 2070 + 30 - 45);
    EXPECT_TRUE(line_->lblFullInfo().Visible());
}

TEST_F(InfoItemTest, LineBreaksAreMeasuredAsTwoSpaces)
{
    line_->setValue(QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(line_->lblCheck().Caption(), QStringLiteral("first  second"));
    EXPECT_EQ(line_->Value(), QStringLiteral("first\r\nsecond"));
}

TEST_F(InfoItemTest, IndentationMovesTheColumnsAndArrangesOnRefresh)
{
    line_->setValue(QString(400, QLatin1Char('W')));
    const double width_before = line_->lblValue().Width();
    line_->setIndentation(300);
    EXPECT_DOUBLE_EQ(line_->lblValue().Left(), 2370);
    EXPECT_DOUBLE_EQ(line_->lblAttribute().Width(), 1995);
    EXPECT_DOUBLE_EQ(line_->lblValue().Width(), width_before);
    line_->Refresh();
    EXPECT_DOUBLE_EQ(line_->lblValue().Width(), 5655 - 2370 - 45 - link_ - 90);
    EXPECT_FLOAT_EQ(line_->MinAvailableWidth(), static_cast<float>(2370 + link_ + 45));
}

TEST_F(InfoItemTest, LinkOpensTheWholeValueUnderTheName)
{
    line_->setAttributeName(QStringLiteral("Domain controllers"));
    line_->setValue(QStringLiteral("DC1.test.example\r\nDC2.test.example, and a long list besides that does not fit"));
    line_->show();
    QString caption, text;
    const bool closed = with_detail_window([&](frmInfo& window) {
        caption = window.windowTitle();
        text = window.txtInfo().Text();
        const QImage image = window.grab().toImage();
        const auto path = artefacts_dir() / "info_detail_window.png";
        EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
        std::printf("picture of the detail window: %s\n", path.c_str());
        window_input::key_release(*window.txtInfo().findChild<QWidget*>(), Qt::Key_Escape);
    });
    EXPECT_TRUE(closed) << "Esc did not close the detail window";
    EXPECT_EQ(caption, QStringLiteral("Domain controllers"));
    EXPECT_EQ(text, line_->Value());
}

TEST_F(InfoItemTest, DetailWindowClosesOnAltF4Only)
{
    line_->setValue(QString(400, QLatin1Char('W')));
    line_->show();
    struct Case {
        Qt::KeyboardModifiers modifiers;
        bool closes;
    };
    for (const Case c : {Case{Qt::AltModifier, true}, Case{Qt::ControlModifier | Qt::AltModifier, false},
                         Case{Qt::ShiftModifier, false}, Case{Qt::NoModifier, false}}) {
        const bool closed = with_detail_window(
            [&](frmInfo& window) { window_input::key_release(window, Qt::Key_F4, c.modifiers); });
        EXPECT_EQ(closed, c.closes) << c.modifiers.toInt();
    }
}

} // namespace
