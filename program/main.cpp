// The process entry: the arguments after the program name become the command-line text
// that MainModule::Main parses.

#include "program/command_line_text.h"
#include "program/main_module.h"

#include <span>

int main(int argc, char** argv)
{
    const std::span<const char* const> arguments(argv + 1, static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
    return MainModule::Main(command_line_text(arguments));
}
