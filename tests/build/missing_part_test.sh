#!/bin/bash
# No part of the build may vanish in silence: configures copies of the source tree, one as it
# is (which must succeed) and one per case with a part taken away (which must fail, naming
# the part). Each copy configures in a folder of its own, all at once.
#
#   missing_part_test.sh SOURCE_DIR BINARY_DIR CMAKE
set -euo pipefail
SOURCE=${1:?usage: missing_part_test.sh SOURCE_DIR BINARY_DIR CMAKE}
BINARY=${2:?}
CMAKE=${3:?}

# Case name, the file taken away (or, for a package, the CMakeLists.txt that asks for one that
# is not there), what the configure error must name.
CASES=(
	"source|platform/com/prog_id.cpp|prog_id.cpp"
	"folder|controls/CMakeLists.txt|/src/controls"
	"package|tests/platform/ads/CMakeLists.txt|OSTREL_TEST_NO_SUCH_PACKAGE"
)

work=$(mktemp -d "${TMPDIR:-/tmp}/ostrel-missing-part.XXXXXX")
trap 'rm -rf -- "$work"' EXIT

# The sources without version control, build trees and this build's own folder.
copy() {
	mkdir -p "$work/$1/src"
	tar -C "$SOURCE" --exclude=./.git --exclude='./build*' --exclude="./$(realpath -m --relative-to="$SOURCE" "$BINARY")" \
		-cf - . | tar -C "$work/$1/src" -xf -
}
configure() {
	"$CMAKE" -S "$work/$1/src" -B "$work/$1/build" -G Ninja -DOSTREL_BUILD_BENCH=OFF >"$work/$1/log" 2>&1
}

copy intact
pids=()
configure intact & pids+=($!)
for case in "${CASES[@]}"; do
	IFS='|' read -r name file _ <<<"$case"
	copy "$name"
	if [ "$name" = package ]; then
		# A package that is not there, asked for as every package is.
		echo 'find_package(OSTREL_TEST_NO_SUCH_PACKAGE REQUIRED)' >>"$work/$name/src/$file"
	else
		rm -- "$work/$name/src/$file"
	fi
	configure "$name" & pids+=($!)
done
status=()
for pid in "${pids[@]}"; do
	rc=0
	wait "$pid" || rc=$?
	status+=("$rc")
done

failed=0
if [ "${status[0]}" != 0 ]; then
	echo "FAIL: the intact tree does not configure:" >&2
	tail -20 "$work/intact/log" >&2
	failed=1
fi
i=1
for case in "${CASES[@]}"; do
	IFS='|' read -r name file named <<<"$case"
	if [ "${status[$i]}" = 0 ]; then
		echo "FAIL ($name): configure succeeded" >&2
		failed=1
	elif ! grep -q "CMake Error" "$work/$name/log" || ! grep -qF "$named" "$work/$name/log"; then
		echo "FAIL ($name): the configure error does not name $named:" >&2
		tail -20 "$work/$name/log" >&2
		failed=1
	else
		echo "ok ($name): configure fails, naming $named"
	fi
	i=$((i + 1))
done
exit "$failed"
