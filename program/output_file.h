#pragma once
// The output file of a headless run: the INI report, two empty lines, then the session log,
// with CR LF line ends, in UTF-8 (the system's encoding).
//
// The file is opened before the run counts anything, so that a path that cannot be written
// ends the run at once; it is written only at the end. A regular file (or a new one) is
// written into a temporary file beside it and renamed into place once complete, so it
// appears whole or not at all, and a file that existed keeps its permissions. A target
// that is not a regular file (a character device such as /dev/null, a FIFO) is written in
// place: renaming over it would destroy the node.

#include <QString>

#include <string>

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
    void discard();

    int fd_ = -1;
    std::string target_;    // the path as given
    std::string temporary_; // the file renamed over the target at the end; empty in place
};

// open and commit in one step.
bool write_output_file(const QString& path, const QString& iniText, const QString& log, QString& error);

} // namespace program
