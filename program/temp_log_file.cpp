#include "program/temp_log_file.h"

#include "platform/forms/vb_error.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace program {

namespace {

constexpr std::int32_t kPathFileAccessError = 75;

[[noreturn]] void fail(const QString& what, const QFileDevice& file)
{
    forms::raise(kPathFileAccessError, QStringLiteral("Ostrel"),
                 QStringLiteral("The session log could not be ") + what + QStringLiteral(" (") + file.fileName() +
                     QStringLiteral("): ") + file.errorString());
}

} // namespace

TempLogFile::TempLogFile() = default;
TempLogFile::~TempLogFile() = default;

QString TempLogFile::Write(const QString& text)
{
    if (!m_file) {
        const QString folder = QDir::tempPath();
        if (!QFileInfo(folder).isDir())
            forms::raise(kPathFileAccessError, QStringLiteral("Ostrel"),
                         QStringLiteral("The session log could not be written: the temporary folder \"") + folder +
                             QStringLiteral("\" does not exist."));
        // QTemporaryFile makes the file itself, exclusively and readable by its owner only.
        auto file = std::make_unique<QTemporaryFile>(QDir(folder).filePath(QStringLiteral("Ostrel-log-XXXXXX.txt")));
        file->setAutoRemove(true);
        if (!file->open())
            fail(QStringLiteral("written to a temporary file"), *file);
        m_file = std::move(file);
    }
    const QByteArray bytes = (text + QStringLiteral("\r\n")).toUtf8();
    if (!m_file->isOpen() && !m_file->open())
        fail(QStringLiteral("written"), *m_file);
    if (!m_file->resize(0) || !m_file->seek(0) || m_file->write(bytes) != bytes.size() || !m_file->flush())
        fail(QStringLiteral("written"), *m_file);
    return m_file->fileName();
}

} // namespace program
