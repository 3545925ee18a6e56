#!/usr/bin/env bash
# Regenerates data/screenshots/main-window.png: the program as a first start shows it (the opening
# demo with its attention marks), 960 x 640 pixels, on a display of Xvfb, from a fresh settings
# folder. Needs a build (default build/run) and xvfb, xauth and imagemagick (scripts/install-deps.sh).
#
#   scripts/screenshot.sh [BUILD_DIR] [OUT.png]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/run}"
out="${2:-$root/data/screenshots/main-window.png}"
program="$build/bin/harukaze"
[[ -x $program ]] || { echo "missing: $program" >&2; exit 1; }

if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$out"
fi

settings="$(mktemp -d)"
trap 'rm -rf "$settings"; [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null || true' EXIT
export XDG_CONFIG_HOME="$settings" XDG_RUNTIME_DIR="$settings" QT_QPA_PLATFORM=xcb
mkdir -p "$settings/HARUKAZE"
# The window at the top left, 960 x 640 pixels (in twips), the demo shown.
printf '[Settings]\nMainLeft=0\nMainTop=0\nMainWidth=14400\nMainHeight=9600\n[DEMO]\nVIEW=1\n' \
    >"$settings/HARUKAZE/HARUKAZE.ini"
"$program" &
pid=$!
sleep "${WAIT_SECONDS:-6}"
import -window root -crop 960x640+0+0 +repage "$out"
echo "wrote $out"
