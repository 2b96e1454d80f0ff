#pragma once
// OptionButton: the option buttons of one container form a group; setting Value True (by a
// click, Space or code) clears the others of the group and raises Click. The group is one Tab
// stop (the chosen button, or the first while none is chosen), and the arrow keys move the
// choice and the focus to the previous or next button of the group that can be used.

#include "platform/forms/intrinsics/captioned_control.h"

#include <vector>

namespace forms {

class OptionButton : public ToggleControl {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue)

public:
    OptionButton(QWidget* container, const QString& name, const QString& caption = {});

    bool Value() const { return value_; }
    void setValue(bool on);
    void setVisible(bool visible) override;

    void add_accessible_state(QAccessible::State& state) const override;

protected:
    // A press selects this option.
    void press() override { setValue(true); }
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::vector<OptionButton*> group() const;
    // Only the group's chosen (or first) button that can be used takes Tab.
    void settle_tab_stop() const;

    bool value_ = false;
};

} // namespace forms
