#!/usr/bin/env bash
# Starts the built program as a user would and reads which libraries it has
# loaded once its window is up: the printing system's (libcups and the TLS,
# Kerberos and Avahi libraries it brings) are for 打印 only, and image format
# plugins are never needed, the icon being PNG. Either at start costs every
# user time and memory. Needs an X display (Xvfb in the tests).
set -euo pipefail
quillon=$1

QT_QPA_PLATFORM=xcb "$quillon" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^Quillon ' >/dev/null

loaded=$(awk '$6 ~ /\// { print $6 }' "/proc/$pid/maps" | sort -u)
unwanted=$(grep -E 'libcups|libgnutls|libkrb5|libavahi|/imageformats/' <<<"$loaded" || true)
if [ -n "$unwanted" ]; then
    echo "loaded at start, before anything was printed:"
    echo "$unwanted"
    exit 1
fi
echo "$(wc -l <<<"$loaded") files mapped at start; no printing library, no image format plugin"
