#include "platform/forms/services/shell.h"

#include "platform/forms/core/vb_error.h"

#include <QProcess>

namespace forms {

namespace {

constexpr std::int32_t kFileNotFound = 53;

ShellService g_shell;

std::int64_t start_detached(const ShellRequest& request)
{
    qint64 pid = 0;
    if (!QProcess::startDetached(request.program, request.arguments, QString(), &pid))
        raise(kFileNotFound, QStringLiteral("Shell"),
              QStringLiteral("File not found: the program \"") + request.program +
                  QStringLiteral("\" could not be started"));
    return pid;
}

} // namespace

ShellService set_shell_service(ShellService service)
{
    auto previous = std::move(g_shell);
    g_shell = std::move(service);
    return previous;
}

std::int64_t Shell(const QString& program, const QStringList& arguments, int window_style)
{
    const ShellRequest request{program, arguments, window_style};
    return g_shell ? g_shell(request) : start_detached(request);
}

std::int64_t open_with_default_application(const QString& path)
{
    return Shell(QStringLiteral("xdg-open"), {path}, vbNormalFocus);
}

} // namespace forms
