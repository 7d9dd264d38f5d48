#!/usr/bin/env bash
# Proves the README's start command on a fresh clone of this repository
# without GoogleTest: tools/run.sh must build just the window and start it.
# GoogleTest is hidden, not removed: the check runs in a mount namespace of
# its own in which empty folders cover GoogleTest's headers, sources and CMake
# files, so that the machine keeps what it had.
# Needs root and xvfb, xauth and xdotool.
source "$(dirname "$0")/common.sh"

clone=$(mktemp -d)
trap 'rm -rf "$clone"' EXIT
git clone -q "$QUILLON_ROOT" "$clone/quillon"

hidden=()
for folder in /usr/include/gtest /usr/include/gmock /usr/src/googletest \
    /usr/lib/x86_64-linux-gnu/cmake/GTest; do
    [ -d "$folder" ] && [ ! -L "$folder" ] && hidden+=("$folder")
done
# Started under Xvfb: builds and starts the window, waits for it, ends it
# with 退出 and checks that it ended.
cat >"$clone/start.sh" <<'EOF_START'
"$1/quillon/tools/run.sh" >"$1/run.log" 2>&1 &
started=$!
# The first start builds the window; give it time.
window=$(timeout 600 xdotool search --sync --onlyvisible --name "^Quillon ") || {
    cat "$1/run.log"; kill $started; exit 1; }
echo "tools/run.sh built and started Quillon: window $window"
xdotool mousemove --window "$window" 80 184 click 1   # 退出
for _ in $(seq 100); do kill -0 $started 2>/dev/null || break; sleep 0.1; done
! kill -0 $started 2>/dev/null
EOF_START

as_root unshare --mount --propagation private bash -c '
    for folder in "${@:2}"; do mount -t tmpfs -o size=1k none "$folder"; done
    if [ -e /usr/include/gtest/gtest.h ]; then echo "GoogleTest is still there" >&2; exit 1; fi
    exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash "$1/start.sh" "$1"' _ "$clone" "${hidden[@]}"
test ! -e "$clone/quillon/build/tests"
echo "the start command built no tests"
