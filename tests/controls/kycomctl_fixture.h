#pragma once
// The host of the control library's tests: a temporary registry into which the library is
// registered (so the form loader finds its classes by ProgID), and a test host form in run
// mode with the recording message box.

#include "platform/win32/win_types.h"
#include "tests/support/forms/test_artefacts.h"
#include "tests/support/forms/test_host.h"
#include "tests/support/temp_registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

extern "C" HRESULT DllRegisterServer();

class KyComCtlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DllRegisterServer(), 0);
        host_ = std::make_unique<forms::TestHost>(true);
    }
    void TearDown() override { host_.reset(); }

    forms::TestHost& host() { return *host_; }
    std::vector<forms::RecordingMessageBox::Box>& boxes() { return host_->messages().boxes; }

    // Where a test leaves a file for a person to look at.
    static std::filesystem::path artefacts_dir() { return forms::artefacts_dir(); }

    ostrel::test::temp_registry test_registry_;

private:
    std::unique_ptr<forms::TestHost> host_;
};
