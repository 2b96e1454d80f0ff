#pragma once
// The coupling of one modal dialog with its owner window: minimising the dialog minimises the
// owner; restoring the owner restores the dialog. Qt delivers every change of a window's
// state (from the user, the window manager or code) as QEvent::WindowStateChange, so the
// coupling watches both windows with an event filter instead of replacing window procedures.
//
// Each coupling keeps its own state, so couplings may nest (a coupled dialog opening another
// coupled dialog) without overwriting each other. The dialog is only ever minimised, never
// hidden: hiding a dialog ends its modal run at once.

#include <QObject>
#include <QPointer>
#include <QWidget>

class MinimizeCoupling : public QObject {
    Q_OBJECT
public:
    // Watches `dialog` and `owner` until the coupling is destroyed.
    MinimizeCoupling(QWidget& dialog, QWidget& owner, QObject* parent = nullptr);
    ~MinimizeCoupling() override;

    // The window that owns `dialog`: the window it is shown above (its transient parent, as a
    // modal Show with an owner makes it), else the top-level window of its parent widget;
    // null for a window without an owner, which cannot be coupled.
    static QWidget* owner_of(QWidget& dialog);

    QWidget* dialog() const { return dialog_; }
    QWidget* owner() const { return owner_; }
    // The dialog was minimised together with its owner and not restored since.
    bool dialog_minimized() const { return dialog_minimized_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dialog_state_changed(Qt::WindowStates old_state);
    void owner_state_changed(Qt::WindowStates old_state);

    QPointer<QWidget> dialog_;
    QPointer<QWidget> owner_;
    bool dialog_minimized_ = false;
};
