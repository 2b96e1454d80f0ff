// The start of the built program without any server: the usage box without a display, and
// a headless run whose collection cannot start.

#include "tests/program/headless_process.h"

#include <gtest/gtest.h>

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
    headless_process ostrel(false);  // an empty registry: the collector class is unknown
    const auto result = ostrel.run({QStringLiteral("/domain:h/u/pw123secret"),
                                    QStringLiteral("/out:") + ostrel.path(QStringLiteral("r.txt"))},
                                   30000);
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exit_code, 0);
    EXPECT_FALSE(result.err.trimmed().isEmpty());
    EXPECT_FALSE(result.err.contains(QStringLiteral("pw123secret")));
    EXPECT_TRUE(ostrel.read(QStringLiteral("r.txt")).isNull());
}

} // namespace
