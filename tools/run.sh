#!/usr/bin/env bash
# Builds Quillon into build/ and starts it. Installs what is missing first;
# safe to run again.
source "$(dirname "$0")/common.sh"

install_packages "${QUILLON_BUILD_PACKAGES[@]}"
configure_and_build
exec "$QUILLON_BUILD/app/quillon"
