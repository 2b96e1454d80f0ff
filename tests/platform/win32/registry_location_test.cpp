#include "platform/win32/registry.h"
#include "platform/win32/registry_format.h"
#include "platform/win32/registry_location.h"
#include "platform/win32/registry_store.h"
#include "platform/win32/win_errors.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using win32::registry_location;
using win32::resolve_registry_location;
using win32::registry_detail::registry_key;
using win32::registry_detail::registry_root;
using win32::registry_detail::registry_store;
using win32::registry_detail::registry_tree;
using win32::registry_detail::registry_value;
using win32::registry_detail::string_value_bytes;

constexpr LONG ok = ERROR_SUCCESS;

std::string read_text(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_text(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

class RegistryLocationTest : public ::testing::Test {
protected:
    ostrel::test::temp_registry test_registry_;
    // An installed layout: <prefix>/bin holds the program, <prefix>/lib/ostrel the system
    // registry, and the user's configuration lies elsewhere.
    std::filesystem::path bin() const { return test_registry_.dir() / "prefix" / "bin"; }
    std::filesystem::path system_file() const
    {
        return test_registry_.dir() / "prefix" / "lib" / "ostrel" / "registry.txt";
    }
    std::filesystem::path user_file() const { return test_registry_.dir() / "config" / "ostrel" / "registry.txt"; }
};

TEST_F(RegistryLocationTest, ExplicitFileElseBuildRegistryElseUserAboveSystem)
{
    std::filesystem::create_directories(bin());
    const std::string build_tree = (test_registry_.dir() / "build" / "bin").string();
    write_text(test_registry_.dir() / "build" / "bin" / win32::kBuildRegistryName, "");
    const std::string system = system_file().string();
    const struct {
        const char* label;
        win32::registry_surroundings around;
        registry_location expected;
    } cases[] = {
        {"explicit file alone", {"/tmp/explicit.txt", build_tree, "/tmp/xdg-cfg", "/tmp/h"}, {"/tmp/explicit.txt", ""}},
        {"build registry alone", {"", build_tree, "/tmp/xdg-cfg", "/tmp/h"}, {build_tree + "/build-registry.txt", ""}},
        {"XDG config above system",
         {"", bin().string(), "/tmp/xdg-cfg", "/tmp/h"},
         {"/tmp/xdg-cfg/ostrel/registry.txt", system}},
        {"home above system",
         {"", bin().string(), "", "/tmp/some-home"},
         {"/tmp/some-home/.config/ostrel/registry.txt", system}},
        {"relative XDG config ignored",
         {"", bin().string(), "cfg", "/tmp/some-home"},
         {"/tmp/some-home/.config/ostrel/registry.txt", system}},
        // Never relative to the current folder: no absolute HOME, no per-user registry.
        {"HOME unset: no per-user registry", {"", bin().string(), "", ""}, {"", system}},
        {"HOME relative: no per-user registry", {"", bin().string(), "", "."}, {"", system}},
        {"HOME and XDG config relative", {"", bin().string(), "cfg", "home"}, {"", system}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(resolve_registry_location(c.around), c.expected);
    }
}

TEST_F(RegistryLocationTest, TheStoreFollowsOstrelRegistry)
{
    EXPECT_EQ(win32::registry_file_path(), test_registry_.file().string());
}

class LayeredRegistryTest : public RegistryLocationTest {
protected:
    void SetUp() override
    {
        RegistryLocationTest::SetUp();
        write_text(system_file(), "[HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32]\n"
                                  "@ = sz \"/usr/lib/ostrel/libSystem.so\"\n"
                                  "\"ThreadingModel\" = sz \"Free\"\n"
                                  "[HKEY_CLASSES_ROOT\\CLSID\\{2}\\InprocServer32]\n"
                                  "@ = sz \"/usr/lib/ostrel/libOther.so\"\n");
        system_text_ = read_text(system_file());
    }

    registry_store store_{[this] { return registry_location{user_file().string(), system_file().string()}; }};
    std::string system_text_;

    // The default string of HKCR\CLSID\{id}\InprocServer32 as the store shows it.
    std::u16string module_of(const char16_t* id)
    {
        std::u16string text = u"<none>";
        const LONG rc = store_.read([&](registry_tree& tree) {
            const registry_key* key = tree.find(registry_root::classes_root, {u"CLSID", id, u"InprocServer32"});
            const registry_value* v = key ? key->find_value(u"") : nullptr;
            if (v != nullptr)
                text = std::u16string(reinterpret_cast<const char16_t*>(v->data.data()), v->data.size() / 2 - 1);
            return ok;
        });
        EXPECT_EQ(rc, ok);
        return text;
    }

    LONG set_module(const char16_t* id, std::u16string_view path)
    {
        return store_.write([&](registry_tree& tree, bool& changed) {
            bool created = false;
            registry_key* key = &tree.root(registry_root::classes_root);
            for (const char16_t* segment : {u"CLSID", id, u"InprocServer32"})
                key = &key->ensure_subkey(segment, created);
            key->values.insert_or_assign(u"", registry_value{u"", REG_SZ, string_value_bytes(path)});
            changed = true;
            return ok;
        });
    }
};

TEST_F(LayeredRegistryTest, TheSystemRegistryIsReadBeneathTheUsersAndNeverWritten)
{
    EXPECT_EQ(module_of(u"{1}"), u"/usr/lib/ostrel/libSystem.so");
    EXPECT_FALSE(std::filesystem::exists(user_file()));

    // The user's registration hides the system's; the rest of the system's stays visible.
    ASSERT_EQ(set_module(u"{1}", u"/home/u/libMine.so"), ok);
    EXPECT_EQ(module_of(u"{1}"), u"/home/u/libMine.so");
    EXPECT_EQ(module_of(u"{2}"), u"/usr/lib/ostrel/libOther.so");
    const LONG rc = store_.read([&](registry_tree& tree) {
        const registry_key* key = tree.find(registry_root::classes_root, {u"CLSID", u"{1}", u"InprocServer32"});
        EXPECT_NE(key->find_value(u"ThreadingModel"), nullptr);
        return ok;
    });
    EXPECT_EQ(rc, ok);

    // The write went to the user's file, holding only what the user wrote; the system file is as it was.
    EXPECT_EQ(read_text(system_file()), system_text_);
    const std::string user_text = read_text(user_file());
    EXPECT_NE(user_text.find("libMine.so"), std::string::npos) << user_text;
    EXPECT_EQ(user_text.find("libOther.so"), std::string::npos) << user_text;
    EXPECT_EQ(user_text.find("ThreadingModel"), std::string::npos) << user_text;
}

TEST_F(LayeredRegistryTest, WhatOnlyTheSystemHoldsCannotBeRemoved)
{
    const LONG rc = store_.write([&](registry_tree& tree, bool& changed) {
        tree.root(registry_root::classes_root).subkeys.clear();
        changed = true;
        return ok;
    });
    EXPECT_EQ(rc, static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(module_of(u"{2}"), u"/usr/lib/ostrel/libOther.so");
    EXPECT_EQ(read_text(system_file()), system_text_);
    EXPECT_FALSE(std::filesystem::exists(user_file()));
}

TEST_F(LayeredRegistryTest, ACorruptSystemRegistryIsReported)
{
    write_text(system_file(), "not a registry\n");
    EXPECT_EQ(store_.read([](registry_tree&) { return ok; }), static_cast<LONG>(ERROR_REGISTRY_CORRUPT));
}

// A FIFO, a directory: nothing that is not a regular file is read as a registry, and asking
// never waits for a writer that does not come.
TEST_F(RegistryLocationTest, OnlyARegularFileIsReadAsARegistry)
{
    const auto fifo = test_registry_.dir() / "fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto folder = test_registry_.dir() / "folder.txt";
    std::filesystem::create_directory(folder);
    for (const auto& path : {fifo, folder}) {
        test_registry_.use_file(path);
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_READ, &key),
                  static_cast<LONG>(ERROR_REGISTRY_IO_FAILED))
            << path;
        EXPECT_EQ(
            RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            static_cast<LONG>(ERROR_REGISTRY_IO_FAILED))
            << path;
    }
    EXPECT_EQ(std::filesystem::status(fifo).type(), std::filesystem::file_type::fifo);
}

// A registry another user may change names the code that is loaded as this user: refused, as
// ssh refuses such a configuration, like one too large or not a regular file, each with the
// file and the reason in the failure a user is shown.
TEST_F(RegistryLocationTest, ARegistryThatCannotBeTrustedIsRefusedWithItsReason)
{
    const bool root = ::geteuid() == 0;
    const auto dir = test_registry_.dir();
    const struct {
        const char* label;
        std::function<std::filesystem::path()> prepare;
        const char* reason;
    } cases[] = {
        {"oversized (sparse)",
         [&] {
             const auto p = dir / "big" / "registry.txt";
             write_text(p, "");
             std::filesystem::resize_file(p, 3ull << 30);
             return p;
         },
         "larger than 16 MiB"},
        {"FIFO",
         [&] {
             std::filesystem::create_directories(dir / "fifo");
             EXPECT_EQ(::mkfifo((dir / "fifo" / "registry.txt").c_str(), 0600), 0);
             return dir / "fifo" / "registry.txt";
         },
         "not a regular file"},
        {"world-writable",
         [&] {
             const auto p = dir / "open" / "registry.txt";
             write_text(p, "");
             std::filesystem::permissions(p, std::filesystem::perms(0666));
             return p;
         },
         "other users may write it"},
        {"in a folder anyone may write",
         [&] {
             const auto p = dir / "shared" / "registry.txt";
             write_text(p, "");
             std::filesystem::permissions(dir / "shared", std::filesystem::perms(0777));
             return p;
         },
         "other users may write its folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const auto path = c.prepare();
        test_registry_.use_file(path);
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_READ, &key),
                  static_cast<LONG>(ERROR_REGISTRY_IO_FAILED));
        const std::string failure = win32::registry_failure();
        EXPECT_NE(failure.find(path.string()), std::string::npos) << failure;
        EXPECT_NE(failure.find(c.reason), std::string::npos) << failure;
    }
    if (root) {
        SCOPED_TRACE("another user's");
        const auto p = dir / "theirs" / "registry.txt";
        write_text(p, "");
        ASSERT_EQ(::chown(p.c_str(), 65534, 65534), 0);
        test_registry_.use_file(p);
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_READ, &key),
                  static_cast<LONG>(ERROR_REGISTRY_IO_FAILED));
        EXPECT_NE(win32::registry_failure().find("belongs to another user"), std::string::npos)
            << win32::registry_failure();
    }
    // A good registry again: nothing to report.
    const auto good = dir / "good" / "registry.txt";
    write_text(good, "");
    test_registry_.use_file(good);
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_READ, &key);
    EXPECT_EQ(win32::registry_failure(), "");
}

// As an unprivileged user (nobody, in a process of its own): a registry of the user's own and
// one of root's are read; one of a third user's is refused, even though the user may read it.
TEST_F(RegistryLocationTest, AsAUserOnlyTheirOwnOrRootsRegistryIsRead)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "runs as a user from a root run";
    const auto dir = test_registry_.dir();
    std::filesystem::permissions(dir, std::filesystem::perms(0755));
    const auto roots = dir / "root.txt";
    const auto daemons = dir / "daemon.txt";
    write_text(roots, "");
    write_text(daemons, "");
    ASSERT_EQ(::chown(daemons.c_str(), 1, 1), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(10);
        char own_folder[] = "/tmp/registry-own.XXXXXX";
        if (::mkdtemp(own_folder) == nullptr)
            ::_exit(11);
        const std::string own = std::string(own_folder) + "/registry.txt";
        std::ofstream(own).flush();
        const auto reads = [](const std::string& path) {
            registry_store store([path] { return registry_location{path, {}}; });
            return store.read([](registry_tree&) { return ok; });
        };
        int status = 0;
        if (reads(own) != ok)
            status |= 1;
        if (reads(roots.string()) != ok)
            status |= 2;
        registry_store theirs([&] { return registry_location{daemons.string(), {}}; });
        if (theirs.read([](registry_tree&) { return ok; }) != static_cast<LONG>(ERROR_REGISTRY_IO_FAILED) ||
            theirs.last_failure().find("belongs to another user") == std::string::npos)
            status |= 4;
        std::filesystem::remove_all(own_folder);
        ::_exit(status);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: own refused, 2: root's refused, 4: a third user's read";
}

} // namespace
