#!/usr/bin/env bash
# Installs the Debian 12 packages HARUKAZE needs to build, test and run, skipping those already
# present. Pass extra package names as arguments. Needs root (or sudo) only when something is missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins libqt6printsupport6
    libxlsxwriter-dev poppler-utils unzip
    # Qt Charts; Debian's package does not pull in the OpenGL development files its CMake files need.
    qt6-charts-dev libqt6opengl6-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    # Exact money arithmetic (Boost.Multiprecision, header-only).
    libboost-dev
    fonts-ipafont-gothic fonts-noto-cjk qt6-translations-l10n
    desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
    # A display for screenshots and the start-up benchmark (bench/startup-time.sh).
    xvfb xauth imagemagick xdotool
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
