#pragma once
// The window a dialog serves. A dialog of the runtime (a message box, the file and print
// dialogs, a modal form) is transient for that window (WM_TRANSIENT_FOR under X), so a window
// manager keeps it above the window it blocks, and never for the application's unmapped
// leader window; when the dialog closes the keys go back to that window, which without a
// window manager nobody else would hand the focus to.

class QDialog;
class QWidget;

namespace forms {

// The window of `named` when one is named; else the active modal window, the active window,
// or the one visible window of the application; null when none qualifies.
QWidget* dialog_owner(QWidget* named = nullptr);

// Makes `dialog` a dialog of `owner`'s window (transient for it, centred on it by the
// platform) without making the owner responsible for its life.
void belong_to(QDialog& dialog, QWidget* owner);

// Gives the keys back to `owner` after a dialog closed (when it is still shown).
void give_keys_back(QWidget* owner);

// Runs `dialog` modally as a dialog of dialog_owner(named) and gives the keys back after.
int exec_owned(QDialog& dialog, QWidget* named = nullptr);

} // namespace forms
