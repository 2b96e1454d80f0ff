#!/bin/bash
# Builds the fuzz targets with clang and libFuzzer (a build tree of their own, everything
# under AddressSanitizer and UndefinedBehaviorSanitizer) and runs each for a bounded time,
# starting from its seed corpus and reproducers, with its dictionary of the format's words.
# Fails when a target crashes, leaks, hangs or finds a broken promise; the input that did it
# is kept in $BUILD/fuzz-artifacts/<target>/ and belongs, once the fault is fixed, in
# tests/fuzz/<target>/reproducers/.
#
# OSTREL_FUZZ_BUILD_DIR: the build tree (default build-fuzz). OSTREL_FUZZ_SECONDS: the time per
# target (default 30). Extra arguments go to every fuzzer (for example -jobs=4).
set -euo pipefail
cd "$(dirname "$0")/../.."
SOURCE=$PWD
BUILD=$(realpath -m "${OSTREL_FUZZ_BUILD_DIR:-build-fuzz}")
SECONDS_PER_TARGET=${OSTREL_FUZZ_SECONDS:-30}
[[ $SECONDS_PER_TARGET =~ ^[1-9][0-9]*$ ]] || { echo "run_fuzzers.sh: OSTREL_FUZZ_SECONDS must be a positive number" >&2; exit 1; }

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	-DCMAKE_CXX_COMPILER=clang++ -DOSTREL_FUZZ=ON -DOSTREL_BUILD_BENCH=OFF -DOSTREL_REGISTER_ON_BUILD=OFF
cmake --build "$BUILD" --target ostrel_fuzzers

# Leaks of system libraries that are not ours (tests/fuzz/lsan.supp) do not fail a target.
export LSAN_OPTIONS="suppressions=$SOURCE/tests/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

failed=()
for source in tests/fuzz/*/*_fuzz.cpp; do
	name=$(basename "$(dirname "$source")")
	# What the fuzzer adds to the corpus stays in the build tree; the seeds are only read.
	corpus=$BUILD/fuzz-corpus/$name
	artifacts=$BUILD/fuzz-artifacts/$name
	mkdir -p "$corpus" "$artifacts"
	inputs=("$SOURCE/tests/fuzz/$name/corpus")
	[ -d "$SOURCE/tests/fuzz/$name/reproducers" ] && inputs+=("$SOURCE/tests/fuzz/$name/reproducers")
	options=()
	[ -f "$SOURCE/tests/fuzz/$name/$name.dict" ] && options+=("-dict=$SOURCE/tests/fuzz/$name/$name.dict")
	echo "run_fuzzers.sh: fuzz_$name for ${SECONDS_PER_TARGET} s"
	# In the artifacts folder, where -jobs puts its fuzz-<n>.log files.
	if ! (cd "$artifacts" && "$BUILD/bin/fuzz_$name" -max_total_time="$SECONDS_PER_TARGET" -timeout=5 \
		-rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 -artifact_prefix="$artifacts/" "${options[@]}" "$@" \
		"$corpus" "${inputs[@]}"); then
		failed+=("$name")
	fi
done
if [ ${#failed[@]} -ne 0 ]; then
	echo "run_fuzzers.sh: failed: ${failed[*]} (inputs in $BUILD/fuzz-artifacts/)" >&2
	exit 1
fi
echo "run_fuzzers.sh: every fuzz target ran ${SECONDS_PER_TARGET} s without a failure"
