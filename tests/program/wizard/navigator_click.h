#pragma once
// A user's click on a button of the wizard's navigator, found by its caption (the rightmost
// one showing it): press and release over it through the window system, which a disabled
// button ignores.

#include "program/wizard/frm_main.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/user_control.h"

#include "tests/support/forms/window_input.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace program_test {

inline void click_navigator(program::FrmMain& form, const char* caption)
{
    auto* nav = static_cast<forms::ControlSite*>(form.navigator())->control();
    forms::CommandButton* target = nullptr;
    for (auto* b : nav->findChildren<forms::CommandButton*>())
        if (b->Caption() == QLatin1String(caption) && b->Visible() && (!target || b->Left() > target->Left()))
            target = b;
    ASSERT_NE(target, nullptr) << caption;
    window_input::click(*target);
    QApplication::processEvents();
}

} // namespace program_test
