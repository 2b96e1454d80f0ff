#!/bin/bash
# Builds the project and runs every test, with the test directory servers (OpenLDAP slapd
# and a Samba AD domain controller) started on 127.0.0.1 for the run and stopped after it.
# Extra arguments go to ctest (for example: -L unit).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${OSTREL_BUILD_DIR:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD"
exec tests/fixtures/run_with_servers.sh ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)" "$@"
