// Shell through its service: what a test installs sees the program, its arguments and the
// window style; the system's service starts a real program and refuses a missing one.
#include "platform/forms/services/shell.h"
#include "platform/forms/core/vb_error.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <optional>

using namespace forms;

namespace {

TEST(Shell, AnInstalledServiceSeesTheRequestAndOpeningADocumentUsesTheDesktopsOpener)
{
    std::optional<ShellRequest> seen;
    const ShellService before = set_shell_service([&](const ShellRequest& request) -> std::int64_t {
        seen = request;
        return 4711;
    });
    EXPECT_EQ(open_with_default_application(QStringLiteral("/tmp/a file.txt")), 4711);
    set_shell_service(before);
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->program, QStringLiteral("xdg-open"));
    EXPECT_EQ(seen->arguments, QStringList{QStringLiteral("/tmp/a file.txt")}); // one argument, blanks kept
    EXPECT_EQ(seen->window_style, vbNormalFocus);
}

TEST(Shell, TheSystemsServiceStartsAProgramAndRefusesAMissingOne)
{
    QTemporaryDir dir;
    const QString marker = dir.filePath(QStringLiteral("started"));
    EXPECT_GT(Shell(QStringLiteral("/bin/touch"), {marker}), 0);
    for (int i = 0; i < 200 && !QFile::exists(marker); ++i)
        QThread::msleep(10);
    EXPECT_TRUE(QFile::exists(marker));
    try {
        Shell(dir.filePath(QStringLiteral("no-such-program")));
        FAIL() << "a missing program started";
    } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 53);
        EXPECT_TRUE(e.description().contains(QStringLiteral("no-such-program")));
    }
}

} // namespace
