#pragma once
// The probe module registered into a temporary registry file: each test starts with the
// module's classes registered, as the build registers a real module, and may unregister them.

#include "platform/win32/win_types.h"
#include "tests/support/temp_registry.h"

#include <dlfcn.h>

#include <gtest/gtest.h>

#include <string>

class ProbeModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = dlopen(OSTREL_PROBE_CONTROL_MODULE, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
        auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(module_, "DllRegisterServer"));
        ASSERT_NE(reg, nullptr);
        ASSERT_EQ(reg(), 0);
    }
    std::string registry_text() const { return test_registry_.text(); }
    HRESULT unregister() const { return reinterpret_cast<HRESULT (*)()>(dlsym(module_, "DllUnregisterServer"))(); }

    ostrel::test::temp_registry test_registry_;
    void* module_ = nullptr;
};
