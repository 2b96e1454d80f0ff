#pragma once
// The base of every control: a Qt widget whose properties, methods and events are
// meta-object properties, invokables and signals under the names the control publishes.
// The host (Form with its ControlSite) calls the life-cycle hooks in this order:
//   Initialize        -- no site yet: Ambient() and Extender() raise 398 here
//   InitProperties    -- a new instance, or ReadProperties(bag) for a stored one
//   Resize            -- after the stored size is applied, and on every later change of size,
//                        at once when the site sets it, whether the form is shown or not
//   Show / Hide       -- as the control becomes visible or hidden on its form
//   WriteProperties   -- whenever the host saves the form (design mode)
//   Terminate         -- once, explicitly, while the sibling controls still live
// A hook that raises VbError inside a Qt event (resize, show, hide) is reported through the
// message-box service, never left to unwind through Qt.

#include "platform/forms/core/property_bag.h"
#include "platform/forms/core/stored_value.h"

#include <QString>
#include <QWidget>

namespace forms {

class AmbientProperties;
class ControlSite;
class Form;

class UserControl : public QWidget {
    Q_OBJECT
public:
    explicit UserControl(QWidget* parent = nullptr);
    ~UserControl() override;

    // The container's view of this control; 398 (Client site not available) before the
    // control is sited (in Initialize) and after Terminate.
    ControlSite& Extender() const;
    AmbientProperties& Ambient() const;
    Form& ParentForm() const;
    bool has_site() const { return site_ != nullptr; }

    // Tells the host that a persisted property changed (design mode offers to save; the
    // property sheet refreshes).
    void PropertyChanged(const QString& name = {});

    // The inner size in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;

    enum class Stage { Created, Initialized, Loaded, Terminated };
    Stage stage() const { return stage_; }

    // CanGetFocus: False for a control that shows and never takes input itself (a label, a
    // progress bar): it is no Tab stop and takes no click focus. A control whose constituents
    // take the focus hands it to them either way.
    bool CanGetFocus() const { return can_get_focus_; }

    // The words of the label placed just before the control (its name for assistive tools);
    // a control that takes the focus in a constituent passes them on to it.
    virtual void set_label_name(const QString& words) { setAccessibleName(words); }

    // The control's stored enumerations (stored_value.h): the table its ReadProperties reads
    // them through, which a design host also keeps a designer's values to.
    virtual std::span<const StoredChoice> stored_choices() const { return {}; }

protected:
    void setCanGetFocus(bool value) { can_get_focus_ = value; }
    virtual void Initialize() {}
    virtual void InitProperties() {}
    virtual void ReadProperties(PropertyBag& bag) { (void)bag; }
    virtual void WriteProperties(PropertyBag& bag) { (void)bag; }
    virtual void Resize() {}
    virtual void Show() {}
    virtual void Hide() {}
    virtual void Terminate() {}
    virtual void AmbientChanged(const QString& name) { (void)name; }
    // Enter (13) on a control whose extender is Default, Esc (27) on the Cancel one.
    virtual void AccessKeyPress(int key_ascii) { (void)key_ascii; }
    // Whether a click gives the control the focus while it is no Tab stop; a control that is
    // only a surface for others (a wizard page) answers false.
    virtual bool takes_click_focus_without_tab_stop() const { return true; }
    // The focus came into the control or one of its constituents from outside, or left them.
    virtual void EnterFocus() {}
    virtual void ExitFocus() {}

    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    friend class Form;
    friend class ControlSite;

    // The host's entry points; each keeps the stage so a hook never runs out of order.
    void run_initialize();
    void run_load(ControlSite& site, PropertyBag* bag);
    void run_write(PropertyBag& bag);
    void run_resize();
    // The site set the control's size: Resize runs now if the size changed since the last
    // Resize, shown or hidden (Qt holds a hidden widget's resize event back until it shows).
    // Returns whether Resize ran.
    bool run_resize_if_changed();
    // The container's size changed (a docked control moved by a form resize): Resize runs
    // even though the control's own size may not have changed.
    void run_container_resize();
    void run_ambient_changed(const QString& name);
    void run_access_key(int key_ascii);
    void run_terminate();
    // EnterFocus / ExitFocus as the application's focus moves into or out of the control.
    void focus_moved(QWidget* old, QWidget* now);
    // Runs a hook from a Qt event handler: a raised error is reported, not thrown.
    template <typename F>
    void guarded(const char* what, F&& hook);

    QMetaObject::Connection focus_connection_;
    ControlSite* site_ = nullptr;
    Stage stage_ = Stage::Created;
    bool shown_ = false;
    bool terminating_ = false;
    // The size the control last heard of, so a resize event that arrives later for a size
    // the site already announced (a hidden widget's, held back until it shows) does not
    // repeat that Resize. Invalid until the first Resize of the load.
    QSize notified_size_{-1, -1};
    bool can_get_focus_ = true;
};

} // namespace forms
