#include "platform/forms/intrinsics/option_button.h"

#include "platform/forms/hosting/input_events.h"
#include "platform/forms/intrinsics/toggle_painting.h"

#include <QKeyEvent>

#include <algorithm>

namespace forms {

OptionButton::OptionButton(QWidget* container, const QString& name, const QString& caption)
    : ToggleControl(container, name, QAccessible::RadioButton, caption)
{
    settle_tab_stop();
}

std::vector<OptionButton*> OptionButton::group() const
{
    if (parentWidget() == nullptr)
        return {const_cast<OptionButton*>(this)};
    const auto found = parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly);
    return {found.begin(), found.end()};
}

void OptionButton::settle_tab_stop() const
{
    const std::vector<OptionButton*> buttons = group();
    const auto usable = [](const OptionButton* b) { return b->Visible() && b->Enabled(); };
    auto stop = std::find_if(buttons.begin(), buttons.end(), [&](const OptionButton* b) { return b->value_ && usable(b); });
    if (stop == buttons.end())
        stop = std::find_if(buttons.begin(), buttons.end(), usable);
    for (auto it = buttons.begin(); it != buttons.end(); ++it)
        (*it)->setFocusPolicy(it == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void OptionButton::setValue(bool on)
{
    if (on == value_)
        return;
    value_ = on;
    update();
    checked_state_changed();
    if (!on)
        return;
    for (auto* other : group())
        if (other != this)
            other->setValue(false);
    settle_tab_stop();
    emit Click();
}

void OptionButton::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const int step = key == Qt::Key_Down || key == Qt::Key_Right ? 1 : key == Qt::Key_Up || key == Qt::Key_Left ? -1 : 0;
    if (step == 0 || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        ToggleControl::keyPressEvent(event);
        return;
    }
    if (!raise_key_down(*event))
        return;
    // The next button round the group that can be seen and used takes the choice.
    const std::vector<OptionButton*> buttons = group();
    const auto here = std::find(buttons.begin(), buttons.end(), this) - buttons.begin();
    const auto count = static_cast<std::ptrdiff_t>(buttons.size());
    for (std::ptrdiff_t i = 1; i < count; ++i) {
        OptionButton* next = buttons[static_cast<std::size_t>(((here + step * i) % count + count) % count)];
        if (next->isVisible() && next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            next->setValue(true);
            return;
        }
    }
}

void OptionButton::setVisible(bool visible)
{
    ToggleControl::setVisible(visible);
    settle_tab_stop();
}

void OptionButton::changeEvent(QEvent* event)
{
    ToggleControl::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        settle_tab_stop();
}

void OptionButton::add_accessible_state(QAccessible::State& state) const
{
    state.checkable = true;
    state.checked = value_;
}

void OptionButton::paintEvent(QPaintEvent* event)
{
    (void)event;
    paint_toggle(*this, QStyle::CE_RadioButton, value_ ? QStyle::State_On : QStyle::State_Off, Caption(), back_qcolor(),
                 fore_qcolor());
}

} // namespace forms
