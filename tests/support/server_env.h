#pragma once
// What the tests know of the servers that tests/fixtures/run_with_servers.sh started: the
// Samba AD domain controller's settings come as SAMBA_DC_* variables (its STATE/env), the
// counts of its populated fixture from $SAMBA_DC_STATE/fixture.env (FIXTURE_*, COUNT_*).
// Run outside that script, the server tests skip; with OSTREL_REQUIRE_SERVERS=1 (set by the
// script) a missing server fails them instead, so CI can never pass by skipping.

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace ostrel::test {

// The value of an environment variable, or nullopt when it is unset or empty.
std::optional<std::string> env(const char* name);

// KEY=VALUE lines of a shell file (quotes around values removed, comments skipped).
std::map<std::string, std::string> read_shell_vars(const std::string& path);

// The Samba DC's fixture counts (FIXTURE_*, COUNT_*), empty when there is no DC.
const std::map<std::string, std::string>& dc_fixture();

// One count of the DC's fixture as a number; fails the test when it is missing.
int dc_count(const std::string& key);

// Whether missing servers must fail rather than skip.
bool servers_required();

} // namespace ostrel::test

// Skips (or, under OSTREL_REQUIRE_SERVERS=1, fails) the current test when the Samba DC is not
// running for this test run.
#define OSTREL_REQUIRE_SAMBA_DC()                                                                                      \
    do {                                                                                                               \
        if (!::ostrel::test::env("SAMBA_DC_STATE")) {                                                                  \
            if (::ostrel::test::servers_required())                                                                    \
                FAIL() << "the Samba DC fixture is not running (SAMBA_DC_STATE unset)";                                \
            GTEST_SKIP() << "no Samba DC: run through tests/fixtures/run_with_servers.sh";                             \
        }                                                                                                              \
    } while (0)
