#pragma once
// The command-line text CCommandLine parses, made from the process's arguments: they are
// joined with single blanks, and the value of a switch is put in double quotes when it holds
// a blank or starts with "/", so that /out:/tmp/report.txt names a file as a user expects
// instead of starting a second switch.

#include <QString>

#include <span>

QString command_line_text(std::span<const char* const> arguments);
