// End to end as a user runs it: the built Ostrel with /domain: and /out: against the Samba
// domain controller of the test run, the collector module registered in a registry of the
// test's own.

#include "tests/program/dc_report_counts.h"
#include "tests/program/headless_process.h"
#include "tests/support/dc_ticket.h"
#include "tests/support/server_env.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <string_view>

#include <sys/stat.h>

namespace {

using program_test::headless_process;

QString dc_entry()
{
    const auto host = ostrel::test::env("SAMBA_DC_FQDN").value_or("dc1.test.local");
    const auto user = ostrel::test::env("SAMBA_DC_ADMIN_BINDDN").value_or("Administrator@test.local");
    const auto password = ostrel::test::env("SAMBA_DC_ADMIN_PASSWORD").value_or("Fixture-Adm1n");
    return QString::fromStdString(host + "/" + user + "/" + password);
}

QString password()
{
    return QString::fromStdString(ostrel::test::env("SAMBA_DC_ADMIN_PASSWORD").value_or("Fixture-Adm1n"));
}

// The lines of one [section] of the report, up to its closing empty line.
QStringList section(const QString& file, const QString& name)
{
    const QStringList lines = file.split(QStringLiteral("\r\n"));
    const qsizetype at = lines.indexOf(u'[' + name + u']');
    if (at < 0)
        return {};
    QStringList body;
    for (qsizetype i = at + 1; i < lines.size() && !lines[i].isEmpty(); ++i)
        body.append(lines[i]);
    return body;
}

int count_in(const QStringList& body, const QString& title)
{
    for (const QString& line : body)
        if (line.startsWith(title + u'='))
            return line.mid(title.size() + 1).toInt();
    return -2;
}

// A loopback address where nothing listens: the host nobody answers for, without any
// traffic leaving the machine.
const QString kSilentHost = QStringLiteral("127.0.0.9");

TEST(HeadlessRun, AnEntryWithoutDataHasNoSectionAndTheFileIsReportLogAndExit0)
{
    OSTREL_REQUIRE_SAMBA_DC();
    headless_process ostrel(true);
    const auto result = ostrel.run(
        {QStringLiteral("/domain:") + kSilentHost, QStringLiteral("/out:") + ostrel.path(QStringLiteral("r.txt"))});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    const QString file = ostrel.read(QStringLiteral("r.txt"));
    ASSERT_FALSE(file.isNull()) << result.err.toStdString();
    // The report is the Total section alone with every sum 0, then two empty lines, then the
    // log from its start line to its two closing line breaks.
    QString total = QStringLiteral("[Total]\r\n");
    for (const char* title :
         {"DCs", "Servers", "Workstations", "Unknown Computers", "Global Groups", "Local Groups", "Universal Groups",
          "Users", "Enabled Users", "Managed Service Accounts", "Lync-enabled Users", "Exchange Servers",
          "Mailbox-enabled Users", "Mail/Mailbox-enabled Users", "Mail-enabled Groups", "Contacts"})
        total += QString::fromUtf8(title) + QStringLiteral("=0\r\n");
    total += QStringLiteral("\r\n\r\n\r\n");
    EXPECT_TRUE(file.startsWith(total)) << file.toStdString();
    EXPECT_TRUE(section(file, kSilentHost).isEmpty());
    static const QRegularExpression start(QStringLiteral("^\\d+/\\d+/\\d{4} \\d+:\\d\\d:\\d\\d [AP]M, "
                                                         "Start inspecting domains\\.\r\n\r\n"));
    EXPECT_TRUE(start.match(file.mid(total.size())).hasMatch()) << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral(" End inspecting domains.\r\n\r\nProcessed:\t1\r\nWith errors:\t")));
    EXPECT_TRUE(file.endsWith(QStringLiteral("\r\n\r\n\r\n")));
}

TEST(HeadlessRun, AHostNobodyAnswersForGivesItsErrorLines)
{
    OSTREL_REQUIRE_SAMBA_DC();
    headless_process ostrel(true);
    const auto result = ostrel.run(
        {QStringLiteral("/domain:") + kSilentHost, QStringLiteral("/out:") + ostrel.path(QStringLiteral("r.txt"))});
    ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
    const QString file = ostrel.read(QStringLiteral("r.txt"));
    EXPECT_TRUE(section(file, kSilentHost).isEmpty());
    EXPECT_TRUE(file.contains(QStringLiteral(", Error:\tDomain ") + kSilentHost + QStringLiteral(". \r\n")))
        << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("\r\nProcessed:\t1\r\nWith errors:\t1\r\n\r\n\r\n")))
        << file.toStdString();
}

TEST(HeadlessRun, ABadOutputPathGivesANonZeroExitAndNoFile)
{
    OSTREL_REQUIRE_SAMBA_DC();
    headless_process ostrel(true);
    const QString target = ostrel.path(QStringLiteral("no/such/folder/r.txt"));
    const auto result = ostrel.run({QStringLiteral("/domain:") + kSilentHost, QStringLiteral("/out:") + target});
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exit_code, 0);
    EXPECT_TRUE(result.err.contains(QStringLiteral("cannot write the output file"))) << result.err.toStdString();
    EXPECT_TRUE(ostrel.read(QStringLiteral("no/such/folder/r.txt")).isNull());
}

TEST(HeadlessRun, TheDomainControllersCountsMatchThePopulation)
{
    OSTREL_REQUIRE_SAMBA_DC();
    headless_process ostrel(true);
    const auto result = ostrel.run(
        {QStringLiteral("/domain:") + dc_entry(), QStringLiteral("/out:") + ostrel.path(QStringLiteral("dc.txt"))});
    ASSERT_TRUE(result.finished);
    ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
    const QString file = ostrel.read(QStringLiteral("dc.txt"));
    ASSERT_FALSE(file.isNull());

    // The password appears nowhere: the entry is shown as host/user.
    EXPECT_FALSE(file.contains(password()));
    EXPECT_FALSE(result.err.contains(password()));
    const QString shown = dc_entry().left(dc_entry().lastIndexOf(u'/'));
    const QStringList body = section(file, shown);
    ASSERT_EQ(body.size(), 16) << file.toStdString();

    for (const program_test::dc_report_count& e : program_test::kDcReportCounts) {
        const int count = program_test::expected_count(e);
        EXPECT_EQ(count_in(body, QString::fromUtf8(e.title)), count) << e.title;
        EXPECT_EQ(count_in(section(file, QStringLiteral("Total")), QString::fromUtf8(e.title)), count) << e.title;
    }
    EXPECT_TRUE(
        file.contains(QStringLiteral(", Success:\tDomain ") + shown + QStringLiteral(" inspected successfully.")));
    EXPECT_TRUE(file.contains(QStringLiteral("With errors:\t0\r\n")));
}

TEST(HeadlessRun, TwoEntriesOneSilentGiveOneSectionAndOneError)
{
    OSTREL_REQUIRE_SAMBA_DC();
    headless_process ostrel(true);
    // Names with a password go last: what follows one could be the tail of a password.
    const auto result = ostrel.run({QStringLiteral("/domain:") + kSilentHost + u',' + dc_entry(),
                                    QStringLiteral("/out:") + ostrel.path(QStringLiteral("two.txt"))});
    ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
    const QString file = ostrel.read(QStringLiteral("two.txt"));
    EXPECT_FALSE(file.contains(password()));
    EXPECT_TRUE(section(file, kSilentHost).isEmpty());
    EXPECT_TRUE(file.contains(QStringLiteral("\r\nProcessed:\t2\r\nWith errors:\t1\r\n")));
    EXPECT_EQ(count_in(section(file, QStringLiteral("Total")), QStringLiteral("Users")),
              ostrel::test::dc_count("COUNT_USER"));
}

TEST(HeadlessRun, WithoutDomainsTheDomainThisMachineIsConfiguredForIsCounted)
{
    OSTREL_REQUIRE_SAMBA_DC();
    // A logged-on user of the domain: the bind uses the caller's own ticket.
    std::string why;
    ASSERT_TRUE(ostrel::test::take_dc_ticket(why)) << why;
    headless_process ostrel(true);
    const auto result = ostrel.run({QStringLiteral("/out:") + ostrel.path(QStringLiteral("all.txt"))});
    ASSERT_TRUE(result.finished);
    ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
    const QString file = ostrel.read(QStringLiteral("all.txt"));
    ASSERT_FALSE(file.isNull()) << result.err.toStdString();
    // The client's krb5.conf and smb.conf name the realm; its DNS name is the entry.
    const QString domain = QString::fromStdString(ostrel::test::env("SAMBA_DC_REALM").value_or("TEST.LOCAL")).toLower();
    const QStringList body = section(file, domain);
    ASSERT_EQ(body.size(), 16) << file.toStdString();
    EXPECT_EQ(count_in(body, QStringLiteral("Users")), ostrel::test::dc_count("COUNT_USER"));
    EXPECT_EQ(count_in(body, QStringLiteral("DCs")), ostrel::test::dc_count("COUNT_DC"));
    EXPECT_TRUE(file.contains(QStringLiteral("\r\nProcessed:\t1\r\nWith errors:\t0\r\n"))) << file.toStdString();
}

// The output path is taken exactly as given: quotes, blanks and all.
TEST(HeadlessRun, AnOutputPathWithQuotesAndBlanksIsWrittenThere)
{
    OSTREL_REQUIRE_SAMBA_DC();
    headless_process ostrel(true);
    const QString name = QStringLiteral("my \"x\" report.txt");
    const auto result = ostrel.run(
        {QStringLiteral("/domain:") + kSilentHost, QStringLiteral("/out:") + ostrel.path(name)});
    ASSERT_EQ(result.exit_code, 0) << result.err.toStdString();
    EXPECT_TRUE(ostrel.read(name).startsWith(QStringLiteral("[Total]\r\n")));
    EXPECT_TRUE(ostrel.read(QStringLiteral("my ")).isNull());
}

TEST(HeadlessRun, TheNullDeviceAsOutputStaysTheNullDevice)
{
    OSTREL_REQUIRE_SAMBA_DC();
    headless_process ostrel(true);
    const auto result = ostrel.run({QStringLiteral("/domain:") + kSilentHost, QStringLiteral("/out:/dev/null")});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    struct stat st {};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

// A client configured for no domain (neither its krb5.conf nor its smb.conf names a realm) on
// a network whose only server is an Active Directory controller with SMB1 off, so that no
// browse list names one either: the run says so and writes no file. The client's own
// configuration is copied without the realm lines and put in place for the program alone
// (a private mount namespace), every other setting kept, NetBIOS off among them.
TEST(HeadlessRun, WithoutDomainsOnANetworkThatListsNoneTheRunSaysSo)
{
    OSTREL_REQUIRE_SAMBA_DC();
    headless_process ostrel(true);
    const auto without_realm = [&](const std::string& from, const QString& to) {
        QFile in(QString::fromStdString(from));
        QFile out(ostrel.path(to));
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return false;
        static const QRegularExpression realm(QStringLiteral("^\\s*(default_)?realm\\s*="),
                                              QRegularExpression::CaseInsensitiveOption);
        for (const QByteArray& line : in.readAll().split('\n'))
            if (!realm.match(QString::fromUtf8(line)).hasMatch())
                out.write(line + '\n');
        return true;
    };
    const std::string state = ostrel::test::env("SAMBA_DC_STATE").value_or("");
    ASSERT_TRUE(without_realm(ostrel::test::env("KRB5_CONFIG").value_or(state + "/etc/krb5.conf"),
                              QStringLiteral("krb5.conf")));
    ASSERT_TRUE(without_realm(state + "/etc/client-smb.conf", QStringLiteral("smb.conf")));
    ostrel.set_env(QStringLiteral("KRB5_CONFIG"), ostrel.path(QStringLiteral("krb5.conf")));
    const auto result = ostrel.run_shell(
        QStringLiteral("exec unshare --mount --propagation private sh -c "
                       "'mount --bind \"$0\" /etc/samba/smb.conf && exec \"$OSTREL\" \"$1\"' ") +
        u'"' + ostrel.path(QStringLiteral("smb.conf")) + QStringLiteral("\" \"/out:") +
        ostrel.path(QStringLiteral("r.txt")) + u'"');
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 2) << result.err.toStdString();
    // The domain list fails with the provider's reason instead of answering an empty list.
    EXPECT_TRUE(result.err.contains(QStringLiteral("No domain is known"))) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("/domain:"))) << result.err.toStdString();
    EXPECT_TRUE(ostrel.read(QStringLiteral("r.txt")).isNull());
}

} // namespace
