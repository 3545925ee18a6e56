#!/usr/bin/env bash
# Builds HARUKAZE and starts it. Without a display (a server, a container) it starts under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
extra=()
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    extra=(xvfb xauth)
fi
"$root/scripts/install-deps.sh" "${extra[@]}"
BUILD_TESTS=OFF "$root/scripts/build.sh" -DHARUKAZE_BUILD_TESTS=OFF -DHARUKAZE_BUILD_BENCH=OFF
program="${BUILD_DIR:-$root/build/run}/bin/harukaze"
if ((${#extra[@]})); then
    echo "No display found: starting HARUKAZE under Xvfb (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi
exec "$program"
