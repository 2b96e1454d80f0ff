#include "program/command_line.h"
#include "program/command_line_text.h"

#include "platform/forms/vb_error.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

struct ParseCase {
    const char* text;
    std::map<QString, QString> expected;  // lookup name -> value; every key that must exist
    int count;
};

class CommandLineParse : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, YieldsTheEntries)
{
    const ParseCase& c = GetParam();
    const CCommandLine args(QString::fromUtf8(c.text));
    EXPECT_EQ(args.Count(), c.count) << c.text;
    for (const auto& [name, value] : c.expected) {
        EXPECT_TRUE(args.Argument(name)) << c.text << " / " << name.toStdString();
        EXPECT_EQ(args.value(name).toStdString(), value.toStdString()) << c.text << " / " << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParse,
    testing::Values(
        ParseCase{"", {}, 0},
        ParseCase{"   ", {}, 0},
        ParseCase{"report.txt /out:x.txt", {}, 0},
        ParseCase{"/domain:a.com /out:result.txt", {{"domain", "a.com"}, {"OUT", "result.txt"}}, 2},
        ParseCase{"/exchange5 /out:x.txt", {{"exchange5", ""}, {"out", "x.txt"}}, 2},
        ParseCase{"/domain a.com /out:x.txt", {{"domain", "a.com"}, {"out", "x.txt"}}, 2},
        ParseCase{"/domain  a.com", {{"domain", "a.com"}}, 1},
        ParseCase{"/domain   a.com", {{"domain", ""}}, 1},
        ParseCase{"/out: x.txt", {{"out", "x.txt"}}, 1},
        ParseCase{"/out:  x.txt /domain:a", {{"out", ""}}, 1},
        ParseCase{"/out:\"C:\\My Files\\r.txt\" /domain:a", {{"out", "C:\\My Files\\r.txt"}, {"domain", "a"}}, 2},
        ParseCase{"/out:\"open ended /domain:a", {{"out", "open ended /domain:a"}}, 1},
        ParseCase{"/out:-x", {{"out", ""}, {"x", ""}}, 2},
        ParseCase{"/out:a.txt /OUT:b.txt", {{"out", "a.txt"}}, 1},
        ParseCase{"/:x", {{"", "x"}}, 1},
        ParseCase{"-Out:r.txt   ", {{"out", "r.txt"}}, 1},
        ParseCase{"/out:a\tb.txt", {{"out", "a\tb.txt"}}, 1},
        ParseCase{"/out: ", {{"out", ""}}, 1},
        ParseCase{"/", {{"", ""}}, 1},
        ParseCase{"/domain:a.com", {{"domain", "a.com"}}, 1}));

TEST(CommandLine, NamesMatchWithoutRegardToCase)
{
    const CCommandLine args(QStringLiteral("-Out:r.txt /DOMAIN:x"));
    EXPECT_TRUE(args.Argument(QStringLiteral("OUT")));
    EXPECT_TRUE(args.Argument(QStringLiteral("out")));
    EXPECT_TRUE(args.Argument(QStringLiteral("Domain")));
    EXPECT_FALSE(args.Argument(QStringLiteral("exchange5")));
}

TEST(CommandLine, ValueOfAMissingNameRaisesError5)
{
    const CCommandLine args(QStringLiteral("/domain:a.com"));
    try {
        args.value(QStringLiteral("out"));
        FAIL() << "no error raised";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 5);
        EXPECT_EQ(error.description().toStdString(), "Invalid argument name.");
    }
}

struct JoinCase {
    std::vector<const char*> arguments;
    const char* text;
    const char* out;  // value of /out: after parsing, nullptr when absent
};

class ArgumentJoining : public testing::TestWithParam<JoinCase> {};

TEST_P(ArgumentJoining, GivesTheTextTheParserExpects)
{
    const JoinCase& c = GetParam();
    const QString text = command_line_text(c.arguments);
    EXPECT_EQ(text.toStdString(), c.text);
    const CCommandLine args(text);
    if (c.out) {
        ASSERT_TRUE(args.Argument(QStringLiteral("out")));
        EXPECT_EQ(args.value(QStringLiteral("out")).toStdString(), c.out);
    } else {
        EXPECT_FALSE(args.Argument(QStringLiteral("out")));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArgumentJoining,
    testing::Values(JoinCase{{}, "", nullptr},
                    JoinCase{{"/out:/tmp/report.txt"}, "/out:\"/tmp/report.txt\"", "/tmp/report.txt"},
                    JoinCase{{"/domain:a.com", "/out:r.txt"}, "/domain:a.com /out:r.txt", "r.txt"},
                    JoinCase{{"/out:/tmp/my report.txt", "/exchange5"}, "/out:\"/tmp/my report.txt\" /exchange5",
                             "/tmp/my report.txt"},
                    JoinCase{{"-out:a b.txt"}, "-out:\"a b.txt\"", "a b.txt"},
                    JoinCase{{"/out", "my file.txt"}, "/out \"my file.txt\"", "my file.txt"},
                    JoinCase{{"/exchange5", "/out:x.txt"}, "/exchange5 /out:x.txt", "x.txt"},
                    JoinCase{{"/domain:a,b"}, "/domain:a,b", nullptr}));

} // namespace
