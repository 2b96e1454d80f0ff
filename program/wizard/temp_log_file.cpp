#include "program/wizard/temp_log_file.h"

#include "platform/forms/core/vb_error.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

namespace program {

namespace {

constexpr std::int32_t kPathFileAccessError = 75;

// Names the file, or the folder where it could not be made, and why: a file that was never
// made has no name of its own, and Qt may have no text for the system's reason.
[[noreturn]] void fail(const QString& what, const QFileDevice& file, const QString& folder)
{
    const int error = errno;
    const QString where = file.fileName().isEmpty() ? folder : file.fileName();
    QString why = file.errorString();
    if (why.isEmpty() || why == u"Unknown error")
        why = QString::fromLocal8Bit(std::strerror(error));
    forms::raise(kPathFileAccessError, QStringLiteral("Ostrel"),
                 QStringLiteral("The session log could not be ") + what + QStringLiteral(" (") + where +
                     QStringLiteral("): ") + why);
}

} // namespace

TempLogFile::TempLogFile() = default;
TempLogFile::~TempLogFile() = default;

QString TempLogFile::Write(const QString& text)
{
    if (!m_file) {
        // The folder the user named: Qt's own answer for a TMPDIR that does not exist is "".
        const QString named = qEnvironmentVariable("TMPDIR");
        const QString folder = named.isEmpty() ? QDir::tempPath() : named;
        if (!QFileInfo(folder).isDir())
            forms::raise(kPathFileAccessError, QStringLiteral("Ostrel"),
                         QStringLiteral("The session log could not be written: the temporary folder \"") + folder +
                             QStringLiteral("\" does not exist."));
        // QTemporaryFile makes the file itself, exclusively and readable by its owner only.
        auto file = std::make_unique<QTemporaryFile>(QDir(folder).filePath(QStringLiteral("Ostrel-log-XXXXXX.txt")));
        file->setAutoRemove(true);
        if (!file->open())
            fail(QStringLiteral("written to a temporary file"), *file, folder);
        m_file = std::move(file);
    }
    const QByteArray bytes = (text + QStringLiteral("\r\n")).toUtf8();
    if (!m_file->isOpen() && !m_file->open())
        fail(QStringLiteral("written"), *m_file, QDir::tempPath());
    if (!m_file->resize(0) || !m_file->seek(0) || m_file->write(bytes) != bytes.size() || !m_file->flush())
        fail(QStringLiteral("written"), *m_file, QDir::tempPath());
    return m_file->fileName();
}

} // namespace program
