#include "platform/forms/hosting/host_form.h"

#include "platform/forms/intrinsics/command_button.h"
#include "platform/forms/hosting/dialog_owner.h"
#include "platform/forms/services/message_box.h"
#include "platform/forms/core/vb_error.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>
#include <QWindow>

#include <mutex>

namespace forms {

namespace {
QAccessibleInterface* host_form_accessible(const QString& key, QObject* object)
{
    (void)key;
    auto* form = qobject_cast<HostForm*>(object);
    return form ? new QAccessibleWidget(form, form->accessible_role()) : nullptr;
}
} // namespace

HostForm::HostForm(QWidget* parent) : Form(true, parent)
{
    static std::once_flag accessible_factory;
    std::call_once(accessible_factory, [] { QAccessible::installFactory(host_form_accessible); });
    // Enter and Esc are the window's before they are the focused control's.
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
}

HostForm::~HostForm() { end_modal_loop(); }

void HostForm::load_form()
{
    if (loaded_)
        return;
    loaded_ = true;
    emit Load();
}

void HostForm::Show(int modal, QWidget* owner)
{
    if (modal != vbModeless && modal != vbModal)
        forms::raise(vberr::InvalidProcedureCall, QStringLiteral("Show"));
    if (modal == vbModal && (isVisible() || modal_loop_ != nullptr))
        forms::raise(400, QStringLiteral("Show"), QStringLiteral("Form already displayed; can't show modally"));
    load_form();
    if (!loaded_) // the Load handler unloaded the form again
        return;
    if (modal == vbModeless) {
        show();
        activate();
        return;
    }
    // The owner keeps the dialog above it without owning it: the dialog's life stays the
    // caller's, whatever happens to the owner. Without one named, the active window owns it,
    // so a window manager never puts the dialog behind the window it blocks.
    setWindowModality(Qt::ApplicationModal);
    if (owner == nullptr)
        owner = dialog_owner();
    if (owner == this)
        owner = nullptr;
    if (owner != nullptr && owner->window()->windowHandle() != nullptr) {
        // Only a dialog's window names the window it belongs to (WM_TRANSIENT_FOR under X).
        if (windowType() == Qt::Window)
            setWindowFlags((windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
        create();
        windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
    const QPointer<QWidget> owner_window = owner != nullptr ? owner->window() : nullptr;
    show();
    activate();
    QEventLoop loop;
    modal_loop_ = &loop;
    // Whoever owns the form may delete it while it runs (a timer, a handler of another window).
    const QPointer<HostForm> alive(this);
    loop.exec(QEventLoop::DialogExec);
    if (alive) {
        modal_loop_ = nullptr;
        setWindowModality(Qt::NonModal);
    }
    // The keys go back to the window the dialog blocked: without a window manager to hand the
    // focus on, the X server would give it to no window of ours.
    give_keys_back(owner_window);
}

void HostForm::Hide() { hide(); }

bool HostForm::unload_form(int unload_mode)
{
    if (!loaded_)
        return true;
    int cancel = 0;
    emit QueryUnload(cancel, unload_mode);
    if (cancel != 0)
        return false;
    emit Unload(cancel);
    if (cancel != 0)
        return false;
    loaded_ = false;
    hide();
    unload();
    end_modal_loop();
    return true;
}

void HostForm::end_modal_loop()
{
    if (modal_loop_ != nullptr)
        modal_loop_->exit();
}

void HostForm::activate()
{
    // Showing makes the form the active window: Activate is raised here, whether or not the
    // platform reports the activation (some keep a hidden window's state and tell nothing).
    activateWindow();
    raise_activate();
}

void HostForm::raise_activate()
{
    if (activated_)
        return;
    activated_ = true;
    emit Activate();
}

bool HostForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        raise_activate();
    else if (event->type() == QEvent::WindowDeactivate)
        activated_ = false;
    return Form::event(event);
}

void HostForm::closeEvent(QCloseEvent* event)
{
    bool unloaded = false;
    try {
        unloaded = unload_form(vbFormControlMenu);
    } catch (const VbError& e) {
        report_unhandled_error(e.number(), e.description());
    }
    if (unloaded)
        event->accept();
    else
        event->ignore();
}

void HostForm::hideEvent(QHideEvent* event)
{
    Form::hideEvent(event);
    activated_ = false;
    // A window the user minimises is hidden by the window system, not by the program: the
    // form is still shown and its modal run goes on until it is restored and closed.
    if (!event->spontaneous() || !isVisible())
        end_modal_loop();
}

bool HostForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return Form::eventFilter(watched, event);
    auto* target = static_cast<QWidget*>(watched);
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool escape = key->key() == Qt::Key_Escape;
    if ((!enter && !escape) || target->window() != this || !loaded_)
        return false;
    // A focused button takes Enter itself.
    for (QWidget* w = target; w != nullptr && w != this; w = w->parentWidget())
        if (enter && qobject_cast<CommandButton*>(w) != nullptr)
            return false;
    return press_default_or_cancel(enter ? 13 : 27);
}

bool HostForm::press_default_or_cancel(int key_ascii)
{
    try {
        return route_key(key_ascii) || CommandButton::press_access_key(this, key_ascii);
    } catch (const VbError& e) {
        report_unhandled_error(e.number(), e.description());
        return true;
    }
}

} // namespace forms
