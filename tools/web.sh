#!/usr/bin/env bash
# Builds the web edition, build-web/quillon.html: one file that holds the
# core compiled to WebAssembly, the page's script and its styles, and fetches
# nothing. Installs what is missing first; safe to run again.
#
#   tools/web.sh           the page
#   tools/web.sh --test    and its tests: the core's suite and golden runs
#                          under node, the page in headless Chromium
source "$(dirname "$0")/common.sh"

QUILLON_WEB_BUILD=${QUILLON_WEB_BUILD:-$QUILLON_ROOT/build-web}
testing=OFF
[ "${1:-}" = "--test" ] && testing=ON

# {fmt} and fast_float, header-only, write and read the core's doubles:
# libc++ 13 has no floating-point to_chars nor from_chars.
install_packages "${QUILLON_WEB_PACKAGES[@]}" libfmt-dev libfast-float-dev
# Debian's emscripten finds its node modules there; its packaged cache is
# used as it is (no EM_CACHE of our own).
export NODE_PATH=/usr/share/nodejs
if [ "$testing" = ON ]; then
    install_packages "${QUILLON_CLI_PACKAGES[@]}" g++ googletest chromium fonts-noto-cjk poppler-utils
    # Some machines' nodejs brings its own npm, which Debian's npm would clash with.
    command -v npm >/dev/null || install_packages npm
    # The page is compared with quillon-cli built for this machine from the
    # same sources: in build/ where tools/test.sh made it, else beside.
    if grep -q '^QUILLON_BUILD_CLI:BOOL=ON' "$QUILLON_BUILD/CMakeCache.txt" 2>/dev/null; then
        native_build=$QUILLON_BUILD
    else
        native_build=$QUILLON_WEB_BUILD-cli
        cmake -S "$QUILLON_ROOT" -B "$native_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DQUILLON_BUILD_WINDOW=OFF -DBUILD_TESTING=OFF
    fi
    cmake --build "$native_build" --target quillon-cli
    native_cli=$native_build/cli/quillon-cli
    # puppeteer-core as the lockfile pins it; it downloads no browser.
    (cd "$QUILLON_ROOT/tests/ui/web" && npm ci --no-audit --no-fund --loglevel=error)
fi

# Small before fast: the whole page is to stay within 150 kB.
cmake -S "$QUILLON_ROOT" -B "$QUILLON_WEB_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_CXX_FLAGS_MINSIZEREL="-Oz -DNDEBUG" \
    -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" \
    -DQUILLON_BUILD_CLI=OFF -DQUILLON_WERROR=ON -DBUILD_TESTING=$testing -DQUILLON_NATIVE_CLI="${native_cli:-}"
cmake --build "$QUILLON_WEB_BUILD"
echo "Made $QUILLON_WEB_BUILD/quillon.html ($(stat -c %s "$QUILLON_WEB_BUILD/quillon.html") bytes)"

if [ "$testing" = ON ]; then
    ctest --test-dir "$QUILLON_WEB_BUILD" --output-on-failure
fi
