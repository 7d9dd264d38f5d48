#!/usr/bin/env bash
# Makes the Wine prefix in WINEPREFIX as Quillon.exe's tests, benchmark and
# screenshot use it (about 10 s; make it outside any timing):
# - a virtual desktop stands in for a window manager, without which every
#   hide and close waits two seconds;
# - Wine has no SimSun: WenQuanYi Micro Hei (TrueType, so it prints) takes
#   its name;
# - Tahoma, in which Wine draws message boxes, links to it for Chinese.
# The display is left out: the prefix is made before any X server is asked.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to the prefix to make}"
export WINEDEBUG=-all
DISPLAY= wineboot -i >/dev/null 2>&1
add() { DISPLAY= wine reg add "$@" /f >/dev/null; }
add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024
add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /d 'WenQuanYi Micro Hei'
add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma /t REG_MULTI_SZ \
    /d 'wqy-microhei.ttc,WenQuanYi Micro Hei'
wineserver -w
