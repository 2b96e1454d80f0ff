#pragma once
// Printing the report: the print dialog, the chosen printer with the dialog's settings, then
// an empty line, the title in Arial 12, an empty line and the report in Courier New 10 (a
// full page goes on to the next). Cancelling the dialog prints and shows nothing; a failure
// shows the program's message that the statistics could not be printed.

#include <QString>

class QWidget;

namespace program {

// True when the report went to the printer (or the file the dialog chose).
bool PrintReport(const QString& title, const QString& text, QWidget* owner);

} // namespace program
