// The start of the built program without any server: the usage box and the wizard without a
// display, a headless run whose collection cannot start, and what is refused before any
// collector exists. The registry of these runs is empty, so a run that got as far as creating the
// collector would fail with exit 2 for that; an exit for another reason shows that the
// reason was found first, before any domain could be contacted.

#include "tests/program/headless_process.h"
#include "tests/support/silent_listener.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace {

using program_test::headless_process;

TEST(HeadlessStart, ArgumentsWithoutOutShowTheUsageOnStandardError)
{
    headless_process ostrel(false);
    const auto result = ostrel.run({QStringLiteral("/domain:a.com")}, 30000);
    ASSERT_TRUE(result.finished) << "the usage box waited for a click";
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Command Line Options"))) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("/out:filename - output file path including filename)")))
        << result.err.toStdString();
}

TEST(HeadlessStart, ACollectorThatCannotBeCreatedEndsTheRunWithAReasonAndNoFile)
{
    headless_process ostrel(false); // an empty registry: the collector class is unknown
    const auto result = ostrel.run(
        {QStringLiteral("/domain:h/u/pw123secret"), QStringLiteral("/out:") + ostrel.path(QStringLiteral("r.txt"))},
        30000);
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exit_code, 0);
    EXPECT_FALSE(result.err.trimmed().isEmpty());
    EXPECT_FALSE(result.err.contains(QStringLiteral("pw123secret")));
    EXPECT_TRUE(ostrel.read(QStringLiteral("r.txt")).isNull());
}

TEST(HeadlessStart, ADisplayThatCannotBeOpenedGivesTheUsageOnStandardError)
{
    headless_process ostrel(false);
    ostrel.set_env(QStringLiteral("DISPLAY"), QStringLiteral(":99999"));
    const auto result = ostrel.run({QStringLiteral("/domain:a.com")}, 30000);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("/out:filename - output file path including filename)")))
        << result.err.toStdString();
}

TEST(HeadlessStart, TheWizardWithoutADisplayItCanOpenSaysSoAndEnds)
{
    for (const char* display : {"", ":99999"}) {
        SCOPED_TRACE(display);
        [&] { // an ASSERT ends this row only
            headless_process ostrel(false);
            if (*display)
                ostrel.set_env(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
            const auto result = ostrel.run({}, 30000);
            ASSERT_TRUE(result.finished) << "the wizard waited without a window";
            EXPECT_NE(result.exit_code, 0);
            EXPECT_TRUE(result.err.contains(QStringLiteral("the wizard needs a display"))) << result.err.toStdString();
        }();
    }
}

// Every case: exit 1 with the reason at once, before the collector is even created.
TEST(HeadlessStart, AnOutputPathThatCannotBeWrittenEndsTheRunBeforeAnythingIsCounted)
{
    headless_process ostrel(false);
    {
        QFile plain(ostrel.path(QStringLiteral("plain")));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }
    for (const QString& out : {QString(), ostrel.path(QStringLiteral("no/such/folder/r.txt")),
                               ostrel.path(QStringLiteral("plain/r.txt")), ostrel.path(QString())}) {
        SCOPED_TRACE(out.toStdString());
        [&] { // an ASSERT ends this row only
            const auto result = ostrel.run({QStringLiteral("/domain:a.com"), QStringLiteral("/out:") + out}, 30000);
            ASSERT_TRUE(result.finished);
            EXPECT_EQ(result.exit_code, 1) << out.toStdString() << ": " << result.err.toStdString();
            EXPECT_TRUE(result.err.contains(QStringLiteral("cannot write the output file")))
                << result.err.toStdString();
        }();
    }
    EXPECT_EQ(QDir(ostrel.path(QString())).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System),
              (QStringList{QStringLiteral("plain")}));
}

struct RefusedCase {
    const char* domains;
    const char* secret; // a text that must appear nowhere
};

class HeadlessRefusal : public testing::TestWithParam<RefusedCase> {};

// Names that would forge lines of the report, and the tail of a password that held a comma,
// are refused with exit 2 before anything is counted; nothing of them is written.
TEST_P(HeadlessRefusal, RefusesTheNamesAndWritesNothing)
{
    const RefusedCase& c = GetParam();
    headless_process ostrel(false);
    const auto result = ostrel.run({QStringLiteral("/domain:") + QString::fromUtf8(c.domains),
                                    QStringLiteral("/out:") + ostrel.path(QStringLiteral("r.txt"))},
                                   30000);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("domain name "))) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains(QString::fromUtf8(c.secret))) << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_TRUE(QDir(ostrel.path(QString())).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, HeadlessRefusal,
                         testing::Values(RefusedCase{"a.com\r\n[Total]\r\nUsers=999", "Users=999"},
                                         RefusedCase{"a.com,forged\nline", "forged"}, RefusedCase{"tab\tname", "tab"},
                                         RefusedCase{"esc\x1b[31mred", "esc"},
                                         RefusedCase{"dc/user/pa,ssTailOfPw9", "ssTailOfPw9"},
                                         RefusedCase{"a.com,dc/user/pa,ssTailOfPw9,b.com", "ssTailOfPw9"}));

TEST(HeadlessStart, AnOutputPathThatIsNotUtf8IsRefusedAndNothingIsWritten)
{
    headless_process ostrel(false);
    const auto result = ostrel.run_shell(
        QStringLiteral("exec \"$OSTREL\" /domain:a.com \"/out:%1/r$(printf '\\377').txt\"").arg(ostrel.path(QString())),
        30000);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("not valid UTF-8"))) << result.err.toStdString();
    EXPECT_TRUE(QDir(ostrel.path(QString())).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

// The run waits on a host that accepts and never answers (LDAPTIMEOUT keeps it waiting), with
// no Kerberos configuration, so nothing is looked up: the program stays alive past parsing for
// as long as the test looks at its command line.
TEST(HeadlessStart, ThePasswordIsGoneFromTheProcessCommandLineOnceParsed)
{
    ostrel::test::silent_listener listener("127.0.0.93", 389);
    ASSERT_TRUE(listener.listening()) << listener.failure();
    headless_process ostrel(true);
    QFile(ostrel.path(QStringLiteral("krb5.conf"))).open(QIODevice::WriteOnly);
    ostrel.set_env(QStringLiteral("KRB5_CONFIG"), ostrel.path(QStringLiteral("krb5.conf")));
    ostrel.set_env(QStringLiteral("LDAPTIMEOUT"), QStringLiteral("60"));
    const auto process = ostrel.start({QStringLiteral("/domain:127.0.0.93/Administrator/TopSecretPw1"),
                                       QStringLiteral("/out:") + ostrel.path(QStringLiteral("r.txt"))});
    // Until the program has exec'd and parsed, its command line is the test's own or still
    // holds the password; once it waits on the host it must show the entry without it.
    QByteArray shown;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(process->processId()));
        ASSERT_TRUE(cmdline.open(QIODevice::ReadOnly));
        shown = cmdline.readAll();
        if (shown.contains("/domain:") && !shown.contains("TopSecretPw1"))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(shown.contains("/domain:127.0.0.93/Administrator/")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("TopSecretPw1")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("Secret")) << shown.toStdString();
    process->kill();
    ASSERT_TRUE(process->waitForFinished(30000));
    EXPECT_FALSE(process->readAllStandardError().contains("TopSecretPw1"));
    // Stopped in the middle of the run: no temporary file beside the output file (it is made
    // only when the file is written).
    EXPECT_EQ(QDir(ostrel.path(QString())).entryList({QStringLiteral("r.txt*")}, QDir::Files), QStringList());
}

// A FIFO that nobody reads is refused at once, before anything is counted, rather than
// waited on.
TEST(HeadlessStart, AnOutputFifoThatNobodyReadsIsRefusedAtOnce)
{
    headless_process ostrel(false);
    const QString fifo = ostrel.path(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto result = ostrel.run({QStringLiteral("/domain:a.com"), QStringLiteral("/out:") + fifo}, 30000);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exit_code, 1) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(fifo)) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("no program is reading from the FIFO"))) << result.err.toStdString();
}

// /out:/dev/stdout with standard output a pipe writes the file into the pipe.
TEST(HeadlessStart, DevStdoutOnAPipeWritesToThePipe)
{
    headless_process ostrel(false);
    // No collector: the run fails, but only after the output file was found writable.
    const auto result = ostrel.run_shell(QStringLiteral("\"$OSTREL\" /domain:a.com /out:/dev/stdout | cat"), 30000);
    ASSERT_TRUE(result.finished);
    EXPECT_FALSE(result.err.contains(QStringLiteral("cannot write the output file"))) << result.err.toStdString();
}

} // namespace
