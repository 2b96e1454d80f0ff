#include "platform/win32/registry.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

struct run_result {
    int status = -1;
    std::string output; // stdout and stderr
};

std::string quoted(const std::string& s)
{
    std::string out = "'";
    for (const char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

class RegsvrTest : public ::testing::Test {
protected:
    static run_result run(const std::string& args)
    {
        run_result r;
        const std::string command = quoted(OSTREL_REGSVR) + " " + args + " 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr)
            return r;
        std::array<char, 512> buf{};
        while (fgets(buf.data(), buf.size(), pipe))
            r.output += buf.data();
        const int status = pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return r;
    }

    // The default value of the test module's key, or nullopt when the key is missing.
    static std::optional<std::string> registered_path()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Ostrel.RegsvrTest", 0, KEY_READ, &key) != 0)
            return std::nullopt;
        WCHAR buffer[4096];
        DWORD size = sizeof buffer;
        const LONG rc = RegQueryValueExW(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        if (rc != 0)
            return std::string("<no default value>");
        return win32::utf16_to_utf8(std::u16string(buffer, size / 2 - 1));
    }

    ostrel::test::temp_registry test_registry_;
};

TEST_F(RegsvrTest, RegistersAndUnregistersAModule)
{
    const run_result reg = run(quoted(OSTREL_TEST_MODULE));
    EXPECT_EQ(reg.status, 0) << reg.output;
    const auto path = registered_path();
    ASSERT_TRUE(path.has_value()) << reg.output;
    EXPECT_EQ(std::filesystem::canonical(*path), std::filesystem::canonical(OSTREL_TEST_MODULE));

    const run_result unreg = run("-u " + quoted(OSTREL_TEST_MODULE));
    EXPECT_EQ(unreg.status, 0) << unreg.output;
    EXPECT_FALSE(registered_path().has_value());
}

TEST_F(RegsvrTest, RelativePathNamesTheFileNotALibrarySearch)
{
    const std::filesystem::path module(OSTREL_TEST_MODULE);
    const std::string command = "cd " + quoted(module.parent_path().string()) + " && " + quoted(OSTREL_REGSVR) + " " +
                                quoted(module.filename().string()) + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(registered_path().has_value());
}

TEST_F(RegsvrTest, FailuresAreReportedAndExitNonZero)
{
    const std::string not_a_module = (test_registry_.dir() / "not-a-module.so").string();
    std::ofstream(not_a_module) << "plain text\n";
    const std::string fifo = (test_registry_.dir() / "module-fifo.so").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        const char* label;
        std::string args;
        std::vector<std::string> expected;
    } cases[] = {
        {"missing file", quoted((test_registry_.dir() / "missing.so").string()), {"error: cannot load", "missing.so"}},
        {"not a shared object", quoted(not_a_module), {"error: cannot load", "not-a-module.so"}},
        {"a FIFO", quoted(fifo), {"error: cannot load", "module-fifo.so: not a regular file"}},
        {"no entry point", quoted(OSTREL_NO_ENTRY_MODULE), {"has no entry point DllRegisterServer"}},
        {"no unregistration entry point",
         "-u " + quoted(OSTREL_NO_ENTRY_MODULE),
         {"has no entry point DllUnregisterServer"}},
        {"failing HRESULT",
         quoted(OSTREL_FAILING_MODULE),
         {"DllRegisterServer in ", "failed with 0x80040151 (Could not write key to registry)"}},
    };
    for (const auto& c : cases) {
        const run_result r = run(c.args);
        EXPECT_EQ(r.status, 1) << c.label << ": " << r.output;
        for (const auto& text : c.expected)
            EXPECT_NE(r.output.find(text), std::string::npos) << c.label << ": " << r.output;
    }
}

TEST_F(RegsvrTest, OneFailingModuleDoesNotStopTheOthers)
{
    const run_result r = run(quoted(OSTREL_FAILING_MODULE) + " " + quoted(OSTREL_TEST_MODULE));
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_TRUE(registered_path().has_value()) << r.output;
}

std::string file_text(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The tool copied into a layout of its own, run without OSTREL_REGISTRY: in a build tree it
// writes the build registry beside it; installed, the per-user registry and never the system's.
TEST_F(RegsvrTest, WritesTheRegistryTheLocationResolvesTo)
{
    const auto build_bin = test_registry_.dir() / "build" / "bin";
    const auto prefix_bin = test_registry_.dir() / "prefix" / "bin";
    const auto system_registry = test_registry_.dir() / "prefix" / "lib" / "ostrel" / "registry.txt";
    const auto user_registry = test_registry_.dir() / "config" / "ostrel" / "registry.txt";
    for (const auto& bin : {build_bin, prefix_bin}) {
        std::filesystem::create_directories(bin);
        std::filesystem::copy_file(OSTREL_REGSVR, bin / "ostrel-regsvr");
        // The tool finds its library through its run path, $ORIGIN/../lib/ostrel.
        const auto libraries = bin.parent_path() / "lib" / "ostrel";
        std::filesystem::create_directories(libraries);
        std::filesystem::create_symlink(std::filesystem::path(OSTREL_REGSVR).parent_path() / "libplatform_win32.so",
                                        libraries / "libplatform_win32.so");
    }
    std::ofstream(build_bin / "build-registry.txt").flush();
    std::filesystem::create_directories(system_registry.parent_path());
    std::ofstream(system_registry) << "[HKEY_CLASSES_ROOT\\Ostrel.System]\n@ = sz \"installed\"\n";
    const std::string system_text = file_text(system_registry);

    const auto run_copy = [&](const std::filesystem::path& bin, const std::string& option = {}) {
        const std::string command = "env -u OSTREL_REGISTRY XDG_CONFIG_HOME=" +
                                    quoted((test_registry_.dir() / "config").string()) + " " +
                                    quoted((bin / "ostrel-regsvr").string()) + " " + option +
                                    quoted(OSTREL_TEST_MODULE) + " >/dev/null 2>&1";
        return std::system(command.c_str());
    };
    ASSERT_EQ(run_copy(build_bin), 0);
    EXPECT_NE(file_text(build_bin / "build-registry.txt").find("Ostrel.RegsvrTest"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(user_registry));

    ASSERT_EQ(run_copy(prefix_bin), 0);
    const std::string user_text = file_text(user_registry);
    EXPECT_NE(user_text.find("Ostrel.RegsvrTest"), std::string::npos) << user_text;
    EXPECT_EQ(user_text.find("Ostrel.System"), std::string::npos) << user_text;
    EXPECT_EQ(file_text(system_registry), system_text);
    EXPECT_FALSE(std::filesystem::exists(test_registry_.file()));

    // Unregistering by hand takes back what the user's file holds; the system's stays.
    ASSERT_EQ(run_copy(prefix_bin, "-u "), 0);
    EXPECT_EQ(file_text(user_registry).find("Ostrel.RegsvrTest"), std::string::npos);
    EXPECT_EQ(file_text(system_registry), system_text);
}

TEST_F(RegsvrTest, UsageErrors)
{
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("-x " + quoted(OSTREL_TEST_MODULE)).status, 2);
    EXPECT_FALSE(registered_path().has_value());
}

} // namespace
