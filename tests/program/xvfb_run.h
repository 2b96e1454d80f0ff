#pragma once
// xvfb-run, which gives a test an X display of its own. Where it is missing the test skips,
// unless OSTREL_REQUIRE_SERVERS=1 makes that a failure.

#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#define OSTREL_REQUIRE_XVFB_RUN(xvfb)                                                                                  \
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));                                   \
    do {                                                                                                               \
        if (xvfb.isEmpty()) {                                                                                          \
            const char* require = std::getenv("OSTREL_REQUIRE_SERVERS");                                               \
            if (require && std::strcmp(require, "1") == 0)                                                             \
                FAIL() << "xvfb-run is missing (scripts/install_packages.sh installs xvfb and xauth)";                 \
            GTEST_SKIP() << "xvfb-run is missing";                                                                     \
        }                                                                                                              \
    } while (0)

// A tool (or module) the test needs, found or not: missing, the test skips, unless
// OSTREL_REQUIRE_SERVERS=1 makes that a failure naming what installs it.
#define OSTREL_REQUIRE_TOOL(found, what)                                                                               \
    do {                                                                                                               \
        if (!(found)) {                                                                                                \
            const char* require = std::getenv("OSTREL_REQUIRE_SERVERS");                                               \
            if (require && std::strcmp(require, "1") == 0)                                                             \
                FAIL() << what << " is missing (scripts/install_packages.sh installs it)";                             \
            GTEST_SKIP() << what << " is missing";                                                                     \
        }                                                                                                              \
    } while (0)

// Whether python3 reads the accessibility bus (python3-pyatspi installed).
inline bool python_reads_the_bus()
{
    QProcess probe;
    probe.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import pyatspi")});
    return probe.waitForFinished(30000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}
