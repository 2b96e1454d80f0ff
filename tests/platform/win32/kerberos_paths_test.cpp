// The paths of KRB5CCNAME and KRB5_CONFIG are checked before libkrb5 opens them: a FIFO would
// hang it, a device never end.
#include "platform/win32/kerberos_paths.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct kerberos_case {
    const char* what;
    const char* variable;
    std::string value; // "@" stands for the test's folder
    std::string named; // the path the problem names; empty when there is none
};

class KerberosPaths : public ::testing::TestWithParam<kerberos_case> {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "krb5-paths.XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        ASSERT_EQ(::mkfifo((folder + "/fifo").c_str(), 0600), 0);
        std::ofstream(folder + "/file") << "[libdefaults]\n";
        ::unsetenv("KRB5CCNAME");
        ::unsetenv("KRB5_CONFIG");
    }
    void TearDown() override
    {
        ::unsetenv("KRB5CCNAME");
        ::unsetenv("KRB5_CONFIG");
        fs::remove_all(folder);
    }
    std::string in_folder(std::string text) const
    {
        for (std::size_t at; (at = text.find('@')) != std::string::npos;)
            text.replace(at, 1, folder);
        return text;
    }
    std::string folder;
};

TEST_P(KerberosPaths, OnlyRegularFilesAreHandedOn)
{
    const kerberos_case& c = GetParam();
    ::setenv(c.variable, in_folder(c.value).c_str(), 1);
    const std::string problem = win32::kerberos_environment_problem();
    if (c.named.empty()) {
        EXPECT_EQ(problem, "");
    } else {
        EXPECT_NE(problem.find(c.variable), std::string::npos) << problem;
        EXPECT_NE(problem.find("\"" + in_folder(c.named) + "\""), std::string::npos) << problem;
        EXPECT_NE(problem.find("not a regular file"), std::string::npos) << problem;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KerberosPaths,
    ::testing::Values(kerberos_case{"cache FILE: FIFO", "KRB5CCNAME", "FILE:@/fifo", "@/fifo"},
                      kerberos_case{"cache bare FIFO", "KRB5CCNAME", "@/fifo", "@/fifo"},
                      kerberos_case{"cache device", "KRB5CCNAME", "FILE:/dev/zero", "/dev/zero"},
                      kerberos_case{"cache regular file", "KRB5CCNAME", "FILE:@/file", ""},
                      kerberos_case{"cache not there yet", "KRB5CCNAME", "FILE:@/none", ""},
                      kerberos_case{"cache of another type", "KRB5CCNAME", "KEYRING:persistent:0", ""},
                      kerberos_case{"config FIFO", "KRB5_CONFIG", "@/fifo", "@/fifo"},
                      kerberos_case{"config FIFO second in the list", "KRB5_CONFIG", "@/file:@/fifo", "@/fifo"},
                      kerberos_case{"config device", "KRB5_CONFIG", "/dev/zero", "/dev/zero"},
                      kerberos_case{"config regular file and folder", "KRB5_CONFIG", "@/file:@", ""}),
    [](const ::testing::TestParamInfo<kerberos_case>& info) {
        std::string name;
        for (const char ch : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

} // namespace
