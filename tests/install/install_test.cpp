// The install: cmake --install of this build tree into a temporary prefix gives a program that
// stands on its own (its libraries found below the prefix, its modules registered into the
// prefix's system registry, a desktop entry and an icon), and that program counts the test
// run's domain controller. Under DESTDIR the registry and the entry name the final paths.

#include "tests/program/headless_process.h"
#include "tests/support/server_env.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using program_test::run_result;

run_result run(const QString& program, const QStringList& arguments, const QProcessEnvironment& env)
{
    return program_test::run_program(program, arguments, env, 180000);
}

QString read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// cmake --install of this build tree; DESTDIR set only when `destdir` is not empty.
run_result install(const QString& prefix, const QString& destdir = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DESTDIR"));
    if (!destdir.isEmpty())
        env.insert(QStringLiteral("DESTDIR"), destdir);
    return run(QStringLiteral(OSTREL_CMAKE_COMMAND),
               {QStringLiteral("--install"), QStringLiteral(OSTREL_BUILD_DIR), QStringLiteral("--prefix"), prefix},
               env);
}

// The quoted paths a registry file names.
QStringList paths_in(const QString& registry)
{
    QStringList paths;
    static const QRegularExpression quoted(QStringLiteral("\"(/[^\"]*)\""));
    for (const auto& match : quoted.globalMatch(registry))
        paths.append(match.captured(1));
    paths.removeDuplicates();
    return paths;
}

TEST(Install, StagedBelowDestdirTheRegistryAndTheDesktopEntryNameTheFinalPaths)
{
    QTemporaryDir stage;
    ASSERT_TRUE(stage.isValid());
    const QString prefix = QStringLiteral("/opt/ostrel-install-test");
    const run_result installed = install(prefix, stage.path());
    ASSERT_EQ(installed.exit_code, 0) << installed.err.toStdString() << installed.out.toStdString();
    EXPECT_FALSE(QFileInfo::exists(prefix)) << "the install went past DESTDIR";

    const QString root = stage.path() + prefix;
    const QStringList paths = paths_in(read(root + QStringLiteral("/lib/ostrel/registry.txt")));
    EXPECT_TRUE(paths.contains(prefix + QStringLiteral("/lib/ostrel/libOstrelCollector.so")))
        << paths.join(u' ').toStdString();
    EXPECT_TRUE(paths.contains(prefix + QStringLiteral("/lib/ostrel/KyComCtl.so"))) << paths.join(u' ').toStdString();
    for (const QString& path : paths)
        EXPECT_TRUE(path.startsWith(prefix + u'/')) << path.toStdString();

    const QString entry = read(root + QStringLiteral("/share/applications/ostrel.desktop"));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=") + prefix + QStringLiteral("/bin/Ostrel\n")))
        << entry.toStdString();
}

TEST(Install, TheInstalledProgramCountsTheDomainController)
{
    OSTREL_REQUIRE_SAMBA_DC();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString prefix = dir.filePath(QStringLiteral("prefix"));
    const run_result installed = install(prefix);
    ASSERT_EQ(installed.exit_code, 0) << installed.err.toStdString() << installed.out.toStdString();

    // The program, the tool and the modules where they belong; the modules registered there.
    for (const char* file :
         {"bin/Ostrel", "bin/ostrel-regsvr", "lib/ostrel/libOstrelCollector.so", "lib/ostrel/KyComCtl.so"})
        EXPECT_TRUE(QFileInfo(prefix + u'/' + QString::fromUtf8(file)).isFile()) << file;
    const QStringList paths = paths_in(read(prefix + QStringLiteral("/lib/ostrel/registry.txt")));
    EXPECT_TRUE(paths.contains(prefix + QStringLiteral("/lib/ostrel/libOstrelCollector.so")))
        << paths.join(u' ').toStdString();
    for (const QString& path : paths)
        EXPECT_TRUE(path.startsWith(prefix + u'/')) << path.toStdString();

    // The program's own libraries come from below the prefix, never from the build tree.
    const QProcessEnvironment plain = [] {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LD_LIBRARY_PATH"));
        return env;
    }();
    for (const char* file : {"bin/Ostrel", "lib/ostrel/libOstrelCollector.so", "lib/ostrel/KyComCtl.so"}) {
        SCOPED_TRACE(file);
        [&] { // an ASSERT ends this row only
            const run_result ldd = run(QStringLiteral("ldd"), {prefix + u'/' + QString::fromUtf8(file)}, plain);
            ASSERT_EQ(ldd.exit_code, 0) << file << ldd.err.toStdString();
            EXPECT_FALSE(ldd.out.contains(QStringLiteral("not found"))) << ldd.out.toStdString();
            for (const QString& line : ldd.out.split(u'\n')) {
                if (!line.contains(QStringLiteral("libplatform_")))
                    continue;
                EXPECT_TRUE(line.contains(QStringLiteral("=> ") + prefix + QStringLiteral("/"))) << line.toStdString();
            }
        }();
    }

    // The desktop entry and the icon it names, as the freedesktop conventions have them.
    const QString entry = prefix + QStringLiteral("/share/applications/ostrel.desktop");
    EXPECT_TRUE(read(entry).contains(QStringLiteral("\nIcon=ostrel\n")));
    for (int size : {16, 32}) {
        const QImage icon(prefix + QStringLiteral("/share/icons/hicolor/%1x%1/apps/ostrel.png").arg(size), "PNG");
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        const run_result valid = run(validator, {entry}, plain);
        EXPECT_EQ(valid.exit_code, 0) << valid.out.toStdString() << valid.err.toStdString();
        EXPECT_EQ(valid.out + valid.err, QString()) << "hints of desktop-file-validate";
    }

    // A user's run of the installed program, with a home of its own and no OSTREL_REGISTRY:
    // the collector comes from the install's system registry (read beneath the user's, which
    // is empty), the counts are the domain controller's, and the user's own registry is
    // neither made nor written.
    QProcessEnvironment env = plain;
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    for (const char* name : {"OSTREL_REGISTRY", "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromUtf8(name));

    const QString host = QString::fromStdString(ostrel::test::env("SAMBA_DC_FQDN").value_or("dc1.test.local"));
    const QString user = QString::fromStdString(
        ostrel::test::env("SAMBA_DC_ADMIN_BINDDN").value_or("Administrator@test.local"));
    const QString password = QString::fromStdString(
        ostrel::test::env("SAMBA_DC_ADMIN_PASSWORD").value_or("Fixture-Adm1n"));
    const QString report = dir.filePath(QStringLiteral("report.txt"));
    const run_result counted = run(
        prefix + QStringLiteral("/bin/Ostrel"),
        {QStringLiteral("/domain:") + host + u'/' + user + u'/' + password, QStringLiteral("/out:") + report}, env);
    ASSERT_EQ(counted.exit_code, 0) << counted.err.toStdString();
    const QString file = read(report);
    EXPECT_TRUE(file.contains(QStringLiteral("\r\n[") + host + u'/' + user + QStringLiteral("]\r\n")))
        << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("\r\nUsers=%1\r\n").arg(ostrel::test::dc_count("COUNT_USER"))))
        << file.toStdString();
    EXPECT_TRUE(file.contains(QStringLiteral("With errors:\t0\r\n"))) << file.toStdString();
    EXPECT_FALSE(file.contains(password));
    EXPECT_FALSE(QFileInfo::exists(home + QStringLiteral("/.config/ostrel")));
}

} // namespace
