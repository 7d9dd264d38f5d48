#!/usr/bin/env bash
# Makes packaging/screenshot-windows.png: the window of Quillon.exe
# under Wine on a private Xvfb, after a calculation of MXL at 40 teeth.
# Needs the MinGW build in build-mingw/ (tools/check_windows.sh); the Wine
# prefix is tools/wine-prefix.sh's.
source "$(dirname "$0")/common.sh"
install_packages xvfb x11-utils xdotool imagemagick wine wine64 fonts-wqy-microhei
out=${1:-$QUILLON_ROOT/packaging/screenshot-windows.png}
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all

Xvfb :96 -screen 0 800x600x24 -nolisten tcp &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=:96
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$QUILLON_ROOT/tools/wine-prefix.sh"
# Top-level windows of their own, not inside a virtual desktop: the
# window is then one X window to photograph.
wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null
wine "$QUILLON_ROOT/build-mingw/app/Quillon.exe" &
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillon ' | head -n 1)
sleep 2
wine "$QUILLON_ROOT/build-mingw/tests/app/win32/drive_quillon.exe" press Command1
sleep 1
import -window "$window" "$out"
echo "wrote $out"
