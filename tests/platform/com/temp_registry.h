#pragma once
// A registry file of the test's own, removed afterwards.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

class temp_registry {
public:
    temp_registry()
    {
        char pattern[] = "/tmp/com-registry-XXXXXX";
        const char* dir = ::mkdtemp(pattern);
        m_dir = dir != nullptr ? dir : "/tmp";
        m_file = m_dir + "/registry.txt";
        ::setenv("OSTREL_REGISTRY", m_file.c_str(), 1);
    }
    ~temp_registry()
    {
        ::unsetenv("OSTREL_REGISTRY");
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }
    temp_registry(const temp_registry&) = delete;
    temp_registry& operator=(const temp_registry&) = delete;

private:
    std::string m_dir;
    std::string m_file;
};
