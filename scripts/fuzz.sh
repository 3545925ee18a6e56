#!/usr/bin/env bash
# Builds the fuzzers with clang (AddressSanitizer + UndefinedBehaviorSanitizer + libFuzzer) in
# build/fuzz/ and runs each for its share of a bounded time, corpora seeded from the tests' plan
# files. Exits non-zero when a fuzzer finds a crash.
#   FUZZ_SECONDS  the whole time (default 200): the plan reader 40 %, the save, the PDF and workbook
#                 writers and the hand-over message 20 % each
#   FUZZ_TARGETS  which to run (default: all four)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${FUZZ_BUILD_DIR:-$root/build/fuzz}"
seconds="${FUZZ_SECONDS:-200}"
targets="${FUZZ_TARGETS:-FuzzPlanTable FuzzSave FuzzExport FuzzHandOver}"

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev

# The GUI is configured for Qt, but only the fuzzers and what they link are built.
CC=clang CXX=clang++ cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DHARUKAZE_FUZZ=ON -DHARUKAZE_SANITIZE=ON -DHARUKAZE_BUILD_GUI=ON -DHARUKAZE_BUILD_TESTS=ON \
    -DHARUKAZE_BUILD_BENCH=OFF >/dev/null
# shellcheck disable=SC2086
cmake --build "$build_dir" --parallel "$(nproc)" --target $targets

# Each fuzzer adds what it finds to a working corpus; the seeds stay untouched in the tests' data.
artifacts="$build_dir/fuzz-artifacts"
mkdir -p "$artifacts"
seed() {
    local corpus="$build_dir/fuzz-corpus/$1"
    mkdir -p "$corpus"
    case "$1" in
        FuzzHandOver)
            printf 'HARUKAZE-OPEN\n\0\0\0\x0f/home/a/plan.HRZ' >"$corpus/request"
            printf 'HARUKAZE-OPEN\n\0\0\0\x05a.HRZ' >"$corpus/relative"
            ;;
        *) find "$root/tests" -type f -iname '*.hrz' -exec cp -f {} "$corpus/" \; ;;
    esac
    echo "$corpus"
}

for target in $targets; do
    case "$target" in
        FuzzPlanTable) share=$((seconds * 2 / 5)) ;;
        *) share=$((seconds / 5)) ;;
    esac
    corpus="$(seed "$target")"
    echo "== $target for ${share} s =="
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build_dir/bin/$target" -max_total_time="$share" -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$target-" "$corpus"
done
