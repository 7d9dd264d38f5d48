#!/usr/bin/env bash
# Starts the built program as a user would and reads its window's icon
# through the X server: the window manager, the taskbar and the task
# switcher take it from _NET_WM_ICON. Needs an X display (Xvfb in the tests).
set -euo pipefail
quillon=$1

QT_QPA_PLATFORM=xcb "$quillon" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^Quillon ' | head -n 1)
[ -n "$window" ] || { echo "Quillon's window did not appear"; exit 1; }

# The window may be mapped a moment before Qt sets its icon; a loaded
# machine shows the gap, so the property is read until it is there.
for _ in $(seq 50); do
    icon=$(xprop -id "$window" _NET_WM_ICON)
    grep -q "Icon (16 x 16)" <<<"$icon" && break
    sleep 0.1
done
for size in 16 32 48; do
    grep -q "Icon ($size x $size)" <<<"$icon" || {
        echo "no ${size}x$size image in _NET_WM_ICON:"
        head -n 3 <<<"$icon"
        exit 1
    }
done
echo "_NET_WM_ICON of window $window holds the 16, 32 and 48 pixel images"
