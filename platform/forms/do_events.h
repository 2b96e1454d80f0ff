#pragma once
// DoEvents: runs the pending window messages and the calls queued to this thread's
// single-threaded apartment, then returns. install_sta_wakeup makes the Qt event loop serve
// that queue: a call queued to the UI thread from any other thread posts an event that runs
// it, so COM events from worker threads arrive on the UI thread in order.

namespace forms {

// Returns the number of open forms, as the runtime's DoEvents does (here: top-level widgets
// that are visible).
int DoEvents();

// While one lives, DoEvents leaves the user's keys and clicks queued: they reach the windows
// in order once the work that holds it has ended, never inside it. A page change and a
// page's layout hold one, so a queued key never starts a page change inside another.
class UserInputHold {
public:
    UserInputHold();
    ~UserInputHold();
    UserInputHold(const UserInputHold&) = delete;
    UserInputHold& operator=(const UserInputHold&) = delete;
};

// Called once on the UI thread after the QApplication exists (Application does it).
void install_sta_wakeup();

} // namespace forms
