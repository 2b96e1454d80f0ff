#pragma once
// The intrinsic controls that show a caption the user acts on (CommandButton, CheckBox,
// OptionButton): "&x" in the caption marks x as the access key, the caption without its
// marks is the accessible name.

#include "platform/forms/intrinsics/intrinsic_control.h"

namespace forms {

class CaptionedControl : public IntrinsicControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);

protected:
    CaptionedControl(QWidget* container, const QString& name, QAccessible::Role role, const QString& caption);

private:
    QString caption_;
};

// A check box or option button: a left click inside it, Space, its access key, or the toggle
// action of assistive tools presses it; they read it as checkable.
class ToggleControl : public CaptionedControl {
    Q_OBJECT

public:
    QStringList accessible_actions() const override;
    void do_accessible_action(const QString& action) override;

protected:
    using CaptionedControl::CaptionedControl;
    // What a press does to the value (toggle it, or select this option).
    virtual void press() = 0;
    // Tells assistive tools that the checked state changed.
    void checked_state_changed();

    void access_key_pressed() override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace forms
