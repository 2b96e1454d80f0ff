#pragma once
// MainModule: the program's start. Main parses the command line once and chooses the way the
// program runs: the wizard (no switch), the usage box (switches without /out:), or the
// headless collection into a file (/out:). Its result is the process's exit status.

#include <QString>

namespace MainModule {

int Main(const QString& commandLine);

// The usage box: string 148, titled "Command Line Options".
void ShowUsage();

} // namespace MainModule
