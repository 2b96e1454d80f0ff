#pragma once
// The runtime's Shell: starts another program, without waiting for it, through a replaceable
// service (tests record what would start). The program and its arguments are passed as they
// are, never through a command interpreter. open_with_default_application opens a document
// with the user's preferred application, the freedesktop way (xdg-open).

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace forms {

// The window styles of Shell.
inline constexpr int vbHide = 0;
inline constexpr int vbNormalFocus = 1;
inline constexpr int vbMinimizedFocus = 2;

struct ShellRequest {
    QString program;
    QStringList arguments;
    int window_style = vbMinimizedFocus;
};

// Starts the request's program and returns its task id (the process id); raises the
// runtime's error when it cannot start.
using ShellService = std::function<std::int64_t(const ShellRequest&)>;
// Installs a service (empty restores the system's) and returns the one before.
ShellService set_shell_service(ShellService service);

// Starts `program` with `arguments`; raises 53 "File not found" (naming the program) when it
// cannot start.
std::int64_t Shell(const QString& program, const QStringList& arguments = {}, int window_style = vbMinimizedFocus);

// Opens `path` with the user's default application for its type.
std::int64_t open_with_default_application(const QString& path);

} // namespace forms
