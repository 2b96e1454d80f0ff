#!/bin/bash
# The README's first command: installs the packages, builds and registers the modules,
# starts a small sample directory (the test fixture's Samba AD domain controller, populated)
# on 127.0.0.1, runs the headless count against it, prints the report and stops the
# directory again.
#
# OSTREL_BUILD_DIR   build folder (build)
# OSTREL_DC_USERS    users of the sample directory (100)
# OSTREL_DC_STATE    use a DC that already runs, populated, from this state folder (for
#                    example a developer's /tmp/devdc) instead of starting one; it keeps running
# OSTREL_REPORT      where the report is written (BUILD/sample-report.txt)
# Needs root (packages, and the domain controller runs in namespaces of its own).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${OSTREL_BUILD_DIR:-build}
REPORT=${OSTREL_REPORT:-$ROOT/$BUILD/sample-report.txt}
export OSTREL_DC_USERS=${OSTREL_DC_USERS:-100}

note() { echo "setup_and_run: $*" >&2; }

scripts/install_packages.sh

note "building"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" --target Ostrel OstrelCollector ostrel-regsvr
# The build registers each module into the build tree's own registry, beside the programs,
# as it builds it; registering again here keeps that registry right when the modules were
# already up to date. The per-user registry is left alone. The program of a build tree reads
# bin/build-registry.txt by itself; naming it explicitly serves older builds of the runtime too.
export OSTREL_REGISTRY="$ROOT/$BUILD/bin/build-registry.txt"
"$BUILD/bin/ostrel-regsvr" "$BUILD/bin/libOstrelCollector.so"

rm -f -- "$REPORT"
note "counting the sample directory"
# Inside the DC's client environment: its name resolves on loopback only. The entry names
# the DC with the administrator's credentials; the report shows it without the password.
OSTREL_BIN="$ROOT/$BUILD/bin/Ostrel" OSTREL_REPORT="$REPORT" \
	tests/fixtures/run_with_servers.sh bash -c '
		set -euo pipefail
		"$OSTREL_BIN" "/domain:$SAMBA_DC_FQDN/$SAMBA_DC_ADMIN_BINDDN/$SAMBA_DC_ADMIN_PASSWORD" "/out:$OSTREL_REPORT"
	'

note "report written to $REPORT"
cat -- "$REPORT"
