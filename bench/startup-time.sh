#!/usr/bin/env bash
# Start-up time of the program: from the start of the process to the first frame of its main
# window, against a bare Qt window (BareWindow) as the yardstick, on a display of Xvfb. The two are
# started in turn, RUNS times each, and the medians of the wall-clock time and of the processor time
# are compared; the program ends itself after its first frame (HARUKAZE_EXIT_AFTER_FIRST_FRAME) and
# starts without the demo from a fresh settings folder.
#
#   bench/startup-time.sh [BUILD_DIR]      (default build/test; RUNS=30 by default)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/test}"
runs="${RUNS:-30}"
program="$build/bin/harukaze"
bare="$build/bin/BareWindow"
for file in "$program" "$bare"; do
    [[ -x $file ]] || { echo "missing: $file (build with -DHARUKAZE_BUILD_BENCH=ON)" >&2; exit 1; }
done

if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings" XDG_RUNTIME_DIR="$settings" QT_QPA_PLATFORM=xcb
mkdir -p "$settings/HARUKAZE"
printf '[DEMO]\nVIEW=0\n' >"$settings/HARUKAZE/HARUKAZE.ini"

# "wall cpu": milliseconds from the start of `$@` to its end, and the processor time it took (user
# and system). On a busy machine the processor time is the steadier of the two.
measure() {
    local TIMEFORMAT='%R %U %S' times
    times=$({ time "$@" >/dev/null 2>&1; } 2>&1 || true)
    awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }' <<<"$times"
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One start of each first, not counted: the files come into the page cache.
measure "$bare" >/dev/null
HARUKAZE_EXIT_AFTER_FIRST_FRAME=1 measure "$program" >/dev/null
bare_wall=()
bare_cpu=()
program_wall=()
program_cpu=()
for ((i = 0; i < runs; ++i)); do
    read -r wall cpu < <(measure "$bare")
    bare_wall+=("$wall")
    bare_cpu+=("$cpu")
    read -r wall cpu < <(HARUKAZE_EXIT_AFTER_FIRST_FRAME=1 measure "$program")
    program_wall+=("$wall")
    program_cpu+=("$cpu")
done
report() {
    local name=$1 bare_median program_median
    shift
    bare_median=$(printf '%s\n' "${@:1:runs}" | median)
    program_median=$(printf '%s\n' "${@:runs+1}" | median)
    awk -v n="$name" -v p="$program_median" -v b="$bare_median" -v r="$runs" \
        'BEGIN { printf "%-15s bare Qt window %6.1f ms, harukaze %6.1f ms, ratio %.2f (medians of %d)\n", n, b, p, p / b, r }'
}
report "wall clock:" "${bare_wall[@]}" "${program_wall[@]}"
report "processor time:" "${bare_cpu[@]}" "${program_cpu[@]}"
