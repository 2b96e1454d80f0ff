// The process entry: the arguments after the program name, each as given, are what
// program::Main parses.

#include "program/report/process_arguments.h"
#include "program/wizard/main_module.h"

#include <csignal>
#include <cstdio>
#include <span>

int main(int argc, char** argv)
{
    // A reader that leaves the output FIFO early makes the write fail with a reason, instead
    // of ending the process silently.
    std::signal(SIGPIPE, SIG_IGN);
    const std::span<char*> memory(argv + (argc > 0 ? 1 : 0), static_cast<std::size_t>(argc > 0 ? argc - 1 : 0));
    QString error;
    const auto arguments = program::decode_arguments(memory, error);
    if (!arguments) {
        std::fprintf(stderr, "Ostrel: %s\n", error.toUtf8().constData());
        return 2;
    }
    return program::Main(*arguments, memory);
}
