#!/usr/bin/env bash
# Builds the window program into build/ and starts it. Installs what is
# missing first; on a fresh clone builds nothing else (no tests, no
# quillon-cli). Safe to run again, also after tools/test.sh.
source "$(dirname "$0")/common.sh"

install_packages "${QUILLON_BUILD_PACKAGES[@]}"
# Configured once: a build/ that tools/test.sh made keeps its tests and
# quillon-cli, and only the window is rebuilt here.
if [ ! -f "$QUILLON_BUILD/CMakeCache.txt" ]; then
    cmake -S "$QUILLON_ROOT" -B "$QUILLON_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBUILD_TESTING=OFF -DQUILLON_BUILD_CLI=OFF
fi
cmake --build "$QUILLON_BUILD" --target quillon
exec "$QUILLON_BUILD/app/quillon"
