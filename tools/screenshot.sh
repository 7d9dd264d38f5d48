#!/usr/bin/env bash
# Makes packaging/screenshot.png: Quillon under a private Xvfb, after a click
# on 计算 with the initial texts. Needs a build in build/ (tools/run.sh or
# tools/test.sh).
source "$(dirname "$0")/common.sh"
install_packages xvfb x11-utils xdotool imagemagick
root=$QUILLON_ROOT
out=${1:-$root/packaging/screenshot.png}

Xvfb :97 -screen 0 640x480x24 -nolisten tcp &
xvfb=$!
trap 'kill $quillon $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:97
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

QT_QPA_PLATFORM=xcb "$QUILLON_BUILD/app/quillon" &
quillon=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillon ')
sleep 0.5
# 计算 sits at 40,88 with a size of 81 x 33 pixels.
xdotool mousemove --window "$window" 80 104 click 1
sleep 0.5
import -window "$window" "$out"
echo "wrote $out"
