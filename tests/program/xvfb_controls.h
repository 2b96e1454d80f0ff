#pragma once
// The control library registered, through ostrel-regsvr, into the registry of a program run
// on an X display of its own. The including test defines OSTREL_REGSVR and
// OSTREL_CONTROLS_MODULE.

#include "tests/program/headless_process.h"

#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace program_test {

inline void register_controls(headless_process& ostrel)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OSTREL_REGISTRY"), ostrel.path(QStringLiteral("registry.txt")));
    const auto controls = run_program(QStringLiteral(OSTREL_REGSVR), {QStringLiteral(OSTREL_CONTROLS_MODULE)}, env, 60000);
    ASSERT_EQ(controls.exit_code, 0) << controls.err.toStdString();
}

} // namespace program_test
