#!/usr/bin/env bash
# Regenerates the program's icons from packaging/icons/quillon.svg: PNGs of
# 16, 32, 48 and 256 pixels and the Windows icon with all four. The results
# are committed, so a build needs no image tools.
set -euo pipefail
source "$(dirname "$0")/common.sh"
install_packages librsvg2-bin icoutils

icons="$QUILLON_ROOT/packaging/icons"
for size in 16 32 48 256; do
    rsvg-convert -w "$size" -h "$size" "$icons/quillon.svg" -o "$icons/quillon-$size.png"
done
icotool --create --output="$icons/quillon.ico" \
    "$icons/quillon-16.png" "$icons/quillon-32.png" "$icons/quillon-48.png" --raw="$icons/quillon-256.png"
echo "icons written to $icons"
