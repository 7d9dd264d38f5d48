#!/usr/bin/env bash
# Proves the README's start command on a fresh clone of this repository
# without GoogleTest: tools/run.sh must build just the window and start it.
# Removes the GoogleTest packages for the check (CI installs them again).
# Needs root and xvfb, xauth and xdotool.
source "$(dirname "$0")/common.sh"

as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq libgtest-dev googletest libgmock-dev >/dev/null
clone=$(mktemp -d)
trap 'rm -rf "$clone"' EXIT
git clone -q "$QUILLON_ROOT" "$clone/quillon"

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
    "$1/quillon/tools/run.sh" >"$1/run.log" 2>&1 &
    started=$!
    # The first start builds the window; give it time.
    window=$(timeout 600 xdotool search --sync --onlyvisible --name "^Quillon ") || {
        cat "$1/run.log"; kill $started; exit 1; }
    echo "tools/run.sh built and started Quillon: window $window"
    xdotool mousemove --window "$window" 80 184 click 1   # 退出
    for _ in $(seq 100); do kill -0 $started 2>/dev/null || break; sleep 0.1; done
    ! kill -0 $started 2>/dev/null' _ "$clone"
test ! -e "$clone/quillon/build/tests"
echo "the start command built no tests"
