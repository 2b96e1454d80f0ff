#include "program/report/output_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>

namespace {

void write_old_file(const QString& path, const char* content)
{
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(content);
}

TEST(OutputFile, ReportTwoEmptyLinesThenTheLog)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    QString error;
    ASSERT_TRUE(program::write_output_file(path, QStringLiteral("[Total]\r\nUsers=1\r\n\r\n"),
                                           QStringLiteral("log line\r\n\r\n"), error))
        << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "[Total]\r\nUsers=1\r\n\r\n\r\n\r\nlog line\r\n\r\n\r\n");
}

TEST(OutputFile, ReplacesAnExistingFileAndWritesUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    write_old_file(path, "old content that is longer than the new one");
    QString error;
    ASSERT_TRUE(program::write_output_file(path, QStringLiteral("[Dom\u00e4ne]\r\n\r\n"), QString(), error));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "[Dom\xc3\xa4ne]\r\n\r\n\r\n\r\n\r\n");
}

TEST(OutputFile, ABadPathFailsWithAReasonAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/folder/r.txt"));
    QString error;
    EXPECT_FALSE(program::write_output_file(path, QStringLiteral("[Total]\r\n\r\n"), QStringLiteral("log"), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());

    EXPECT_FALSE(program::write_output_file(QString(), QString(), QString(), error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(OutputFile, AFolderAsThePathFails)
{
    QTemporaryDir dir;
    QString error;
    EXPECT_FALSE(program::write_output_file(dir.path(), QStringLiteral("[Total]\r\n"), QString(), error));
    EXPECT_FALSE(error.isEmpty());
}

mode_t mode_of(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

TEST(OutputFile, AReadOnlyFileIsReplacedWholeAndKeepsItsMode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.txt"));
    write_old_file(path, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    QString error;
    ASSERT_TRUE(program::write_output_file(path, QStringLiteral("[Total]\r\n"), QString(), error))
        << error.toStdString();
    EXPECT_TRUE(S_ISREG(mode_of(path)));
    EXPECT_EQ(mode_of(path) & 07777, 0444u);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "[Total]\r\n\r\n\r\n\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 1);
}

// A character device of the test's own folder (the null device's numbers): written in
// place, so the node stays a device.
TEST(OutputFile, ACharacterDeviceIsWrittenInPlace)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "creating a device node needs root";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("null"));
    ASSERT_EQ(::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
    QString error;
    ASSERT_TRUE(program::write_output_file(path, QStringLiteral("[Total]\r\n"), QStringLiteral("log"), error))
        << error.toStdString();
    EXPECT_TRUE(S_ISCHR(mode_of(path)));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System),
              QStringList{QStringLiteral("null")});
}

TEST(OutputFile, AFifoWithAReaderIsOpenedAtOnceAndWrittenInPlace)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipe"));
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::mkfifo(name.constData(), 0600), 0);
    // The output file opens the FIFO for writing before anything is counted, without waiting:
    // a reader is there already, and the report waits in the pipe for it.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    program::output_file file;
    QString error;
    ASSERT_TRUE(file.open(path, error)) << error.toStdString();
    ASSERT_TRUE(file.commit(QStringLiteral("[Total]\r\n"), QStringLiteral("log"), error)) << error.toStdString();
    std::string content;
    char buffer[256];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        content.append(buffer, static_cast<std::size_t>(n));
    ::close(fd);
    EXPECT_EQ(content, "[Total]\r\n\r\n\r\nlog\r\n");
    EXPECT_TRUE(S_ISFIFO(mode_of(path)));
}

TEST(OutputFile, AnImpossiblePathIsKnownWhenOpenedAndAnOpenedFileNotCommittedLeavesNothing)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("plain"));
    write_old_file(plain, "");
    for (const QString& path :
         {QString(), dir.filePath(QStringLiteral("missing/r.txt")), plain + QStringLiteral("/r.txt"), dir.path()}) {
        program::output_file file;
        QString error;
        EXPECT_FALSE(file.open(path, error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty()) << path.toStdString();
    }
    {
        program::output_file file;
        QString error;
        ASSERT_TRUE(file.open(dir.filePath(QStringLiteral("r.txt")), error));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{QStringLiteral("plain")});
}

} // namespace
