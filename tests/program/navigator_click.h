#pragma once
// A user's click on a button of the wizard's navigator, found by its caption (the rightmost
// one showing it): press and release over it, which a disabled button ignores.

#include "program/frm_main.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/control_site.h"
#include "platform/forms/hosting/user_control.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace program_test {

inline void click_navigator(FrmMain& form, const char* caption)
{
    auto* nav = static_cast<forms::ControlSite*>(form.navigator())->control();
    forms::CommandButton* target = nullptr;
    for (auto* b : nav->findChildren<forms::CommandButton*>())
        if (b->Caption() == QLatin1String(caption) && b->Visible() && (!target || b->Left() > target->Left()))
            target = b;
    ASSERT_NE(target, nullptr) << caption;
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    QApplication::processEvents();
}

} // namespace program_test
