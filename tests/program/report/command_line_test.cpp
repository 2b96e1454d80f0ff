#include "program/report/command_line.h"
#include "program/report/process_arguments.h"

#include "platform/forms/core/vb_error.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <sys/prctl.h>

namespace {

QStringList arguments_of(const std::vector<const char*>& arguments)
{
    QStringList list;
    for (const char* argument : arguments)
        list.append(QString::fromUtf8(argument));
    return list;
}

struct ParseCase {
    std::vector<const char*> arguments;  // as the process receives them
    std::map<QString, QString> expected; // lookup name -> value; every key that must exist
    int count;
};

class CommandLineParse : public testing::TestWithParam<ParseCase> {};

TEST_P(CommandLineParse, YieldsTheEntries)
{
    const ParseCase& c = GetParam();
    const program::CCommandLine args(arguments_of(c.arguments));
    const std::string shown = arguments_of(c.arguments).join(QStringLiteral("|")).toStdString();
    EXPECT_EQ(args.Count(), c.count) << shown;
    for (const auto& [name, value] : c.expected) {
        EXPECT_TRUE(args.Argument(name)) << shown << " / " << name.toStdString();
        EXPECT_EQ(args.value(name).toStdString(), value.toStdString()) << shown << " / " << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineParse,
    testing::Values(
        ParseCase{{}, {}, 0}, ParseCase{{""}, {}, 0}, ParseCase{{"report.txt", "/out:x.txt"}, {}, 0},
        ParseCase{{"/domain:a.com", "/out:result.txt"}, {{"domain", "a.com"}, {"OUT", "result.txt"}}, 2},
        ParseCase{{"/exchange5", "/out:x.txt"}, {{"exchange5", ""}, {"out", "x.txt"}}, 2},
        ParseCase{{"/domain", "a.com", "/out:x.txt"}, {{"domain", "a.com"}, {"out", "x.txt"}}, 2},
        ParseCase{{"/out:", "x.txt"}, {{"out", "x.txt"}}, 1},
        ParseCase{{"/out:C:\\My Files\\r.txt", "/domain:a"}, {{"out", "C:\\My Files\\r.txt"}, {"domain", "a"}}, 2},
        ParseCase{{"/out:", "-x"}, {{"out", ""}, {"x", ""}}, 2},
        ParseCase{{"/out:a.txt", "/OUT:b.txt"}, {{"out", "a.txt"}}, 1}, ParseCase{{"/:x"}, {{"", "x"}}, 1},
        ParseCase{{"-Out:r.txt"}, {{"out", "r.txt"}}, 1}, ParseCase{{"/out:a\tb.txt"}, {{"out", "a\tb.txt"}}, 1},
        ParseCase{{"/out:"}, {{"out", ""}}, 1}, ParseCase{{"/"}, {{"", ""}}, 1},
        ParseCase{{"/domain:a.com"}, {{"domain", "a.com"}}, 1},
        // Each argument as given: quotes and blanks are part of the value, a value in the
        // switch's own argument may start with "/" or "-" or look like a switch.
        ParseCase{{"/out:/tmp/my \"x\" report.txt"}, {{"out", "/tmp/my \"x\" report.txt"}}, 1},
        ParseCase{{"/domain:a b\"c", "/out:f"}, {{"domain", "a b\"c"}, {"out", "f"}}, 2},
        ParseCase{{"/out:\"quoted.txt\""}, {{"out", "\"quoted.txt\""}}, 1},
        ParseCase{{"/out:/tmp/report.txt", "/exchange5"}, {{"out", "/tmp/report.txt"}, {"exchange5", ""}}, 2},
        ParseCase{{"/out:-x"}, {{"out", "-x"}}, 1},
        ParseCase{{"/out:/domain:b", "/domain:a"}, {{"out", "/domain:b"}, {"domain", "a"}}, 2},
        ParseCase{{"/domain:x /out:y"}, {{"domain", "x /out:y"}}, 1},
        ParseCase{{"/out", "my file.txt"}, {{"out", "my file.txt"}}, 1},
        ParseCase{{"/out", " leading blank.txt"}, {{"out", " leading blank.txt"}}, 1},
        ParseCase{{"/out: x.txt"}, {{"out", " x.txt"}}, 1}, ParseCase{{"/domain a.com"}, {{"domain", "a.com"}}, 1},
        ParseCase{{" /out:x"}, {}, 0}));

TEST(CommandLine, NamesMatchWithoutRegardToCase)
{
    const program::CCommandLine args({QStringLiteral("-Out:r.txt"), QStringLiteral("/DOMAIN:x")});
    EXPECT_TRUE(args.Argument(QStringLiteral("OUT")));
    EXPECT_TRUE(args.Argument(QStringLiteral("out")));
    EXPECT_TRUE(args.Argument(QStringLiteral("Domain")));
    EXPECT_FALSE(args.Argument(QStringLiteral("exchange5")));
}

TEST(CommandLine, ValueOfAMissingNameRaisesError5)
{
    const program::CCommandLine args({QStringLiteral("/domain:a.com")});
    try {
        args.value(QStringLiteral("out"));
        FAIL() << "no error raised";
    } catch (const forms::VbError& error) {
        EXPECT_EQ(error.number(), 5);
        EXPECT_EQ(error.description().toStdString(), "Invalid argument name.");
    }
}

TEST(ProcessArguments, ArgumentsAreTakenAsGivenAndMustBeUtf8)
{
    char plain[] = "/out:/tmp/\xc3\xa4 \"x\".txt";
    char* good[] = {plain};
    QString error;
    const auto decoded = program::decode_arguments(good, error);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->value(0), QStringLiteral("/out:/tmp/\u00e4 \"x\".txt"));

    char latin1[] = "/out:/tmp/r\xe4.txt";
    char* bad[] = {plain, latin1};
    EXPECT_FALSE(program::decode_arguments(bad, error));
    EXPECT_TRUE(error.contains(QStringLiteral("argument 2"))) << error.toStdString();
}

struct HideCase {
    std::vector<const char*> arguments;
    std::vector<const char*> after;
    bool password;
};

class PasswordMemory : public testing::TestWithParam<HideCase> {};

// The passwords of /domain: are overwritten in the argument memory, from the first
// password to the end of the value (a password with a comma leaves no tail), and the
// process can no longer be dumped.
TEST_P(PasswordMemory, IsOverwrittenOnceParsed)
{
    const HideCase& c = GetParam();
    std::vector<std::string> storage(c.arguments.begin(), c.arguments.end());
    std::vector<char*> memory;
    for (std::string& argument : storage)
        memory.push_back(argument.data());
    const program::CCommandLine parsed(arguments_of(c.arguments));
    program::hide_argument_passwords(memory, parsed);
    for (std::size_t i = 0; i < storage.size(); ++i)
        EXPECT_STREQ(memory[i], c.after[i]);
    if (c.password) {
        EXPECT_EQ(prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordMemory,
    testing::Values(
        HideCase{{"/domain:dc/u/s3cret", "/out:r.txt"}, {"/domain:dc/u/xxxxxx", "/out:r.txt"}, true},
        HideCase{{"/domain", "a.com,dc/u/pa,ss", "/out:x"}, {"/domain", "a.com,dc/u/xxxxx", "/out:x"}, true},
        HideCase{{"-DOMAIN:h/u/p\xc3\xa4/w"}, {"-DOMAIN:h/u/xxxxx"}, true},
        HideCase{{"/domain:\xc3\xa4.com/u/pw", "/domain:b/u/second"},
                 {"/domain:\xc3\xa4.com/u/xx", "/domain:b/u/xxxxxx"},
                 true},
        HideCase{{"/out:/tmp/a/b/c", "/domain:a.com,b.com"}, {"/out:/tmp/a/b/c", "/domain:a.com,b.com"}, false}));

} // namespace
