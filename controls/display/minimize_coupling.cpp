#include "controls/display/minimize_coupling.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>
#include <QWindowStateChangeEvent>

MinimizeCoupling::MinimizeCoupling(QWidget& dialog, QWidget& owner, QObject* parent)
    : QObject(parent), dialog_(&dialog), owner_(&owner)
{
    dialog.installEventFilter(this);
    owner.installEventFilter(this);
}

MinimizeCoupling::~MinimizeCoupling()
{
    if (dialog_)
        dialog_->removeEventFilter(this);
    if (owner_)
        owner_->removeEventFilter(this);
}

QWidget* MinimizeCoupling::owner_of(QWidget& dialog)
{
    QWidget* window = dialog.window();
    // A modal form is shown above the window it blocks without belonging to it: that window
    // is its window's transient parent.
    if (const QWindow* handle = window->windowHandle(); handle != nullptr && handle->transientParent() != nullptr)
        for (QWidget* candidate : QApplication::topLevelWidgets())
            if (candidate != window && candidate->windowHandle() == handle->transientParent())
                return candidate;
    QWidget* parent = window->parentWidget();
    return parent ? parent->window() : nullptr;
}

bool MinimizeCoupling::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates old_state = static_cast<QWindowStateChangeEvent*>(event)->oldState();
        if (watched == dialog_)
            dialog_state_changed(old_state);
        else if (watched == owner_)
            owner_state_changed(old_state);
    }
    return false; // both windows handle the change as usual
}

void MinimizeCoupling::dialog_state_changed(Qt::WindowStates old_state)
{
    if (!owner_ || !dialog_)
        return;
    const bool minimized = dialog_->windowState().testFlag(Qt::WindowMinimized);
    if (minimized && !old_state.testFlag(Qt::WindowMinimized)) {
        owner_->setWindowState(owner_->windowState() | Qt::WindowMinimized);
        dialog_minimized_ = true;
    } else if (!minimized) {
        // Restored by other means than its owner: nothing is left to restore later.
        dialog_minimized_ = false;
    }
}

void MinimizeCoupling::owner_state_changed(Qt::WindowStates old_state)
{
    if (!owner_ || !dialog_)
        return;
    const bool restored = old_state.testFlag(Qt::WindowMinimized) &&
                          !owner_->windowState().testFlag(Qt::WindowMinimized);
    if (!restored || !dialog_minimized_)
        return;
    dialog_minimized_ = false;
    dialog_->setWindowState(dialog_->windowState() & ~Qt::WindowMinimized);
}
