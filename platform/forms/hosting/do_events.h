#pragma once
// DoEvents: runs the pending window messages and the calls queued to this thread's
// single-threaded apartment, then returns. install_sta_wakeup makes the Qt event loop serve
// that queue: a call queued to the UI thread from any other thread posts an event that runs
// it, so COM events from worker threads arrive on the UI thread in order.

#include <functional>

class QObject;
class QWidget;

namespace forms {

// Returns the number of open forms, as the runtime's DoEvents does (here: top-level widgets
// that are visible).
int DoEvents();

// While one lives, DoEvents leaves the user's keys and clicks queued: they reach the windows
// in order once the work that holds it has ended, never inside it. The runtime's own
// pumping holds one (a page's layout, a form's unload, a repaint), so input never reaches a
// control in the middle of that work; a host's own DoEvents outside it dispatches input.
class UserInputHold {
public:
    UserInputHold();
    ~UserInputHold();
    UserInputHold(const UserInputHold&) = delete;
    UserInputHold& operator=(const UserInputHold&) = delete;
};

// True while a UserInputHold lives.
bool user_input_held();

// Whether the user can reach `control` with the mouse or keys now: shown, enabled (with its
// containers) and in a window that no modal window blocks.
bool takes_user_input(const QWidget& control);

// Delivers input that does not come through the window system (an assistive tool's Press or
// Toggle) the way the window system's own is delivered: refused when the user could not
// reach `control` now, held while a UserInputHold lives and then run in the order asked (if
// the control still takes input then), else run at once.
void deliver_user_input(QWidget& control, std::function<void()> input);

// Called once on the UI thread after the QApplication exists (Application does it).
void install_sta_wakeup();

} // namespace forms
