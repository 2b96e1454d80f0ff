#pragma once
// The Tab order of a window built in code (a property page): the controls that take Tab in
// the order a person reads them, top to bottom and, in one row, left to right; a control
// standing inside a container (a frame) is reached in that container's place.

#include <vector>

class QWidget;

namespace forms {

// The widgets that take the focus for Tab inside `container`, in reading order (for a text
// box, its field).
std::vector<QWidget*> tab_stops_as_laid_out(QWidget& container);

// Moves the focus from inside `container` to its next (or previous) Tab stop in reading order
// that can be seen and used; from the last (or first) one, on to the window's next widget
// outside the container. False when the focus is not inside the container.
bool move_focus_as_laid_out(QWidget& container, bool next);

// Puts the focus on the first (or, for Shift+Tab, the last) Tab stop of `container` that can
// be seen and used: where Tab from outside enters it.
void enter_as_laid_out(QWidget& container, bool next);

} // namespace forms
