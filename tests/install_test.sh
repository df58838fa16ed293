#!/usr/bin/env bash
# Installs the built game into a scratch prefix, checks the desktop files, plays the
# installed game once, and checks the Debian package with lintian when it is there.
set -euo pipefail
build=$1
e2e=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null
test -x "$prefix/games/quabe-pro"
test -f "$prefix/share/quabe-pro/Set1/Piece1.gif"
for wave in Bleep Explode Bazooka; do test -f "$prefix/share/quabe-pro/$wave.wav"; done
for size in 32 48 64 128 256; do
    test -f "$prefix/share/icons/hicolor/${size}x${size}/apps/quabe-pro.png"
done
desktop-file-validate "$prefix/share/applications/example.quabepro.QuabePro.desktop"
appstreamcli validate-tree --no-net "$prefix"
gzip -t "$prefix/share/man/man6/quabe-pro.6.gz" "$prefix/share/doc/quabe-pro/changelog.gz"
QUABE_INSTALLED_PROGRAM="$prefix/games/quabe-pro" \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$e2e" --gtest_filter='*Installed*'

# The package: no lintian error or warning (notes of lesser weight may stay).
if command -v lintian > /dev/null; then
    (cd "$build" && cpack -B "$scratch/package" > /dev/null)
    lintian --pedantic "$scratch"/package/quabe-pro_*.deb | tee "$scratch/lintian.txt"
    faults=$(grep -c '^[EW]:' "$scratch/lintian.txt" || true)
    echo "lintian: $faults errors and warnings"
    test "$faults" -eq 0
fi
