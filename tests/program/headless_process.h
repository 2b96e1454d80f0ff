#pragma once
// Runs the built Ostrel as a user would, with a registry of its own, and reads what it left.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace program_test {

struct run_result {
    int exit_code = -1;
    bool finished = false;
    QString out;
    QString err;
};

// Runs `program` with `arguments` and `env`, waiting up to `timeoutMs` for it to end (killing
// it then).
run_result run_program(const QString& program, const QStringList& arguments, const QProcessEnvironment& env,
                       int timeoutMs);

class headless_process {
public:
    // A temporary folder with its own registry file; with `registerCollector` the built
    // collector module is registered there first.
    explicit headless_process(bool registerCollector);

    run_result run(const QStringList& arguments, int timeoutMs = 120000) const;
    // The program started with `arguments`, running on while the caller looks at it.
    std::unique_ptr<QProcess> start(const QStringList& arguments) const;
    // `script` run by /bin/sh with $OSTREL naming the program, for arguments QProcess cannot
    // pass (bytes that are not UTF-8).
    run_result run_shell(const QString& script, int timeoutMs = 120000) const;
    // Sets (or with a null value removes) a variable of the program's environment.
    void set_env(const QString& name, const QString& value);

    QString path(const QString& name) const { return dir_.filePath(name); }
    // The file's content, or a null string when it does not exist.
    QString read(const QString& name) const;

private:
    QTemporaryDir dir_;
    QProcessEnvironment env_;
};

} // namespace program_test
