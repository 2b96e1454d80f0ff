#include "program/report/entry_name.h"
#include "program/report/session_log.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

const QString kNow = QStringLiteral("12/10/2026 9:05:03 AM");

TEST(SessionLog, LineTexts)
{
    struct Case {
        QString piece;
        const char* expected;
    };
    const Case cases[] = {
        {program::SessionLog::StartLine(kNow), "12/10/2026 9:05:03 AM, Start inspecting domains.\r\n"},
        {program::SessionLog::SuccessLine(kNow, false, QStringLiteral("a.com")),
         "12/10/2026 9:05:03 AM, Success:\tDomain a.com inspected successfully."},
        {program::SessionLog::SuccessLine(kNow, true, QStringLiteral("Org")),
         "12/10/2026 9:05:03 AM, Success:\tOrganization Org inspected successfully."},
        {program::SessionLog::FailureLine(kNow, false, QStringLiteral("b.com"), QStringLiteral("line 1\r\nline 2\r\n")),
         "12/10/2026 9:05:03 AM, Error:\tDomain b.com. \r\nline 1\r\nline 2\r\n"},
        {program::SessionLog::FailureLine(kNow, true, QStringLiteral("srv"), QStringLiteral("x\r\n")),
         "12/10/2026 9:05:03 AM, Error:\tServer srv. \r\nx\r\n"},
        {program::SessionLog::HandlerFailureLine(kNow, false, QStringLiteral("c"), 91,
                                                 QStringLiteral("Object variable not set")),
         "12/10/2026 9:05:03 AM, Error:\tDomain c. \r\nerror number:91 - Object variable not set"},
        {program::SessionLog::CancelLine(kNow), "\r\n12/10/2026 9:05:03 AM, Cancel inspecting domains.\r\n"},
        {program::SessionLog::EndLine(kNow), "\r\n12/10/2026 9:05:03 AM, End inspecting domains."},
        {program::SessionLog::ProcessedLine(2), "\r\nProcessed:\t2"},
        {program::SessionLog::ErrorsLine(1), "With errors:\t1\r\n"},
        {program::SessionLog::EndFailureLine(QStringLiteral("Overflow")), "An error occured: Overflow"},
        // Texts from outside keep their own lines and start none: a lone CR or LF, a TAB and a
        // "]" inside a line are shown by their stand-ins, in names and error texts alike.
        {program::SessionLog::SuccessLine(kNow, true, QStringLiteral("x\r\n[Total]\r\nUsers=9")),
         "12/10/2026 9:05:03 AM, Success:\tOrganization x\u240D\u240A[Total\uFF3D\u240D\u240AUsers=9 inspected "
         "successfully."},
        {program::SessionLog::FailureLine(kNow, true, QStringLiteral("s\n[Total]"),
                                          QStringLiteral("a\nb]\tc\r\nd\r\n")),
         "12/10/2026 9:05:03 AM, Error:\tServer s\u240A[Total\uFF3D. \r\na\u240Ab\uFF3D\u2409c\r\nd\r\n"},
        {program::SessionLog::HandlerFailureLine(kNow, false, QStringLiteral("c"), 5, QStringLiteral("bad\r[Total]")),
         "12/10/2026 9:05:03 AM, Error:\tDomain c. \r\nerror number:5 - bad\u240D[Total\uFF3D"},
        {program::SessionLog::EndFailureLine(QStringLiteral("x\n[Total]")), "An error occured: x\u240A[Total\uFF3D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.piece, QString::fromUtf8(c.expected));
    }
}

TEST(SessionLog, TwoEntriesOneFailingLeaveTheDocumentedLines)
{
    program::SessionLog log;
    log.AddLogLine(program::SessionLog::StartLine(kNow), true);
    log.AddLogLine(program::SessionLog::SuccessLine(kNow, false, QStringLiteral("a")));
    log.AddLogLine(program::SessionLog::FailureLine(kNow, false, QStringLiteral("b"), QStringLiteral("bad\r\n")));
    log.AddLogLine(program::SessionLog::EndLine(kNow));
    log.AddLogLine(program::SessionLog::ProcessedLine(2));
    log.AddLogLine(program::SessionLog::ErrorsLine(1));
    EXPECT_EQ(log.text().toStdString(), "12/10/2026 9:05:03 AM, Start inspecting domains.\r\n\r\n"
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
    EXPECT_EQ(program::SessionLog::FormatDate(when).toStdString(), "1/2/2026 3:04:05 PM");
}

struct DateCase {
    const char* lcAll;
    const char* lcTime;
    const char* expected;
};

// Each case sets LC_ALL and LC_TIME (empty: unset); the test's own values come back after.
class LogDate : public testing::TestWithParam<DateCase> {
protected:
    void SetUp() override
    {
        for (const char* name : kNames)
            saved_.append(qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt);
    }
    void TearDown() override
    {
        for (qsizetype i = 0; i < saved_.size(); ++i)
            put(kNames[i], saved_[i]);
    }
    static void put(const char* name, const std::optional<QByteArray>& value)
    {
        if (value && !value->isEmpty())
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    static constexpr const char* kNames[] = {"LC_ALL", "LC_TIME"};

private:
    QList<std::optional<QByteArray>> saved_;
};

// The log's dates follow the user's time locale: its short date and its long time. The C
// locale and US English keep the US form.
TEST_P(LogDate, FollowsTheTimeLocale)
{
    const DateCase& c = GetParam();
    put("LC_ALL", QByteArray(c.lcAll));
    put("LC_TIME", QByteArray(c.lcTime));
    const QDateTime when(QDate(2026, 1, 2), QTime(15, 4, 5));
    EXPECT_EQ(program::SessionLog::FormatDate(when).toStdString(), c.expected) << c.lcAll << " " << c.lcTime;
}

INSTANTIATE_TEST_SUITE_P(Cases, LogDate,
                         testing::Values(DateCase{"C", "", "1/2/2026 3:04:05 PM"},
                                         DateCase{"C.UTF-8", "", "1/2/2026 3:04:05 PM"},
                                         DateCase{"en_US.UTF-8", "", "1/2/2026 3:04:05 PM"},
                                         DateCase{"de_DE.UTF-8", "", "02.01.2026 15:04:05"},
                                         DateCase{"", "de_DE.UTF-8", "02.01.2026 15:04:05"},
                                         DateCase{"", "en_US.UTF-8", "1/2/2026 3:04:05 PM"}));

struct RefusalCase {
    std::vector<const char*> names;
    bool fromCommandLine;
    const char* says; // a piece of the reason, or empty when the names are accepted
};

class EntryRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(EntryRefusal, RefusesWhatWouldForgeOrLeak)
{
    const RefusalCase& c = GetParam();
    QStringList names;
    for (const char* name : c.names)
        names.append(QString::fromUtf8(name));
    const QString reason = program::entry_names_refusal(names, c.fromCommandLine);
    if (!*c.says) {
        EXPECT_TRUE(reason.isEmpty()) << reason.toStdString();
        return;
    }
    EXPECT_TRUE(reason.contains(QString::fromUtf8(c.says))) << reason.toStdString();
    // The reason quotes nothing of the names.
    for (const QString& name : names)
        for (const QString& piece : name.split(u'/'))
            if (piece.size() > 3) {
                EXPECT_FALSE(reason.contains(piece)) << reason.toStdString();
            }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryRefusal,
    testing::Values(RefusalCase{{"a.com", "b.com"}, true, ""}, RefusalCase{{"a.com", "dc/u/pw", "dc2/u/pw"}, true, ""},
                    RefusalCase{{"", "a.com"}, true, ""},
                    RefusalCase{{"a.com\r\n[Total]"}, true, "domain name 1 holds a control character"},
                    RefusalCase{{"a.com", "b\tcom"}, true, "domain name 2 holds a control character"},
                    RefusalCase{{"evil\x1b[2Jname"}, false, "domain name 1 holds a control character"},
                    RefusalCase{{"a\ncom"}, false, "control character"},
                    RefusalCase{{"dc/user/pa", "ssTail"}, true, "domain name 2 follows a name with a password"},
                    RefusalCase{{"dc/user/pa", ""}, true, "follows a name with a password"},
                    RefusalCase{{"dc/user/pa", "ssTail"}, false, ""}));

TEST(EntryName, ThePasswordIsNeverShown)
{
    struct Case {
        const char* name;
        const char* shown;
    };
    for (const Case& c :
         {Case{"dc1/admin/s3cret", "dc1/admin"}, Case{"dc1/admin/a/b", "dc1/admin"}, Case{"dc1/admin/", "dc1/admin"},
          Case{"dc1/admin", "dc1/admin"}, Case{"dc1", "dc1"}, Case{"", ""}})
        EXPECT_EQ(program::shown_entry_name(QString::fromUtf8(c.name)).toStdString(), c.shown) << c.name;

    const QString name = QStringLiteral("dc1/admin/s3cret");
    const QString line = program::SessionLog::FailureLine(kNow, false, name,
                                                          QStringLiteral("Cannot bind to dc1/admin/s3cret\r\n"));
    EXPECT_FALSE(line.contains(QStringLiteral("s3cret"))) << line.toStdString();
    EXPECT_TRUE(line.contains(QStringLiteral("Domain dc1/admin. ")));
    EXPECT_FALSE(program::SessionLog::SuccessLine(kNow, false, name).contains(QStringLiteral("s3cret")));
}

} // namespace
