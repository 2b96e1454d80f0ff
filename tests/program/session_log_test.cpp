#include "program/entry_name.h"
#include "program/session_log.h"

#include <gtest/gtest.h>

namespace {

const QString kNow = QStringLiteral("12/10/2026 9:05:03 AM");

TEST(SessionLog, LineTexts)
{
    struct Case {
        QString piece;
        const char* expected;
    };
    const Case cases[] = {
        {SessionLog::StartLine(kNow), "12/10/2026 9:05:03 AM, Start inspecting domains.\r\n"},
        {SessionLog::SuccessLine(kNow, false, QStringLiteral("a.com")),
         "12/10/2026 9:05:03 AM, Success:\tDomain a.com inspected successfully."},
        {SessionLog::SuccessLine(kNow, true, QStringLiteral("Org")),
         "12/10/2026 9:05:03 AM, Success:\tOrganization Org inspected successfully."},
        {SessionLog::FailureLine(kNow, false, QStringLiteral("b.com"), QStringLiteral("line 1\r\nline 2\r\n")),
         "12/10/2026 9:05:03 AM, Error:\tDomain b.com. \r\nline 1\r\nline 2\r\n"},
        {SessionLog::FailureLine(kNow, true, QStringLiteral("srv"), QStringLiteral("x\r\n")),
         "12/10/2026 9:05:03 AM, Error:\tServer srv. \r\nx\r\n"},
        {SessionLog::HandlerFailureLine(kNow, false, QStringLiteral("c"), 91, QStringLiteral("Object variable not set")),
         "12/10/2026 9:05:03 AM, Error:\tDomain c. \r\nerror number:91 - Object variable not set"},
        {SessionLog::CancelLine(kNow), "\r\n12/10/2026 9:05:03 AM, Cancel inspecting domains.\r\n"},
        {SessionLog::EndLine(kNow), "\r\n12/10/2026 9:05:03 AM, End inspecting domains."},
        {SessionLog::ProcessedLine(2), "\r\nProcessed:\t2"},
        {SessionLog::ErrorsLine(1), "With errors:\t1\r\n"},
        {SessionLog::EndFailureLine(QStringLiteral("Overflow")), "An error occured: Overflow"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.piece.toStdString(), c.expected);
}

TEST(SessionLog, TwoEntriesOneFailingLeaveTheDocumentedLines)
{
    SessionLog log;
    log.AddLogLine(SessionLog::StartLine(kNow), true);
    log.AddLogLine(SessionLog::SuccessLine(kNow, false, QStringLiteral("a")));
    log.AddLogLine(SessionLog::FailureLine(kNow, false, QStringLiteral("b"), QStringLiteral("bad\r\n")));
    log.AddLogLine(SessionLog::EndLine(kNow));
    log.AddLogLine(SessionLog::ProcessedLine(2));
    log.AddLogLine(SessionLog::ErrorsLine(1));
    EXPECT_EQ(log.text().toStdString(),
              "12/10/2026 9:05:03 AM, Start inspecting domains.\r\n\r\n"
              "12/10/2026 9:05:03 AM, Success:\tDomain a inspected successfully.\r\n"
              "12/10/2026 9:05:03 AM, Error:\tDomain b. \r\nbad\r\n\r\n"
              "\r\n12/10/2026 9:05:03 AM, End inspecting domains.\r\n"
              "\r\nProcessed:\t2\r\n"
              "With errors:\t1\r\n\r\n");
    log.AddLogLine(QStringLiteral("again"), true);
    EXPECT_EQ(log.text().toStdString(), "again\r\n");
}

TEST(SessionLog, DateForm)
{
    const QDateTime when(QDate(2026, 1, 2), QTime(15, 4, 5));
    EXPECT_EQ(SessionLog::FormatDate(when).toStdString(), "1/2/2026 3:04:05 PM");
}

TEST(EntryName, ThePasswordIsNeverShown)
{
    struct Case {
        const char* name;
        const char* shown;
    };
    for (const Case& c : {Case{"dc1/admin/s3cret", "dc1/admin"}, Case{"dc1/admin/a/b", "dc1/admin"},
                          Case{"dc1/admin/", "dc1/admin"}, Case{"dc1/admin", "dc1/admin"}, Case{"dc1", "dc1"},
                          Case{"", ""}})
        EXPECT_EQ(entry_name::shown(QString::fromUtf8(c.name)).toStdString(), c.shown) << c.name;

    const QString name = QStringLiteral("dc1/admin/s3cret");
    const QString line = SessionLog::FailureLine(kNow, false, name, QStringLiteral("Cannot bind to dc1/admin/s3cret\r\n"));
    EXPECT_FALSE(line.contains(QStringLiteral("s3cret"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("Domain dc1/admin. ")));
    EXPECT_FALSE(SessionLog::SuccessLine(kNow, false, name).contains(QStringLiteral("s3cret")));
}

} // namespace
