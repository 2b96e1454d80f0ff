#pragma once
// The output file of a headless run: the INI report, two empty lines, then the session log,
// with CR LF line ends, in UTF-8 (the system's encoding).
//
// The file is opened before the run counts anything, so that a path that cannot be written
// ends the run at once; it is written only at the end, through the one file writer
// (platform/win32/file_writer.h: a regular file appears whole or not at all and keeps its
// permissions and owner; a device, a FIFO or a hard-linked file is written in place).

#include "platform/win32/file_writer.h"

#include <QString>

namespace program {

class output_file {
public:
    output_file() = default;
    ~output_file();
    output_file(const output_file&) = delete;
    output_file& operator=(const output_file&) = delete;

    // Makes sure `path` can be written; false with the reason in `error` when it cannot.
    bool open(const QString& path, QString& error);
    // Writes the report and the log and puts the file in place; false with the reason.
    bool commit(const QString& iniText, const QString& log, QString& error);

private:
    win32::file_writer m_writer;
};

// open and commit in one step.
bool write_output_file(const QString& path, const QString& iniText, const QString& log, QString& error);

} // namespace program
