#!/usr/bin/env bash
# Builds HARUKAZE with its tests and runs every test with CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/install-deps.sh"
build_dir="${BUILD_DIR:-$root/build/test}"
BUILD_DIR="$build_dir" "$root/scripts/build.sh" -DHARUKAZE_BUILD_TESTS=ON -DHARUKAZE_BUILD_BENCH=ON -DHARUKAZE_WERROR=ON
ctest --test-dir "$build_dir" --output-on-failure --timeout 600
