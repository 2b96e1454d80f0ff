#pragma once
// The output file of a headless run: the INI report, two empty lines, then the session log,
// with CR LF line ends, in UTF-8 (the system's encoding). The file appears whole or not at
// all: it is written beside its final name and renamed into place once complete, so a
// failure never leaves a partial report where a user would take it for a result.

#include <QString>

namespace program {

// Writes the file; false with a reason in `error` when it cannot.
bool write_output_file(const QString& path, const QString& iniText, const QString& log, QString& error);

} // namespace program
