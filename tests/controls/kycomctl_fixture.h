#pragma once
// The host of the control library's tests: a temporary registry of the case's own in which the
// library is registered (so the form loader finds its classes by ProgID), and a test host form
// in run mode with the recording message box.
//
// The library is registered once per test binary, into a registry that lives only for that
// registration; each case's registry starts as a copy of the file it left. So every case
// begins with exactly the registration, in a folder of its own, whatever an earlier case
// changed (unregistered the library, wrote keys of its own, left files in its folder).

#include "platform/win32/win_errors.h"
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
        const registration& registered = registered_once();
        ASSERT_EQ(registered.result, S_OK) << "registering the library once for the test binary";
        test_registry_.write(registered.file);
        host_ = std::make_unique<forms::TestHost>(true);
    }
    void TearDown() override { host_.reset(); }

    forms::TestHost& host() { return *host_; }
    std::vector<forms::RecordingMessageBox::Box>& boxes() { return host_->messages().boxes; }

    // Where a test leaves a file for a person to look at.
    static std::filesystem::path artefacts_dir() { return forms::artefacts_dir(); }

    ostrel::test::temp_registry test_registry_;

private:
    struct registration {
        HRESULT result = E_UNEXPECTED;
        std::string file; // the registry file's bytes once the library is registered
    };
    // The first call registers the library into a registry of its own for the time of the
    // registration (OSTREL_REGISTRY is then the case's again).
    static const registration& registered_once()
    {
        static const registration once = [] {
            registration r;
            ostrel::test::temp_registry fresh;
            r.result = DllRegisterServer();
            r.file = fresh.text();
            return r;
        }();
        return once;
    }

    std::unique_ptr<forms::TestHost> host_;
};
