#!/bin/bash
# Builds the project and runs every test, with a Samba AD domain controller started on
# 127.0.0.1 for the run and stopped after it (tests/fixtures/run_with_servers.sh; the slapd of
# the LDAP tests is a CTest fixture, started once for the tests that need it). Extra arguments go to ctest (for example: -L unit,
# -R CountUsers). Needs root.
#
# OSTREL_BUILD_DIR: the build directory (default build). OSTREL_JOBS: parallel build jobs
# and tests (default: the number of cores). OSTREL_DC_STATE=DIR: use the DC already running
# from DIR instead of starting one (see docs/testing.md).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${OSTREL_BUILD_DIR:-build}
JOBS=${OSTREL_JOBS:-$(nproc)}
[[ $JOBS =~ ^[1-9][0-9]*$ ]] || { echo "run_tests.sh: OSTREL_JOBS must be a positive number, got '$JOBS'" >&2; exit 1; }
# Qt tests draw offscreen unless QT_QPA_PLATFORM names another platform.
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" -j "$JOBS"
exec tests/fixtures/run_with_servers.sh ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS" "$@"
