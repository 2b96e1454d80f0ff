#pragma once
// Warnings: what loads but deserves a word to the person who wrote it (a stored key that no
// property reads, so a misspelt key is not kept without a word). report_warning is the one
// way the runtime gives them; by default they go to stderr as "Warning: <text>". A host (the
// design tool) or a test takes them with set_warning_handler.

#include <QString>

#include <functional>

namespace forms {

using WarningHandler = std::function<void(const QString& text)>;

void report_warning(const QString& text);
// Installs `handler` (empty: back to stderr) and returns the one it replaces.
WarningHandler set_warning_handler(WarningHandler handler);

} // namespace forms
