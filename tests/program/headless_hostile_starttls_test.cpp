// The built Ostrel, headless, with credentials for a directory server of our own
// (tests/fixtures/hostile-ldap on 127.0.0.73:389) that refuses StartTLS with a text holding
// CR LF, a "[Total]" line and a "Users=" line. The bind's line keeps the refusal's text as
// visible stand-ins: the output file holds one Total section and no line of the server's.
//
// Label addc: after the bind fails the entry is counted over the network-management calls,
// whose lookups stay on loopback only in the servers' environment.

#include "tests/program/headless_process.h"
#include "tests/support/hostile_ldap_server.h"
#include "tests/support/server_env.h"

#include <gtest/gtest.h>

namespace {

using ostrel::test::hostile_ldap_server;
using program_test::headless_process;

TEST(HeadlessHostileStartTls, TheRefusalsTextForgesNoSection)
{
    OSTREL_REQUIRE_SAMBA_DC();
    hostile_ldap_server::options how;
    how.mode = "starttls-refusal";
    how.address = "127.0.0.73";
    how.port = 389;
    how.text = "nope\r\n[Total]\r\nUsers=999999";
    std::string error;
    const auto server = hostile_ldap_server::start(how, error);
    if (!server) {
        if (ostrel::test::servers_required())
            FAIL() << error;
        GTEST_SKIP() << error;
    }

    headless_process ostrel(true);
    const auto result = ostrel.run({QStringLiteral("/domain:127.0.0.73/fakeuser/Fake-Pa55word"),
                                    QStringLiteral("/out:") + ostrel.path(QStringLiteral("out.txt"))});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    const QString file = ostrel.read(QStringLiteral("out.txt"));
    ASSERT_FALSE(file.isNull()) << result.err.toStdString();

    QStringList sections;
    for (const QString& line : file.split(QStringLiteral("\r\n"))) {
        EXPECT_NE(line, QStringLiteral("Users=999999")) << file.toStdString();
        if (line.startsWith(u'['))
            sections << line;
    }
    EXPECT_EQ(sections, QStringList{QStringLiteral("[Total]")}) << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("error while connecting to LDAP server '127.0.0.73/fakeuser': This "
                                             "request requires a secure connection. (The server offers neither "
                                             "StartTLS nor LDAPS, so the password was not sent (StartTLS: "
                                             "nope\u240D\u240A[Total\uFF3D\u240D\u240AUsers=999999))\r\n")))
        << file.toStdString();
    EXPECT_FALSE(file.contains(QStringLiteral("Fake-Pa55word")));
}

} // namespace
