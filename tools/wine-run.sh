#!/usr/bin/env bash
# Runs a Windows program under Wine, for ctest in the MinGW build
# (CMAKE_CROSSCOMPILING_EMULATOR): a private prefix, no debug chatter, no
# display. The prefix is made on first use by tools/wine-prefix.sh (its
# stand-in for SimSun, its virtual desktop); tools/check_windows.sh makes it
# before the tests so that Wine's start-up stays out of their timings.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/quillon-wine-$(id -u)}
export WINEDEBUG=-all
if [ ! -d "$WINEPREFIX" ]; then
    # Tests run side by side make it once.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    [ -d "$WINEPREFIX" ] || "$(dirname "$0")/wine-prefix.sh"
    exec 9>&-
fi
# Console programs need no display; the window's tests ask to keep it.
[ -n "${QUILLON_WINE_KEEP_DISPLAY:-}" ] || unset DISPLAY
exec wine "$@"
