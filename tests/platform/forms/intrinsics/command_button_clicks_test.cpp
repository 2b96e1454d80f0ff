#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/intrinsics/label.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/forms/window_input.h"

#include <QApplication>
#include <QWidget>

#include <memory>

#include <gtest/gtest.h>

using namespace forms;

namespace {

// Two clicks of a person on one spot, the second `gap_ms` after the first: within the
// platform's double-click time the window system makes the second press a double click.
struct TwoClicks {
    const char* what;
    unsigned long gap_ms;
};

class TwoClicksTest : public ::testing::TestWithParam<TwoClicks> {
protected:
    void SetUp() override
    {
        TestHost::ensure_application();
        window_ = std::make_unique<QWidget>();
        window_->resize(300, 200);
    }
    void show()
    {
        window_->show();
        window_->activateWindow();
        QApplication::processEvents();
    }
    void click_twice(QWidget& target)
    {
        window_input::Pointer pointer(target);
        const QPoint middle(target.width() / 2, target.height() / 2);
        pointer.click(target, middle);
        pointer.click(target, middle, GetParam().gap_ms);
        QApplication::processEvents();
    }

    std::unique_ptr<QWidget> window_;
};

// A button clicks on every click, however quickly the second follows: Next clicked twice
// goes two pages on, as on any button.
TEST_P(TwoClicksTest, ACommandButtonClicksOnEachOfThem)
{
    CommandButton button(window_.get(), QStringLiteral("cmdNext"), QStringLiteral("&Next >"));
    button.Move(300, 300, 1200, 375);
    int clicks = 0;
    QObject::connect(&button, &CommandButton::Click, [&] { ++clicks; });
    show();
    click_twice(button);
    EXPECT_EQ(clicks, 2);
}

// Other controls keep the runtime's order for a double click: Click on the first, DblClick on
// the second.
TEST_P(TwoClicksTest, ALabelClicksOnceAndDoubleClicksWhenTheyAreQuick)
{
    Label label(window_.get(), QStringLiteral("lblName"), QStringLiteral("Name"));
    label.Move(300, 1200, 1200, 375);
    int clicks = 0, double_clicks = 0;
    QObject::connect(&label, &Label::Click, [&] { ++clicks; });
    QObject::connect(&label, &Label::DblClick, [&] { ++double_clicks; });
    show();
    click_twice(label);
    const bool quick = GetParam().gap_ms < 100;
    EXPECT_EQ(clicks, quick ? 1 : 2);
    EXPECT_EQ(double_clicks, quick ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Gaps, TwoClicksTest,
                         ::testing::Values(TwoClicks{"apart", 1000}, TwoClicks{"quick", 50}),
                         [](const auto& info) { return std::string(info.param.what); });

} // namespace
