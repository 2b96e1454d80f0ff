#pragma once
// CheckBox: Value 0 unchecked, 1 checked, 2 grayed. A click or Space moves 0 to 1 and 1 or 2
// to 0; every change of Value, by the user or by code, raises Click. A Value outside 0..2 is
// error 380.

#include "platform/forms/intrinsics/captioned_control.h"

namespace forms {

class CheckBox : public ToggleControl {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)

public:
    enum { Unchecked = 0, Checked = 1, Grayed = 2 };

    CheckBox(QWidget* container, const QString& name, const QString& caption = {});

    int Value() const { return value_; }
    void setValue(int value);

    void add_accessible_state(QAccessible::State& state) const override;

protected:
    // A press moves 0 to 1 and 1 or 2 to 0.
    void press() override { setValue(value_ == Unchecked ? Checked : Unchecked); }
    void paintEvent(QPaintEvent* event) override;

private:
    int value_ = Unchecked;
};

} // namespace forms
