#pragma once
// MainModule: the program's start. Main parses the command line once and chooses the way the
// program runs: the wizard (no switch), the usage box (switches without /out:), or the
// headless collection into a file (/out:). Its result is the process's exit status.

#include <QString>
#include <QStringList>

#include <span>

namespace program {

// `arguments` are the process's arguments after the program name; `argumentMemory` is
// where the process keeps them (the passwords there are overwritten once parsed).
int Main(const QStringList& arguments, std::span<char*> argumentMemory = {});

// The usage box: string 148, titled "Command Line Options".
void ShowUsage();

} // namespace program
