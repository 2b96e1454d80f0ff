#pragma once
// The file through which View Log shows the session log: private to the user (mode 0600),
// with a unique name in the temporary folder, made at the first View Log and kept for the
// program's life (a second View Log rewrites the same file), removed when the program ends.
// Nobody else can place or read a file under its name.

#include <QString>

#include <memory>

class QTemporaryFile;

namespace program {

class TempLogFile {
public:
    TempLogFile();
    ~TempLogFile(); // removes the file
    TempLogFile(const TempLogFile&) = delete;
    TempLogFile& operator=(const TempLogFile&) = delete;

    // Writes `text` and CR LF into the file (made on first use) and returns its path; raises
    // the runtime's error with the reason when it cannot be made or written.
    QString Write(const QString& text);

private:
    std::unique_ptr<QTemporaryFile> m_file;
};

} // namespace program
