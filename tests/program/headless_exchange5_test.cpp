// End to end as a user runs it in Exchange 5.5 mode: the built Ostrel with /domain:, /out: and
// /exchange5 against the slapd fixture's organisation, the collector module registered in a
// registry of the test's own. The whole output file is compared: the report, two empty lines
// and the session log, its dates matched by their form.

#include "tests/program/headless_process.h"
#include "tests/support/server_env.h"
#include "tests/support/slapd_server.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using program_test::headless_process;

std::unique_ptr<ostrel::test::slapd_server> g_server;
std::string g_start_error;

QString var(const char* key) { return QString::fromStdString(g_server->var(key)); }

// The log's date and time, whatever the moment of the run.
const QString kNow = QStringLiteral("\\d{1,2}/\\d{1,2}/\\d{4} \\d{1,2}:\\d\\d:\\d\\d [AP]M");

QString literal(const QString& text) { return QRegularExpression::escape(text); }

// The report of a run with one organisation row (or none), in Exchange 5.5 mode.
QString report(int servers, int mailboxes, const QString& organization)
{
    const auto section = [&](const QString& name) {
        return u'[' + name + QStringLiteral("]\r\nExchange Servers=") + QString::number(servers) +
               QStringLiteral("\r\nMailboxes=") + QString::number(mailboxes) + QStringLiteral("\r\n\r\n");
    };
    QString text = section(QStringLiteral("Total"));
    if (!organization.isEmpty())
        text += section(organization);
    return text;
}

// The whole output file of a one-entry run: the report, two empty lines, then the log from its
// start line to its two closing line breaks, with the entry's line(s) in between.
QRegularExpression whole_file(const QString& reportText, const QString& entryLines, int errors)
{
    return QRegularExpression(
        QStringLiteral("\\A") + literal(reportText + QStringLiteral("\r\n\r\n")) + kNow +
        literal(QStringLiteral(", Start inspecting domains.\r\n\r\n")) + entryLines + literal(QStringLiteral("\r\n")) +
        kNow +
        literal(QStringLiteral(", End inspecting domains.\r\n\r\nProcessed:\t1\r\nWith errors:\t") +
                QString::number(errors) + QStringLiteral("\r\n\r\n\r\n")) +
        QStringLiteral("\\z"));
}

// One headless Exchange 5.5 run of one entry, with a folder and registry of its own: what the
// program printed and its output file (null when it wrote none).
struct exchange5_run {
    program_test::run_result result;
    QString file;
};

exchange5_run run_exchange5(const QString& entry)
{
    headless_process ostrel(true);
    exchange5_run run;
    run.result = ostrel.run({QStringLiteral("/domain:") + entry,
                             QStringLiteral("/out:") + ostrel.path(QStringLiteral("ex5.txt")),
                             QStringLiteral("/exchange5")});
    run.file = ostrel.read(QStringLiteral("ex5.txt"));
    return run;
}

class HeadlessExchange5 : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The program's process inherits the trust when each test's environment is taken: the
        // simple bind goes inside StartTLS with the fixture's own CA.
        g_server = ostrel::test::start_trusted_slapd(g_start_error);
    }
    static void TearDownTestSuite() { g_server.reset(); }

    void SetUp() override
    {
        OSTREL_REQUIRE_SLAPD();
        ASSERT_TRUE(g_server) << g_start_error;
    }

    // host:port/user/password with the reader's distinguished name. The entry list of
    // /domain: is split at every comma, so the name's parts are separated by semicolons, the
    // other separator the directory accepts in a distinguished name.
    static QString reader_entry(const QString& password, const char* dn_key = "SLAPD_READER_DN")
    {
        QString dn = var(dn_key);
        dn.replace(u',', u';');
        return QString::fromStdString(g_server->host_port()) + u'/' + dn + u'/' + password;
    }
};

TEST_F(HeadlessExchange5, TheOrganizationsSectionHoldsTheFixturesCounts)
{
    const QString password = var("SLAPD_READER_PASSWORD");
    const QString entry = reader_entry(password);
    QString organization = var("SLAPD_BASE");
    ASSERT_TRUE(organization.startsWith(QStringLiteral("o="))) << organization.toStdString();
    organization = organization.mid(2);

    const auto [result, file] = run_exchange5(entry);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    ASSERT_FALSE(file.isNull()) << result.err.toStdString();

    // The Total and the organisation hold the same counts: the one organisation's servers and
    // mailboxes as the fixture made them.
    const int servers = g_server->count("SLAPD_COUNT_SERVERS");
    const int mailboxes = g_server->count("SLAPD_COUNT_MAILBOXES");
    const QString success = kNow + literal(QStringLiteral(", Success:\tOrganization ") + organization +
                                           QStringLiteral(" inspected successfully.\r\n"));
    EXPECT_TRUE(whole_file(report(servers, mailboxes, organization), success, 0).match(file).hasMatch())
        << file.toStdString() << result.err.toStdString();

    for (const QString& output : {file, result.out, result.err})
        EXPECT_FALSE(output.contains(password)) << output.toStdString();
}

// Servers that give no organisation: each entry fails with its line naming the server (as
// host or host/user, never with the password), no section of its own, and one error.
TEST_F(HeadlessExchange5, AServerThatGivesNoOrganizationHasItsErrorLineAndNoSection)
{
    struct Case {
        const char* what;
        QString entry;
        QString shown;
        QString reason; // a pattern for the bind's reason
    };
    const QString host = QString::fromStdString(g_server->host_port());
    const QString reader = reader_entry(var("SLAPD_READER_PASSWORD"));
    const QString wrong = reader_entry(QStringLiteral("Wrong-Pa55word"));
    const Case cases[] = {
        {"anonymous, on a tree closed to anonymous readers", host, host, QStringLiteral("[^\r\n]+")},
        {"the reader with a wrong password", wrong, reader.left(reader.lastIndexOf(u'/')),
         literal(QStringLiteral("The user name or password is incorrect."))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        [&] { // an ASSERT ends this row only
            const auto [result, file] = run_exchange5(c.entry);
            ASSERT_TRUE(result.finished);
            EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
            ASSERT_FALSE(file.isNull()) << result.err.toStdString();

            const QString failure = kNow +
                                    literal(QStringLiteral(", Error:\tServer ") + c.shown +
                                            QStringLiteral(". \r\nerror while connecting to LDAP server '") + c.shown +
                                            QStringLiteral("': ")) +
                                    c.reason + literal(QStringLiteral("\r\n\r\n"));
            EXPECT_TRUE(whole_file(report(0, 0, QString()), failure, 1).match(file).hasMatch())
                << file.toStdString() << result.err.toStdString();

            for (const QString& output : {file, result.out, result.err}) {
                EXPECT_FALSE(output.contains(QStringLiteral("Wrong-Pa55word"))) << output.toStdString();
                EXPECT_FALSE(output.contains(var("SLAPD_READER_PASSWORD"))) << output.toStdString();
            }
        }();
    }
}

// A count the server cut short (the limited reader's searches stop at a size limit part-way)
// is no count: "<no data>" in the organisation's section, left out of the Total, its line in
// the log, and the file is written.
TEST_F(HeadlessExchange5, ACountCutShortShowsNoDataAndStaysOutOfTheTotal)
{
    QString organization = var("SLAPD_BASE").mid(2);
    const auto [result, file] = run_exchange5(reader_entry(var("SLAPD_READER_PASSWORD"), "SLAPD_LIMITED_DN"));
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    ASSERT_FALSE(file.isNull()) << result.err.toStdString();
    const QString servers = QString::number(g_server->count("SLAPD_COUNT_SERVERS"));
    EXPECT_TRUE(file.startsWith(QStringLiteral("[Total]\r\nExchange Servers=") + servers +
                                QStringLiteral("\r\nMailboxes=0\r\n\r\n")))
        << file.toStdString();
    EXPECT_TRUE(file.contains(u'[' + organization + QStringLiteral("]\r\nExchange Servers=") + servers +
                              QStringLiteral("\r\nMailboxes=<no data>\r\n\r\n")))
        << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("error processing LDAP query '(objectClass=organizationalPerson)': "
                                             "The size limit for this request was exceeded.\r\n")))
        << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("\r\nProcessed:\t1\r\nWith errors:\t1\r\n\r\n\r\n")))
        << file.toStdString();
}

} // namespace
