#!/usr/bin/env bash
# Builds the window program into build/ and starts it. Installs what is
# missing first; builds nothing else (no tests, no quillon-cli). Safe to run
# again.
source "$(dirname "$0")/common.sh"

install_packages "${QUILLON_BUILD_PACKAGES[@]}"
cmake -S "$QUILLON_ROOT" -B "$QUILLON_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DQUILLON_BUILD_CLI=OFF
cmake --build "$QUILLON_BUILD" --target quillon
exec "$QUILLON_BUILD/app/quillon"
