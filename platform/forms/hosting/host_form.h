#pragma once
// HostForm: a program's own window, a Form with the runtime's life cycle.
// - load_form() (the Load statement, also run by the first Show) raises Load once per loading.
// - Show(vbModeless) shows the window; Show(vbModal, owner) shows it above its owner, keeps
//   the rest of the program from input and returns only when the form is hidden or unloaded.
//   A modal Show of a form already shown is error 400.
// - unload_form(mode) (the Unload statement) raises QueryUnload(Cancel, UnloadMode), then
//   Unload(Cancel); either handler can keep the form by setting Cancel. Otherwise the window
//   hides, the controls are unloaded and a later Show loads the form again.
// - The close box is unload_form(vbFormControlMenu): a handler that cancels keeps the window.
// - Activate when Show makes the window the active one and whenever the user activates it
//   again, once per activation; Icon is the window's icon.
// - Assistive tools see a window (or, as set, a dialog) named by its caption.
// - Enter and Esc press the Default and Cancel controls (the form's sites first, then its
//   intrinsic command buttons) before the control with the focus sees the key, as a dialog
//   does: a text box does not keep Enter from its window's Default button. Enter on a
//   focused command button clicks that button. Without a control to press, the key goes
//   to the focus as usual.

#include "platform/forms/hosting/form.h"

#include <QAccessible>
#include <QIcon>

class QEventLoop;

namespace forms {

enum FormShowConstants { vbModeless = 0, vbModal = 1 };
enum QueryUnloadConstants {
    vbFormControlMenu = 0,
    vbFormCode = 1,
    vbAppWindows = 2,
    vbAppTaskManager = 3,
    vbFormMDIForm = 4,
    vbFormOwner = 5,
};

class HostForm : public Form {
    Q_OBJECT
    Q_PROPERTY(QIcon Icon READ Icon WRITE setIcon)

public:
    explicit HostForm(QWidget* parent = nullptr);
    ~HostForm() override;

    bool loaded() const { return loaded_; }
    void load_form();
    void Show(int modal = vbModeless, QWidget* owner = nullptr);
    void Hide();
    // False when a QueryUnload or Unload handler kept the form.
    bool unload_form(int unload_mode = vbFormCode);

    QIcon Icon() const { return windowIcon(); }
    void setIcon(const QIcon& icon) { setWindowIcon(icon); }

    QAccessible::Role accessible_role() const { return role_; }
    void set_accessible_role(QAccessible::Role role) { role_ = role; }

signals:
    void Load();
    void Activate();
    void QueryUnload(int& Cancel, int UnloadMode);
    void Unload(int& Cancel);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void end_modal_loop();
    void activate();
    void raise_activate();
    // Presses the Default (13) or Cancel (27) control; false when none can be pressed.
    bool press_default_or_cancel(int key_ascii);

    bool loaded_ = false;
    bool activated_ = false; // Activate raised since the window last hid or lost activation
    QAccessible::Role role_ = QAccessible::Window;
    QEventLoop* modal_loop_ = nullptr;
};

} // namespace forms
