// The one temporary-registry fixture of the tests: its own directory and file for its life,
// the environment as it was afterwards, and no fall-back to a shared folder when no directory
// can be made.

#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;
using ostrel::test::temp_registry;

std::optional<std::string> env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// Sets an environment variable for one scope and puts the old value back.
class scoped_env {
public:
    scoped_env(const char* name, const std::string& value) : name_(name), old_(env(name))
    {
        ::setenv(name, value.c_str(), 1);
    }
    ~scoped_env()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(TempRegistry, NamesAFileInAFreshDirectoryAndRemovesOnlyThatDirectory)
{
    const scoped_env outer("OSTREL_REGISTRY", "/nonexistent/outer-registry.txt");
    fs::path dir;
    {
        temp_registry registry;
        dir = registry.dir();
        EXPECT_TRUE(fs::is_directory(dir));
        EXPECT_TRUE(fs::is_empty(dir));
        EXPECT_EQ(registry.file(), dir / "registry.txt");
        EXPECT_EQ(env("OSTREL_REGISTRY"), registry.file().string());

        registry.write("bytes\n");
        EXPECT_EQ(registry.text(), "bytes\n");
        registry.use_file(dir / "copy.txt");
        EXPECT_EQ(env("OSTREL_REGISTRY"), (dir / "copy.txt").string());
        EXPECT_EQ(registry.text(), "");

        temp_registry other;
        EXPECT_NE(other.dir(), dir);
    }
    EXPECT_FALSE(fs::exists(dir));
    EXPECT_EQ(env("OSTREL_REGISTRY"), "/nonexistent/outer-registry.txt");
}

TEST(TempRegistry, UnsetVariableIsUnsetAgainAfterwards)
{
    const auto old = env("OSTREL_REGISTRY");
    ::unsetenv("OSTREL_REGISTRY");
    {
        temp_registry registry;
    }
    EXPECT_EQ(env("OSTREL_REGISTRY"), std::nullopt);
    if (old)
        ::setenv("OSTREL_REGISTRY", old->c_str(), 1);
}

// Where no directory can be made the fixture throws (so the test fails), leaves the variable
// alone and removes nothing: neither the would-be parent nor anything beside it.
TEST(TempRegistry, NoDirectoryFailsAndRemovesNothing)
{
    temp_registry holder; // a folder of our own to aim at
    const fs::path keep = holder.dir() / "keep.txt";
    std::ofstream(keep) << "kept";
    const fs::path not_a_folder = holder.dir() / "plain-file";
    std::ofstream(not_a_folder) << "not a folder";
    const auto registry_before = env("OSTREL_REGISTRY");

    for (const fs::path& tmpdir : {not_a_folder, holder.dir() / "missing"}) {
        SCOPED_TRACE(tmpdir.string());
        const scoped_env tmp("TMPDIR", tmpdir.string());
        EXPECT_THROW(temp_registry{}, std::runtime_error) << tmpdir;
        EXPECT_EQ(env("OSTREL_REGISTRY"), registry_before);
        EXPECT_TRUE(fs::exists(keep));
        EXPECT_TRUE(fs::exists(not_a_folder));
    }
}

} // namespace
