#pragma once
// The common part of the runtime's intrinsic controls (CommandButton, Label, Image,
// PictureBox, Frame, Line, TextBox, ComboBox, CheckBox, OptionButton), which user controls
// are built from instead of raw Qt widgets:
// - Name and Tag (the Name is never the accessible name: assistive tools read the control's
//   caption, or the words of the label in front of it);
// - Visible and Enabled are the control's OWN flags: a control inside a hidden or disabled
//   container still reports what was set on it (Qt's isVisible/isEnabled include the parents);
// - Left, Top, Width, Height in twips within the container, kept exactly as set (the widget
//   takes the nearest whole pixels), Move and ZOrder;
// - BackColor and ForeColor as raw OLE_COLORs, Font as a shared font object;
// - KeyDown/KeyPress/KeyUp with the runtime's key codes and Shift mask, by reference so a
//   handler can change or swallow them (0), MouseDown/MouseMove/MouseUp in twips, Click.

#include "platform/forms/core/ole_color.h"
#include "platform/forms/core/std_font.h"
#include "platform/forms/core/std_picture.h"

#include <QAccessible>
#include <QRectF>
#include <QShortcut>
#include <QString>
#include <QWidget>

#include <optional>

namespace forms {

// A caption as shown: "&x" marks x as the access key, "&&" is one "&".
QString strip_mnemonic(const QString& caption);

class IntrinsicControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name)
    Q_PROPERTY(int Index READ Index)
    Q_PROPERTY(QString Tag READ Tag WRITE setTag)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(double Left READ Left WRITE setLeft)
    Q_PROPERTY(double Top READ Top WRITE setTop)
    Q_PROPERTY(double Width READ Width WRITE setWidth)
    Q_PROPERTY(double Height READ Height WRITE setHeight)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(forms::FontRef Font READ Font WRITE setFont)

public:
    // `name` is the control's Name; `role` what assistive tools announce.
    IntrinsicControl(QWidget* container, const QString& name, QAccessible::Role role);
    ~IntrinsicControl() override;

    QString Name() const { return objectName(); }
    // The control's place in a control array (controls sharing one Name); -1 outside any.
    int Index() const { return index_; }
    void set_index(int index) { index_ = index; }
    QString Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    bool Visible() const { return visible_; }
    void setVisible(bool visible) override;
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }

    double Left() const { return twips_.left(); }
    double Top() const { return twips_.top(); }
    double Width() const { return twips_.width(); }
    double Height() const { return twips_.height(); }
    void setLeft(double twips) { Move(twips, Top(), Width(), Height()); }
    void setTop(double twips) { Move(Left(), twips, Width(), Height()); }
    void setWidth(double twips) { Move(Left(), Top(), twips, Height()); }
    void setHeight(double twips) { Move(Left(), Top(), Width(), twips); }
    // Width and height below 0 are 0.
    void Move(double left, double top, double width, double height);
    // 0 brings the control to the front of its container's controls, 1 sends it behind them.
    void ZOrder(int position = 0);

    OLE_COLOR BackColor() const { return back_color_; }
    void setBackColor(OLE_COLOR color);
    OLE_COLOR ForeColor() const { return fore_color_; }
    void setForeColor(OLE_COLOR color);
    FontRef Font() const { return font_; }
    // Holds `font` (shared: later edits of it show here too); null restores the default font.
    void setFont(const FontRef& font);
    using QWidget::setFont;

    QAccessible::Role accessible_role() const { return role_; }
    // A control of a kind that plays another part (a label that is a link).
    void set_accessible_role(QAccessible::Role role) { role_ = role; }
    // What assistive tools read besides the role and the name: the state the control shows
    // (checked, ...) and the actions they may take (Qt's action names), which do what the
    // user's input does.
    virtual void add_accessible_state(QAccessible::State& state) const { (void)state; }
    virtual QStringList accessible_actions() const { return {}; }
    virtual void do_accessible_action(const QString& action) { (void)action; }
    // A control that holds a number (spin buttons): its value and range as assistive tools
    // read them; a value they set goes to set_accessible_value, as the user's input would.
    struct AccessibleValue {
        double current, minimum, maximum;
    };
    virtual std::optional<AccessibleValue> accessible_value() const { return std::nullopt; }
    virtual void set_accessible_value(double value) { (void)value; }
    // True for a control that shows nothing a person could name (an empty picture, a
    // separator): assistive tools leave it out of the tree.
    virtual bool accessible_hidden() const { return false; }
    // The words of the label in front of a control that shows none of its own (a list, a box,
    // a grid): its accessible name and that of the widget that takes its focus.
    void set_label_name(const QString& words);

signals:
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    void Click();
    void DblClick();

protected:
    // The colours and font to paint with.
    QColor back_qcolor() const;
    QColor fore_qcolor() const;
    // Called after the twips geometry, colours or font changed (AutoSize, repaint, ...).
    virtual void appearance_changed() { update(); }
    // Makes the letter after "&" in `caption` the control's access key: Alt and that letter,
    // while the control can be seen and used in the active window, call access_key_pressed.
    void set_access_key(const QString& caption);
    virtual void access_key_pressed() {}
    // Holds `picture` in `held` (shared: a later change of the picture shows here; null is an
    // empty picture) and calls appearance_changed now and on every change of it.
    void hold_picture(PictureRef& held, QMetaObject::Connection& connection, const PictureRef& picture);
    // Sets the twips rectangle as the control's own size decision (AutoSize, a picture's
    // natural size) and moves the widget.
    void set_twips_rect(const QRectF& twips);
    // Raises KeyDown, KeyPress, KeyUp for a Qt key event; false when a handler swallowed the
    // key (code or character set to 0). A changed KeyAscii is handed back in `typed`.
    bool raise_key_down(const QKeyEvent& event);
    bool raise_key_press(const QKeyEvent& event, short& typed);
    bool raise_key_up(const QKeyEvent& event);
    // Reports the input of a Qt widget that draws part of this control (a text box's edit
    // field) as this control's own events; a key a handler swallowed does not reach it, and a
    // character a handler changed is handed to `retype`.
    void forward_input_of(QWidget* inner);
    virtual void retype(short key_ascii) { (void)key_ascii; }
    bool eventFilter(QObject* watched, QEvent* event) override;

    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Lets `inner` handle a key event raised for it already, and stops the event there.
    bool handled_by(QWidget* inner, QEvent* event);
    void apply_geometry();
    void font_changed();

    QString tag_;
    int index_ = -1;
    bool visible_ = true;
    QRectF twips_;
    OLE_COLOR back_color_ = syscolor::ButtonFace;
    OLE_COLOR fore_color_ = syscolor::ButtonText;
    FontRef font_;
    QMetaObject::Connection font_connection_;
    QAccessible::Role role_;
    QShortcut* access_key_ = nullptr;
    // The button went down as the second press of a double click: its release clicks no more.
    bool double_clicked_ = false;
};

} // namespace forms
