#include "platform/forms/hosting/dialog_owner.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace forms {

QWidget* dialog_owner(QWidget* named)
{
    if (named != nullptr)
        return named->window();
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    // After a dialog closed without a window manager, no window may be active: the one
    // window the user sees is the one the dialog serves.
    QWidget* shown = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top->windowType() == Qt::Popup || top->windowType() == Qt::ToolTip)
            continue;
        if (shown != nullptr)
            return nullptr;
        shown = top;
    }
    return shown;
}

void belong_to(QDialog& dialog, QWidget* owner)
{
    if (owner == nullptr)
        return;
    QWidget* window = owner->window();
    dialog.winId(); // its native window, to name the owner on
    if (window->windowHandle() == nullptr)
        window->winId();
    if (dialog.windowHandle() != nullptr)
        dialog.windowHandle()->setTransientParent(window->windowHandle());
}

void give_keys_back(QWidget* owner)
{
    if (owner != nullptr && owner->window()->isVisible())
        owner->window()->activateWindow();
}

int exec_owned(QDialog& dialog, QWidget* named)
{
    const QPointer<QWidget> owner = dialog_owner(named);
    belong_to(dialog, owner);
    const int result = dialog.exec();
    give_keys_back(owner);
    return result;
}

} // namespace forms
