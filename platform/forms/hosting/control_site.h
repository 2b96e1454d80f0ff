#pragma once
// The site of one control on a form, which is also the control's extender: the properties
// the container adds to every control (Name, Align docking, Left/Top/Width/Height in twips,
// Visible, Tag, Default, Cancel, TabStop, TabIndex, ToolTipText, Enabled, HelpContextID,
// Container, Parent) and ZOrder/Move/SetFocus. Late binding on a control looks at its
// extender first and then at the control (late_binding.h).

#include "platform/forms/hosting/ambient_properties.h"
#include "platform/forms/core/property_bag.h"
#include "platform/forms/hosting/user_control.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

namespace forms {

class Form;
class UserControl;

enum AlignConstants { vbAlignNone = 0, vbAlignTop = 1, vbAlignBottom = 2, vbAlignLeft = 3, vbAlignRight = 4 };

class ControlSite : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE setName)
    Q_PROPERTY(int Align READ Align WRITE setAlign)
    Q_PROPERTY(double Left READ Left WRITE setLeft)
    Q_PROPERTY(double Top READ Top WRITE setTop)
    Q_PROPERTY(double Width READ Width WRITE setWidth)
    Q_PROPERTY(double Height READ Height WRITE setHeight)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisible)
    Q_PROPERTY(QString Tag READ Tag WRITE setTag)
    Q_PROPERTY(bool Default READ Default WRITE setDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE setCancel)
    Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)
    Q_PROPERTY(int TabIndex READ TabIndex WRITE setTabIndex)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(int HelpContextID READ HelpContextID WRITE setHelpContextID)
    Q_PROPERTY(QObject* Container READ Container WRITE setContainer)
    Q_PROPERTY(QObject* Parent READ Parent)
    Q_PROPERTY(QObject* Object READ Object)

public:
    ControlSite(Form& form, UserControl& control, QString class_name, QString name, ControlSite* container);
    ~ControlSite() override;

    Form& form() const { return form_; }
    UserControl* control() const { return control_; }
    ControlSite* container() const { return container_; }
    AmbientProperties& ambient() { return ambient_; }
    // The class the control was created by (its ProgID or CLSID), as the form file stores it.
    const QString& class_name() const { return class_name_; }

    QString Name() const { return name_; }
    // A control's name is an identifier: a letter, then up to 39 letters, digits or "_".
    // Anything else (a path such as "../x" included) is refused with 380.
    void setName(const QString& name);
    static bool is_valid_name(const QString& name);
    int Align() const { return align_; }
    void setAlign(int align);
    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void setLeft(double v) { Move(v, top_, width_, height_); }
    void setTop(double v) { Move(left_, v, width_, height_); }
    void setWidth(double v) { Move(left_, top_, v, height_); }
    void setHeight(double v) { Move(left_, top_, width_, v); }
    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    QString Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }
    bool Default() const { return default_; }
    void setDefault(bool value);
    bool Cancel() const { return cancel_; }
    void setCancel(bool value);
    bool TabStop() const { return tab_stop_; }
    void setTabStop(bool value);
    int TabIndex() const { return tab_index_; }
    // Places the control in its container's tab order (ties keep the order of placing).
    void setTabIndex(int value);
    QString ToolTipText() const { return tool_tip_; }
    void setToolTipText(const QString& text);
    bool Enabled() const;
    void setEnabled(bool value);
    int HelpContextID() const { return help_context_; }
    void setHelpContextID(int value) { help_context_ = value; }
    QObject* Container() const;
    // Moves the control into another container: the extender of a container control of the
    // same form, or the form itself. It keeps its Left and Top, now within the new container.
    // No object is 424; a control of another form, or the control itself or one inside it
    // (a loop), is 380, and the control stays where it was.
    void setContainer(QObject* container);
    QObject* Parent() const;
    QObject* Object() const;

    // 0 brings the control to the front, 1 sends it to the back; other values raise 5.
    Q_INVOKABLE void ZOrder(int position = 0);
    // In twips; a Width or Height below 0 raises 380.
    Q_INVOKABLE void Move(double left, double top, double width, double height);
    Q_INVOKABLE void SetFocus();

    // Extender values stored in a form file (the ones a designer sets), and back.
    void write_extender(PropertyBag& bag) const;
    // Loading reads the stored extender values in two steps: the geometry (Left, Top, Width,
    // Height, Align) before the control's ReadProperties, so the control sees its stored
    // place there and what it sets there stays; the rest after it.
    void read_stored_geometry(const PropertyBag& bag);
    void read_extender(const PropertyBag& bag);

    // A control with constituents that take the focus (buttons, boxes) is no Tab stop of its
    // own: the Tab walk goes through those constituents, and SetFocus hands the focus to the
    // first of them. A control without any is a Tab stop while TabStop is True.
    void apply_focus_policy();
    // The constituent SetFocus gives the focus to, or the control itself.
    QWidget* focus_target() const;

    // Puts the widget where the twips say; called again when twips per pixel change.
    // Returns whether the control's Resize ran for it.
    bool apply_geometry();
    // Docking: the form sets the geometry of an aligned control without marking anything.
    // `container_resized`: the form's size changed, so the control hears Resize even when
    // only its place changed.
    void set_docked_geometry(double left, double top, double width, double height, bool container_resized = false);

private:
    Form& form_;
    QPointer<UserControl> control_;
    QString class_name_;
    QString name_;
    ControlSite* container_;
    AmbientProperties ambient_;
    int align_ = vbAlignNone;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    QString tag_;
    bool default_ = false, cancel_ = false, tab_stop_ = true;
    int tab_index_ = 0;
    QString tool_tip_;
    int help_context_ = 0;
};

} // namespace forms
