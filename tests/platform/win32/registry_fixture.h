#pragma once
// A temporary registry file for one test: OSTREL_REGISTRY points into a fresh directory that
// is removed afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ostrel-registry-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        use_file(dir_ / "registry.txt");
    }
    void TearDown() override
    {
        unsetenv("OSTREL_REGISTRY");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    void use_file(const std::filesystem::path& path)
    {
        file_ = path;
        setenv("OSTREL_REGISTRY", file_.c_str(), 1);
    }

    std::string file_text() const
    {
        std::ifstream in(file_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    void write_file(const std::string& text) const
    {
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        out << text;
    }

    std::filesystem::path dir_;
    std::filesystem::path file_;
};
