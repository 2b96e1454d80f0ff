// The built Ostrel, headless, against a directory server of our own that chooses hostile texts
// (tests/fixtures/hostile-ldap on 127.0.0.72): an Exchange 5.5 organisation whose name holds
// CR LF and a "[Total]" line, and one named "Total". Whatever the server sends, the output file
// holds one Total section, no line the server wrote, and the server's text as visible stand-ins.

#include "tests/program/headless_process.h"
#include "tests/support/hostile_ldap_server.h"

#include "tests/program/report_lines.h"

#include <gtest/gtest.h>

namespace {

using ostrel::test::hostile_ldap_server;
using program_test::headless_process;

using program_test::lines_starting;

// One headless Exchange 5.5 run of the one entry a hostile server (started for it as `how`
// says, on 127.0.0.72) stands for: the output file, or a null string after a failure of its own.
QString exchange5_file_from(hostile_ldap_server::options how)
{
    how.address = "127.0.0.72";
    std::string error;
    const auto server = hostile_ldap_server::start(how, error);
    EXPECT_TRUE(server) << error;
    if (!server)
        return QString();
    headless_process ostrel(true);
    // No ticket: the bind without credentials stays anonymous and asks no key distribution centre.
    ostrel.set_env(QStringLiteral("KRB5CCNAME"), QStringLiteral("MEMORY:ostrel-no-ticket"));
    const auto result = ostrel.run({QStringLiteral("/domain:") + QString::fromStdString(server->host_port()),
                                    QStringLiteral("/out:") + ostrel.path(QStringLiteral("out.txt")),
                                    QStringLiteral("/exchange5")});
    EXPECT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    const QString file = ostrel.read(QStringLiteral("out.txt"));
    EXPECT_FALSE(file.isNull()) << result.err.toStdString();
    return file;
}

struct organisation_case {
    const char* what;
    const char* organization;
    QString section; // the organisation's section line
    QString logged;  // the organisation as its success line shows it
};

TEST(HeadlessHostileServer, AnOrganisationsNameForgesNoSectionAndNoLine)
{
    const organisation_case cases[] = {
        {"forged lines", "x\r\n[Total]\r\nUsers=999999",
         QStringLiteral("[x\u240D\u240A[Total\uFF3D\u240D\u240AUsers=999999]"),
         QStringLiteral("x\u240D\u240A[Total\uFF3D\u240D\u240AUsers=999999")},
        {"named Total", "Total", QStringLiteral("[Total(1)]"), QStringLiteral("Total")},
        {"named TOTAL", "TOTAL", QStringLiteral("[TOTAL(1)]"), QStringLiteral("TOTAL")},
    };
    for (const organisation_case& c : cases) {
        SCOPED_TRACE(c.what);
        [&] { // an ASSERT ends this row only
            hostile_ldap_server::options how;
            how.mode = "directory";
            how.organization = c.organization;
            const QString file = exchange5_file_from(how);
            ASSERT_FALSE(file.isNull());

            // The server answers two entries to each count.
            EXPECT_EQ(lines_starting(file, QStringLiteral("[")), (QStringList{QStringLiteral("[Total]"), c.section}))
                << file.toStdString();
            EXPECT_EQ(lines_starting(file, QStringLiteral("Mailboxes=")),
                      (QStringList{QStringLiteral("Mailboxes=2"), QStringLiteral("Mailboxes=2")}))
                << file.toStdString();
            EXPECT_TRUE(lines_starting(file, QStringLiteral("Users=")).isEmpty()) << file.toStdString();
            EXPECT_TRUE(file.contains(QStringLiteral(", Success:\tOrganization ") + c.logged +
                                      QStringLiteral(" inspected successfully.\r\n")))
                << file.toStdString();
        }();
    }
}

// A server whose answers break the directory layer's bounds: each count fails with its line
// naming the bound, and no number of that server's reaches the report.
TEST(HeadlessHostileServer, AnAnswerOverABoundFailsTheCountWithItsReason)
{
    struct bound_case {
        const char* mode;
        QString reason;
    };
    const bound_case cases[] = {
        {"huge-message", QStringLiteral("The server sent a message larger than 16 MiB, the most a directory answer "
                                        "may have, so the connection was closed\r\n")},
        {"repeat-cookie", QStringLiteral("The server answered a page of the search with no entries and the same "
                                         "paging cookie it was asked with, so the search would never end\r\n")},
    };
    for (const bound_case& c : cases) {
        SCOPED_TRACE(c.mode);
        [&] { // an ASSERT ends this row only
            hostile_ldap_server::options how;
            how.mode = c.mode;
            const QString file = exchange5_file_from(how);
            ASSERT_FALSE(file.isNull());

            // Both counts have no data, so the organisation has no row and the Total counts nothing.
            EXPECT_EQ(lines_starting(file, QStringLiteral("[")), QStringList{QStringLiteral("[Total]")})
                << file.toStdString();
            EXPECT_EQ(lines_starting(file, QStringLiteral("Mailboxes=")), QStringList{QStringLiteral("Mailboxes=0")});
            EXPECT_TRUE(file.contains(
                QStringLiteral("error processing LDAP query '(objectClass=organizationalPerson)': ") + c.reason))
                << file.toStdString();
            EXPECT_TRUE(file.contains(QStringLiteral("With errors:\t1\r\n"))) << file.toStdString();
        }();
    }
}

} // namespace
