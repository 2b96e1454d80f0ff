// SIGTERM and SIGHUP reach the program as a stop on its event loop (not a death in the middle
// of anything), so what it owns goes as at a normal end: View Log's private file is removed.
#include "program/wizard/stop_signals.h"
#include "program/wizard/temp_log_file.h"

#include "tests/support/forms/test_host.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace {

TEST(StopSignals, TermAndHupEndTheProgramFromItsEventLoopAndTheLogFileGoes)
{
    forms::TestHost::ensure_application();
    for (const int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        [&] { // an ASSERT ends this row only
            auto log = std::make_unique<program::TempLogFile>();
            const QString path = log->Write(QStringLiteral("the session log"));
            ASSERT_TRUE(QFile::exists(path));
            int stopped_by = 0;
            const program::StopSignals stop([&](int s) {
                stopped_by = s;
                log.reset(); // the form going, with its output actions
            });
            ASSERT_EQ(std::raise(signal), 0);
            QElapsedTimer waited;
            waited.start();
            while (stopped_by == 0 && waited.elapsed() < 5000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            EXPECT_EQ(stopped_by, signal);
            EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
        }();
    }
}

} // namespace
