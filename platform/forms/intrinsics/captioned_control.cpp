#include "platform/forms/intrinsics/captioned_control.h"

#include "platform/forms/hosting/input_events.h"

#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QMouseEvent>

namespace forms {

CaptionedControl::CaptionedControl(QWidget* container, const QString& name, QAccessible::Role role,
                                   const QString& caption)
    : IntrinsicControl(container, name, role)
{
    setFocusPolicy(Qt::StrongFocus);
    setCaption(caption);
}

void CaptionedControl::setCaption(const QString& caption)
{
    caption_ = caption;
    setAccessibleName(strip_mnemonic(caption));
    set_access_key(caption);
    update();
}

QStringList ToggleControl::accessible_actions() const { return {QAccessibleActionInterface::toggleAction()}; }

void ToggleControl::do_accessible_action(const QString& action)
{
    if (action == QAccessibleActionInterface::toggleAction())
        press();
}

void ToggleControl::checked_state_changed()
{
    QAccessible::State changed;
    changed.checked = true;
    changed.checkStateMixed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ToggleControl::access_key_pressed()
{
    setFocus(Qt::ShortcutFocusReason);
    press();
}

void ToggleControl::keyPressEvent(QKeyEvent* event)
{
    short typed = 0;
    if (raise_key_down(*event) && raise_key_press(*event, typed) && typed == keycode::Space)
        press();
}

void ToggleControl::mouseReleaseEvent(QMouseEvent* event)
{
    emit MouseUp(mouse_button(*event), shift_state(*event), twips_x(event->position().toPoint()),
                 twips_y(event->position().toPoint()));
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        press();
}

} // namespace forms
