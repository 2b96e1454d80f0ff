#include "platform/forms/check_box.h"

#include "platform/forms/input_events.h"
#include "platform/forms/toggle_painting.h"
#include "platform/forms/vb_error.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace forms {

CheckBox::CheckBox(QWidget* container, const QString& name, const QString& caption)
    : IntrinsicControl(container, name, QAccessible::CheckBox)
{
    setFocusPolicy(Qt::StrongFocus);
    setCaption(caption);
}

void CheckBox::setCaption(const QString& caption)
{
    caption_ = caption;
    setAccessibleName(caption.isEmpty() ? Name() : strip_mnemonic(caption));
    set_access_key(caption);
    update();
}

void CheckBox::access_key_pressed()
{
    setFocus(Qt::ShortcutFocusReason);
    toggle();
}

void CheckBox::setValue(int value)
{
    if (value < Unchecked || value > Grayed)
        forms::raise(vberr::InvalidPropertyValue, QStringLiteral("CheckBox"));
    if (value == value_)
        return;
    value_ = value;
    update();
    emit Click();
}

void CheckBox::paintEvent(QPaintEvent* event)
{
    (void)event;
    const QStyle::State state = value_ == Checked  ? QStyle::State_On
                                : value_ == Grayed ? QStyle::State_NoChange
                                                   : QStyle::State_Off;
    paint_toggle(*this, QStyle::CE_CheckBox, state, caption_, back_qcolor(), fore_qcolor());
}

void CheckBox::keyPressEvent(QKeyEvent* event)
{
    short typed = 0;
    if (raise_key_down(*event) && raise_key_press(*event, typed) && typed == keycode::Space)
        toggle();
}

void CheckBox::mouseReleaseEvent(QMouseEvent* event)
{
    emit MouseUp(mouse_button(*event), shift_state(*event), twips_x(event->position().toPoint()),
                 twips_y(event->position().toPoint()));
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        toggle();
}

} // namespace forms
