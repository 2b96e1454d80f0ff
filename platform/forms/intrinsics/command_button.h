#pragma once
// CommandButton: Click on a left-button release over it, on Space, on Enter while it has the
// focus, and on setting Value to True. Default and Cancel mark the button that Enter and Esc
// press within its window (one each: setting one clears the flag on the window's others);
// press_access_key routes those keys.

#include "platform/forms/intrinsics/captioned_control.h"

namespace forms {

class CommandButton : public CaptionedControl {
    Q_OBJECT
    Q_PROPERTY(bool Default READ Default WRITE setDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel)
    Q_PROPERTY(bool Value READ Value WRITE setValue STORED false)

public:
    CommandButton(QWidget* container, const QString& name, const QString& caption = {});

    bool Default() const { return default_; }
    void setDefault(bool on);
    bool Cancel() const { return cancel_; }
    void setCancel(bool on);
    // Always False; setting True clicks the button.
    bool Value() const { return false; }
    void setValue(bool press);

    // Enter (13) presses the Default button, Esc (27) the Cancel button among the buttons
    // in `scope` that can be seen and used; false when there is none.
    static bool press_access_key(QWidget* scope, int key_ascii);

    // Assistive tools press the button as a click does, and hear which one Enter presses.
    QStringList accessible_actions() const override;
    void add_accessible_state(QAccessible::State& state) const override;
    void do_accessible_action(const QString& action) override;

protected:
    void access_key_pressed() override;
    QSize sizeHint() const override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void clear_flag_on_others(bool CommandButton::*flag);

    bool default_ = false;
    bool cancel_ = false;
    bool pressed_ = false;
};

} // namespace forms
