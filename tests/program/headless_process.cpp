#include "tests/program/headless_process.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace program_test {

run_result run_program(const QString& program, const QStringList& arguments, const QProcessEnvironment& env,
                       int timeoutMs)
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    run_result result;
    if (!process.waitForStarted(10000))
        return result;
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.exit_code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

headless_process::headless_process(bool registerCollector) : env_(QProcessEnvironment::systemEnvironment())
{
    env_.insert(QStringLiteral("OSTREL_REGISTRY"), dir_.filePath(QStringLiteral("registry.txt")));
    env_.remove(QStringLiteral("DISPLAY"));
    env_.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env_.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (registerCollector) {
        const run_result reg = run_program(QStringLiteral(OSTREL_REGSVR), {QStringLiteral(OSTREL_COLLECTOR_MODULE)},
                                           env_, 60000);
        EXPECT_EQ(reg.exit_code, 0) << reg.err.toStdString();
    }
}

run_result headless_process::run(const QStringList& arguments, int timeoutMs) const
{
    return run_program(QStringLiteral(OSTREL_PROGRAM), arguments, env_, timeoutMs);
}

QString headless_process::read(const QString& name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace program_test
