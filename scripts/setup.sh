#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, only those missing.
set -euo pipefail
packages=(
    cmake g++ make ccache pkg-config
    qt6-base-dev qt6-multimedia-dev libgl-dev
    pulseaudio pulseaudio-utils
    libgtest-dev libgmock-dev libbenchmark-dev libgif-dev
    libx11-dev libxcb1-dev xvfb xdotool imagemagick x11-utils openbox
    qt6-base-private-dev orca at-spi2-core python3-pyatspi dbus
    desktop-file-utils appstream dpkg-dev fakeroot file lintian
    clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
