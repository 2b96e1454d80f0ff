#include "platform/win32/registry.h"
#include "platform/win32/text.h"
#include "platform/win32/win_errors.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <optional>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

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
    const std::string command =
        "cd " + quoted(module.parent_path().string()) + " && " + quoted(OSTREL_REGSVR) + " " +
        quoted(module.filename().string()) + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(registered_path().has_value());
}

TEST_F(RegsvrTest, FailuresAreReportedAndExitNonZero)
{
    const std::string not_a_module = (test_registry_.dir() / "not-a-module.so").string();
    std::ofstream(not_a_module) << "plain text\n";
    const struct {
        const char* label;
        std::string args;
        std::vector<std::string> expected;
    } cases[] = {
        {"missing file", quoted((test_registry_.dir() / "missing.so").string()), {"error: cannot load", "missing.so"}},
        {"not a shared object", quoted(not_a_module), {"error: cannot load", "not-a-module.so"}},
        {"no entry point", quoted(OSTREL_NO_ENTRY_MODULE), {"has no entry point DllRegisterServer"}},
        {"no unregistration entry point", "-u " + quoted(OSTREL_NO_ENTRY_MODULE),
         {"has no entry point DllUnregisterServer"}},
        {"failing HRESULT", quoted(OSTREL_FAILING_MODULE),
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

TEST_F(RegsvrTest, UsageErrors)
{
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("-x " + quoted(OSTREL_TEST_MODULE)).status, 2);
    EXPECT_FALSE(registered_path().has_value());
}

} // namespace
