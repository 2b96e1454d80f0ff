#pragma once
// The control library linked into the test (its DllRegisterServer) and the collector module
// (through ostrel-regsvr), registered into the test's registry; for tests that run the wizard
// with the real collector. The including test defines OSTREL_REGSVR and
// OSTREL_COLLECTOR_MODULE.

#include "tests/program/headless_process.h"

#include <QProcessEnvironment>

#include <gtest/gtest.h>

extern "C" HRESULT DllRegisterServer();

namespace program_test {

inline void register_controls_and_collector()
{
    ASSERT_EQ(DllRegisterServer(), 0);
    const auto reg = run_program(QStringLiteral(OSTREL_REGSVR), {QStringLiteral(OSTREL_COLLECTOR_MODULE)},
                                 QProcessEnvironment::systemEnvironment(), 60000);
    ASSERT_EQ(reg.exit_code, 0) << reg.err.toStdString();
}

} // namespace program_test
