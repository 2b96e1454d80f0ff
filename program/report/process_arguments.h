#pragma once
// The process's arguments as the program takes them: each one decoded as given (no joining,
// no re-parsing), and the passwords among them hidden from other users once they are read.

#include "program/report/command_line.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace program {

// The arguments after the program name. Nothing when one is not valid UTF-8 (a file name in
// another encoding would otherwise be written under a different name); `error` says which.
std::optional<QStringList> decode_arguments(std::span<char* const> arguments, QString& error);

// Overwrites, in the process's own argument memory, the passwords that the values of
// /domain: hold (every occurrence of the switch, also the repeated ones that are otherwise
// ignored), from a value's first password to its end, so that the process's command line no
// longer shows them to other local users; and makes the process non-dumpable from then on,
// so that no core dump or debugger of another user reads them from its memory. Does nothing
// when no value holds a password.
void hide_argument_passwords(std::span<char*> arguments, const CCommandLine& parsed);

} // namespace program
