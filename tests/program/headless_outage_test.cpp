// End to end, the Samba DC going away in the middle of a count, as a user of the headless run
// would meet it: the domain is reached through a relay that, part-way through the counts,
// freezes (the connection stays, nothing answers) or drops the connection. The run still
// writes its file; every count the outage cut short shows "<no data>" and stays out of the
// Total; the entry costs at most one operation timeout (set short here with libldap's
// LDAPTIMEOUT), counted in whole timeouts rather than seconds.

#include "tests/program/headless_process.h"
#include "tests/support/server_env.h"
#include "tests/support/tcp_relay.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ostream>

namespace {

using ostrel::test::env;
using ostrel::test::tcp_relay;
using program_test::headless_process;

constexpr int kOperationTimeoutSeconds = 3;
// What the DC sends before the outage: the bind and the first counts, well short of them all.
constexpr std::size_t kServerBytesBeforeTheOutage = 96 * 1024;

QStringList section(const QString& file, const QString& name)
{
    const QStringList lines = file.split(QStringLiteral("\r\n"));
    const qsizetype at = lines.indexOf(u'[' + name + u']');
    QStringList body;
    for (qsizetype i = at + 1; at >= 0 && i < lines.size() && !lines[i].isEmpty(); ++i)
        body.append(lines[i]);
    return body;
}

struct outage_case {
    const char* what;
    tcp_relay::outage kind;
    int timeouts_waited;
};

void PrintTo(const outage_case& c, std::ostream* out) { *out << c.what; }

class HeadlessOutage : public ::testing::TestWithParam<outage_case> {};

TEST_P(HeadlessOutage, CountsCutShortShowNoDataAndTheFileIsWritten)
{
    OSTREL_REQUIRE_SAMBA_DC();
    const outage_case& c = GetParam();
    tcp_relay relay(389, kServerBytesBeforeTheOutage, c.kind);
    ASSERT_TRUE(relay.listening());
    setenv("LDAPTIMEOUT", std::to_string(kOperationTimeoutSeconds).c_str(), 1); // the program inherits it
    headless_process ostrel(true);
    const QString host = QString::fromStdString(env("SAMBA_DC_FQDN").value_or("dc1.test.local")) + u':' +
                         QString::number(relay.port());
    const QString user = QString::fromStdString(env("SAMBA_DC_ADMIN_BINDDN").value_or("Administrator@test.local"));
    const QString password = QString::fromStdString(env("SAMBA_DC_ADMIN_PASSWORD").value_or("Fixture-Adm1n"));

    const auto start = std::chrono::steady_clock::now();
    const auto result = ostrel.run({QStringLiteral("/domain:") + host + u'/' + user + u'/' + password,
                                    QStringLiteral("/out:") + ostrel.path(QStringLiteral("r.txt"))});
    const auto waited = (std::chrono::steady_clock::now() - start) / std::chrono::seconds(kOperationTimeoutSeconds);
    ASSERT_TRUE(result.finished);
    EXPECT_TRUE(relay.out()) << "the outage never came";
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    const QString file = ostrel.read(QStringLiteral("r.txt"));
    ASSERT_FALSE(file.isNull()) << result.err.toStdString();
    EXPECT_EQ(waited, c.timeouts_waited);

    const QString shown = host + u'/' + user;
    const QStringList body = section(file, shown);
    const QStringList total = section(file, QStringLiteral("Total"));
    ASSERT_EQ(body.size(), 16) << file.toStdString();
    ASSERT_EQ(total.size(), 16) << file.toStdString();
    int no_data = 0;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QString title = body[i].section(u'=', 0, 0);
        const QString value = body[i].section(u'=', 1);
        ASSERT_EQ(total[i].section(u'=', 0, 0), title);
        if (value == QStringLiteral("<no data>")) {
            ++no_data;
            EXPECT_EQ(total[i], title + QStringLiteral("=0")) << "a count cut short is left out of the Total";
        } else {
            EXPECT_EQ(total[i], body[i]);
        }
    }
    EXPECT_GT(no_data, 0) << file.toStdString();
    EXPECT_LT(no_data, 16) << "the counts before the outage are kept";
    EXPECT_TRUE(file.contains(QStringLiteral(", Error:\tDomain ") + shown + QStringLiteral(". \r\n")))
        << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("\r\nProcessed:\t1\r\nWith errors:\t1\r\n"))) << file.toStdString();
    EXPECT_FALSE(file.contains(password));
}

INSTANTIATE_TEST_SUITE_P(Outages, HeadlessOutage,
                         ::testing::Values(outage_case{"Frozen", tcp_relay::outage::freeze, 1},
                                           outage_case{"Dropped", tcp_relay::outage::drop, 0}),
                         [](const auto& info) { return std::string(info.param.what); });

} // namespace
