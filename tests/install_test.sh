#!/usr/bin/env bash
# Installs the built game into a scratch prefix, checks the desktop files, and
# plays the installed game once.
set -euo pipefail
build=$1
e2e=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
test -x "$prefix/bin/quabe-pro"
test -f "$prefix/share/quabe-pro/Set1/Piece1.gif"
for wave in Bleep Explode Bazooka; do test -f "$prefix/share/quabe-pro/$wave.wav"; done
for size in 32 48 64 128 256; do
    test -f "$prefix/share/icons/hicolor/${size}x${size}/apps/quabe-pro.png"
done
desktop-file-validate "$prefix/share/applications/quabe-pro.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/quabe-pro.metainfo.xml"
QUABE_INSTALLED_PROGRAM="$prefix/bin/quabe-pro" \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$e2e" --gtest_filter='*Installed*'
