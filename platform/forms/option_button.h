#pragma once
// OptionButton: the option buttons of one container form a group; setting Value True (by a
// click, Space or code) clears the others of the group and raises Click.

#include "platform/forms/captioned_control.h"

namespace forms {

class OptionButton : public ToggleControl {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue)

public:
    OptionButton(QWidget* container, const QString& name, const QString& caption = {});

    bool Value() const { return value_; }
    void setValue(bool on);

    void add_accessible_state(QAccessible::State& state) const override;

protected:
    // A press selects this option.
    void press() override { setValue(true); }
    void paintEvent(QPaintEvent* event) override;

private:
    bool value_ = false;
};

} // namespace forms
