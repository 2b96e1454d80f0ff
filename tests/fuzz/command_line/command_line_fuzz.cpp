// The program's command line. The input is the process's arguments, separated by NUL bytes.
// Promises: arguments that are not UTF-8 are refused with a reason; when every argument is a
// switch with its value, /name:value or -name:value, each switch is found by its name with
// exactly the value given (the first of a repeated name wins) and nothing else is found.

#include "program/report/command_line.h"
#include "program/report/process_arguments.h"

#include "tests/fuzz/fuzz_check.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Switch {
    QString name;
    QString value;
};

bool is_name_char(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// "/name:value" or "-name:value" with a name of letters, digits and '_'.
std::optional<Switch> switch_with_value(const std::string& argument)
{
    if (argument.empty() || (argument[0] != '/' && argument[0] != '-'))
        return std::nullopt;
    const std::size_t colon = argument.find(':');
    if (colon == std::string::npos || colon == 1)
        return std::nullopt;
    for (std::size_t i = 1; i < colon; ++i)
        if (!is_name_char(argument[i]))
            return std::nullopt;
    return Switch{QString::fromUtf8(argument.substr(1, colon - 1)), QString::fromUtf8(argument.substr(colon + 1))};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments;
    if (size > 0) {
        const std::string text(reinterpret_cast<const char*>(data), size);
        std::size_t start = 0;
        for (std::size_t nul; (nul = text.find('\0', start)) != std::string::npos; start = nul + 1)
            arguments.push_back(text.substr(start, nul - start));
        arguments.push_back(text.substr(start));
    }
    // The process's arguments as the program takes them.
    std::vector<char*> argv;
    for (std::string& a : arguments)
        argv.push_back(a.data());
    QString error;
    const auto decoded = program::decode_arguments(argv, error);
    if (!decoded) {
        FUZZ_REQUIRE(!error.isEmpty(), "a refused argument comes with a reason");
        return 0;
    }
    const program::CCommandLine parsed(*decoded);

    std::map<QString, QString> expected; // by upper-case name: the first value given
    for (const std::string& argument : arguments) {
        const auto s = switch_with_value(argument);
        if (!s)
            return 0;
        expected.try_emplace(s->name.toUpper(), s->value);
    }
    FUZZ_REQUIRE(parsed.Count() == static_cast<std::int32_t>(expected.size()), "one switch per name given");
    for (const auto& [name, value] : expected) {
        FUZZ_REQUIRE(parsed.Argument(name), "every switch given is found");
        FUZZ_REQUIRE(parsed.value(name) == value, "a switch's value is the value given");
    }
    return 0;
}
