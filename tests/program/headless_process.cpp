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

std::unique_ptr<QProcess> headless_process::start(const QStringList& arguments) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(env_);
    process->start(QStringLiteral(OSTREL_PROGRAM), arguments);
    EXPECT_TRUE(process->waitForStarted(10000));
    return process;
}

run_result headless_process::run_shell(const QString& script, int timeoutMs) const
{
    QProcessEnvironment env = env_;
    env.insert(QStringLiteral("OSTREL"), QStringLiteral(OSTREL_PROGRAM));
    return run_program(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, env, timeoutMs);
}

void headless_process::set_env(const QString& name, const QString& value)
{
    if (value.isNull())
        env_.remove(name);
    else
        env_.insert(name, value);
}

QString headless_process::read(const QString& name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace program_test
