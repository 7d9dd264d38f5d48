#!/usr/bin/env bash
# Runs a Windows console program under Wine, for ctest in the MinGW build
# (CMAKE_CROSSCOMPILING_EMULATOR): a private prefix, no debug chatter, no
# display. The prefix is made on first use; tools/check_windows.sh makes it
# before the tests so that Wine's start-up stays out of their timings.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/quillon-wine-$(id -u)}
export WINEDEBUG=-all
# Console programs need no display; the window's tests ask to keep it.
[ -n "${QUILLON_WINE_KEEP_DISPLAY:-}" ] || unset DISPLAY
exec wine "$@"
