#!/usr/bin/env bash
# Builds Quillon with its tests into build/ and runs every test. Installs what
# is missing first; safe to run again.
source "$(dirname "$0")/common.sh"

install_packages "${QUILLON_BUILD_PACKAGES[@]}" libgtest-dev
configure_and_build -DBUILD_TESTING=ON -DQUILLON_WERROR=ON

ctest --test-dir "$QUILLON_BUILD" --output-on-failure
