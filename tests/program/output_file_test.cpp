#include "program/output_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

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
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content that is longer than the new one");
    }
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

} // namespace
