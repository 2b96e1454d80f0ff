#pragma once
// The probe module registered into a temporary registry file: each test starts with the
// module's classes registered, as the build registers a real module, and may unregister them.

#include "platform/win32/win_types.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class ProbeModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ostrel-forms-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        setenv("OSTREL_REGISTRY", (dir_ / "registry.txt").c_str(), 1);
        module_ = dlopen(OSTREL_PROBE_CONTROL_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
        auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(module_, "DllRegisterServer"));
        ASSERT_NE(reg, nullptr);
        ASSERT_EQ(reg(), 0);
    }
    void TearDown() override
    {
        unsetenv("OSTREL_REGISTRY");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string registry_text() const
    {
        std::ifstream in(dir_ / "registry.txt");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    HRESULT unregister() const
    {
        return reinterpret_cast<HRESULT (*)()>(dlsym(module_, "DllUnregisterServer"))();
    }

    std::filesystem::path dir_;
    void* module_ = nullptr;
};
