#pragma once
// SpinButtons: the up-down box's pair of arrow buttons, built from the runtime's
// CommandButton in a PictureBox, holding the numeric state: Value within Min..Max, Increment
// and Wrap. A click steps Value as the arrow keys do (up_down::stepped): it stops at the end
// of the range or wraps with Wrap. Every assignment of Value raises Change, also of the value
// it already had; a Value outside the range is refused with 380 and changes nothing. Min and
// Max keep Value inside the range.

#include "platform/forms/intrinsics/picture_box.h"

#include <cstdint>

namespace forms {
class CommandButton;
}

class SpinButtons : public forms::PictureBox {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Increment READ Increment WRITE setIncrement)
    Q_PROPERTY(bool Wrap READ Wrap WRITE setWrap)

public:
    SpinButtons(QWidget* container, const QString& name);

    std::int32_t Value() const { return value_; }
    void setValue(std::int32_t value);
    std::int32_t Min() const { return min_; }
    // A new end of the range that leaves Value outside moves Value to the nearest end (with
    // Change), as a spin box does, so the state is always one a form can store and load.
    void setMin(std::int32_t value);
    std::int32_t Max() const { return max_; }
    void setMax(std::int32_t value);
    // `value` moved into the range.
    std::int32_t clamped(std::int32_t value) const;
    std::int32_t Increment() const { return increment_; }
    void setIncrement(std::int32_t value) { increment_ = value; }
    bool Wrap() const { return wrap_; }
    void setWrap(bool value) { wrap_ = value; }

    forms::CommandButton& upButton() const { return *up_; }
    forms::CommandButton& downButton() const { return *down_; }

    // Assistive tools read the number the buttons hold; Increase and Decrease click them.
    std::optional<AccessibleValue> accessible_value() const override;
    void set_accessible_value(double value) override;

signals:
    void Change();
    void UpClick();
    void DownClick();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(bool up);
    void keep_value_in_range();

    std::int32_t value_ = 0;
    std::int32_t min_ = 0;
    std::int32_t max_ = 10;
    std::int32_t increment_ = 1;
    bool wrap_ = false;
    forms::CommandButton* up_;
    forms::CommandButton* down_;
};
