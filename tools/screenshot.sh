#!/usr/bin/env bash
# Makes packaging/screenshot.png: Quillon under a private Xvfb, on a desktop
# whose UI font is DejaVu Sans at 11 points (as GNOME asks for, through Qt's
# GTK platform theme), after a calculation of STPD S14M at 40 teeth. Needs a
# build in build/ (tools/run.sh or tools/test.sh).
source "$(dirname "$0")/common.sh"
install_packages xvfb x11-utils xdotool imagemagick qt6-gtk-platformtheme
root=$QUILLON_ROOT
out=${1:-$root/packaging/screenshot.png}

desktop=$(mktemp -d)
mkdir -p "$desktop/.config/gtk-3.0"
printf '[Settings]\ngtk-font-name=DejaVu Sans 11\n' >"$desktop/.config/gtk-3.0/settings.ini"

Xvfb :97 -screen 0 640x480x24 -nolisten tcp &
xvfb=$!
trap 'kill $quillon $xvfb 2>/dev/null || true; rm -rf "$desktop"' EXIT
export DISPLAY=:97
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

HOME=$desktop XDG_CONFIG_HOME=$desktop/.config QT_QPA_PLATFORMTHEME=gtk3 QT_QPA_PLATFORM=xcb \
    "$QUILLON_BUILD/app/quillon" &
quillon=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillon ')
sleep 0.5
# Combo1's text field at 72,24 (89 x 20 pixels); 计算 at 40,88 (81 x 33).
xdotool mousemove --window "$window" 100 34 click 1
xdotool key --window "$window" ctrl+a
xdotool type --window "$window" "STPD S14M"
xdotool mousemove --window "$window" 80 104 click 1
sleep 0.5
import -window "$window" "$out"
echo "wrote $out"
