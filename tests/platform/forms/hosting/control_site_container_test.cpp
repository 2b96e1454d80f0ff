#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/user_control.h"
#include "platform/forms/core/vb_error.h"
#include "tests/support/forms/test_host.h"

#include <gtest/gtest.h>

namespace {

int error_of(const std::function<void()>& action)
{
    try {
        action();
    } catch (const forms::VbError& error) {
        return error.number();
    }
    return 0;
}

TEST(ControlSiteContainer, AControlMovesIntoAnotherControlAndIsSavedInsideIt)
{
    forms::TestHost host(false);
    forms::ControlSite& outer = host.add(std::make_unique<forms::UserControl>(), "Outer");
    forms::ControlSite& inner = host.add(std::make_unique<forms::UserControl>(), "Inner");
    outer.Move(300, 300, 3000, 2000);
    inner.Move(150, 120, 600, 400);

    inner.setContainer(&outer);
    EXPECT_EQ(inner.Container(), &outer);
    EXPECT_EQ(inner.control()->parentWidget(), outer.control());
    EXPECT_EQ(inner.Left(), 150);
    EXPECT_EQ(host.form().save().controls.size(), 1u);
    ASSERT_EQ(host.form().save().controls[0].children.size(), 1u);
    EXPECT_EQ(host.form().save().controls[0].children[0].name, "Inner");

    inner.setContainer(&host.form());
    EXPECT_EQ(inner.Container(), &host.form());
    EXPECT_EQ(inner.control()->parentWidget(), &host.form());
}

TEST(ControlSiteContainer, NoObjectALoopOrAStrangerIsRefusedAndTheControlStays)
{
    forms::TestHost host(false);
    forms::ControlSite& outer = host.add(std::make_unique<forms::UserControl>(), "Outer");
    forms::ControlSite& inner = host.add(std::make_unique<forms::UserControl>(), "Inner");
    inner.setContainer(&outer);
    EXPECT_EQ(error_of([&] { inner.setContainer(nullptr); }), 424);
    EXPECT_EQ(error_of([&] { outer.setContainer(&inner); }), 380);
    EXPECT_EQ(error_of([&] { outer.setContainer(&outer); }), 380);
    QObject stranger;
    EXPECT_EQ(error_of([&] { outer.setContainer(&stranger); }), 380);
    EXPECT_EQ(outer.Container(), &host.form());
    EXPECT_EQ(inner.Container(), &outer);
}

} // namespace
