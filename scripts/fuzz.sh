#!/usr/bin/env bash
# Builds the plan fuzzer with clang (AddressSanitizer + UndefinedBehaviorSanitizer + libFuzzer) in
# build-fuzz/ and runs it for a bounded time, its corpus seeded from the tests' plan files.
# Exits non-zero when the fuzzer finds a crash. FUZZ_SECONDS sets the time (default 60).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${FUZZ_BUILD_DIR:-$root/build/fuzz}"
seconds="${FUZZ_SECONDS:-60}"

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DHARUKAZE_FUZZ=ON -DHARUKAZE_SANITIZE=ON -DHARUKAZE_BUILD_GUI=OFF -DHARUKAZE_BUILD_TESTS=ON \
    -DHARUKAZE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --parallel "$(nproc)" --target FuzzPlanTable

# The fuzzer adds what it finds to a working corpus; the seeds stay untouched in the tests' data.
corpus="$build_dir/fuzz-corpus"
mkdir -p "$corpus"
find "$root/tests" -type f \( -iname '*.hrz' \) -exec cp -f {} "$corpus/" \;
artifacts="$build_dir/fuzz-artifacts"
mkdir -p "$artifacts"

echo "Fuzzing the plan reader and table builder for ${seconds} s"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build_dir/bin/FuzzPlanTable" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus"
