#include "controls/display/spin_buttons.h"

#include "controls/display/up_down_rules.h"
#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/core/screen.h"
#include "platform/forms/core/vb_error.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>

namespace {

// A command button with an arrow glyph in place of a caption.
class ArrowButton : public forms::CommandButton {
public:
    ArrowButton(QWidget* container, const QString& name, bool up) : forms::CommandButton(container, name), up_(up)
    {
        setAccessibleName(up ? QStringLiteral("Up") : QStringLiteral("Down"));
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        forms::CommandButton::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Enabled() && isEnabled() ? fore_qcolor()
                                                  : forms::resolve_color(forms::syscolor::GrayText, palette()));
        const int half = std::max(2, std::min(width() / 4, height() / 3));
        const QPointF centre = QRectF(rect()).center();
        const double tip = up_ ? -half / 2.0 : half / 2.0;
        const QPointF points[] = {{centre.x() - half, centre.y() - tip},
                                  {centre.x() + half, centre.y() - tip},
                                  {centre.x(), centre.y() + tip}};
        painter.drawPolygon(points, 3);
    }

private:
    bool up_;
};

} // namespace

SpinButtons::SpinButtons(QWidget* container, const QString& name) : forms::PictureBox(container, name)
{
    setBorderStyle(0);
    setAccessibleName(QStringLiteral("Spin buttons"));
    set_accessible_role(QAccessible::SpinBox);
    up_ = new ArrowButton(this, QStringLiteral("cmdUp"), true);
    down_ = new ArrowButton(this, QStringLiteral("cmdDown"), false);
    connect(up_, &forms::CommandButton::Click, this, [this] { step(true); });
    connect(down_, &forms::CommandButton::Click, this, [this] { step(false); });
    // The buttons' mouse events are the spin buttons' own, in their coordinates.
    for (forms::CommandButton* button : {up_, down_}) {
        const auto shifted = [this, button](void (forms::IntrinsicControl::*event)(short, short, float, float)) {
            return [this, button, event](short b, short s, float x, float y) {
                emit(this->*event)(b, s, static_cast<float>(x + button->Left()), static_cast<float>(y + button->Top()));
            };
        };
        connect(button, &forms::IntrinsicControl::MouseDown, this, shifted(&forms::IntrinsicControl::MouseDown));
        connect(button, &forms::IntrinsicControl::MouseMove, this, shifted(&forms::IntrinsicControl::MouseMove));
        connect(button, &forms::IntrinsicControl::MouseUp, this, shifted(&forms::IntrinsicControl::MouseUp));
    }
}

std::int32_t SpinButtons::clamped(std::int32_t value) const
{
    return std::clamp(value, std::min(min_, max_), std::max(min_, max_));
}

void SpinButtons::setMin(std::int32_t value)
{
    min_ = value;
    keep_value_in_range();
}

void SpinButtons::setMax(std::int32_t value)
{
    max_ = value;
    keep_value_in_range();
}

void SpinButtons::keep_value_in_range()
{
    if (clamped(value_) != value_)
        setValue(clamped(value_));
}

void SpinButtons::setValue(std::int32_t value)
{
    if (value != clamped(value))
        forms::raise(forms::vberr::InvalidPropertyValue, QStringLiteral("SpinButtons"));
    value_ = value;
    emit Change();
}

void SpinButtons::step(bool up)
{
    setValue(up_down::stepped(value_, min_, max_, increment_, wrap_, up));
    if (up)
        emit UpClick();
    else
        emit DownClick();
}

std::optional<forms::IntrinsicControl::AccessibleValue> SpinButtons::accessible_value() const
{
    return AccessibleValue{static_cast<double>(value_), static_cast<double>(std::min(min_, max_)),
                           static_cast<double>(std::max(min_, max_))};
}

void SpinButtons::set_accessible_value(double value)
{
    // Assistive tools step the value as the buttons do: one click up or down.
    if (value > value_)
        step(true);
    else if (value < value_)
        step(false);
}

void SpinButtons::resizeEvent(QResizeEvent* event)
{
    forms::PictureBox::resizeEvent(event);
    const double half = Height() / 2;
    up_->Move(0, 0, Width(), half);
    down_->Move(0, half, Width(), Height() - half);
}
