#!/usr/bin/env bash
# Makes packaging/screenshot-windows.png: the client area of Quillon.exe
# under Wine on a private Xvfb, after a calculation of MXL at 40 teeth. Needs the MinGW build in build-mingw/
# (tools/check_windows.sh). Wine has no SimSun: a TrueType stand-in from
# fonts-wqy-zenhei takes its name.
source "$(dirname "$0")/common.sh"
install_packages xvfb x11-utils xdotool imagemagick wine wine64 fonts-wqy-zenhei
out=${1:-$QUILLON_ROOT/packaging/screenshot-windows.png}
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all

Xvfb :96 -screen 0 800x600x24 -nolisten tcp &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=:96
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'WenQuanYi Zen Hei Mono' /f >/dev/null
wineserver -w
wine "$QUILLON_ROOT/build-mingw/app/Quillon.exe" &
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillon ' | head -n 1)
sleep 2
# 计算 at 40,88 (81 x 33 pixels) in the client area, which is the X window:
# with no window manager, Wine leaves the frame to one.
xdotool mousemove --window "$window" 80 104 click 1
sleep 1
import -window "$window" "$out"
echo "wrote $out"
