#!/usr/bin/env bash
# Builds Quillon with its tests into build/ and runs every test. Installs what
# is missing first; safe to run again.
#
# The window tests run on a private Xvfb display. The print test adds a
# temporary PDF printer to the CUPS scheduler (started here if it is not
# running) and removes it afterwards; that needs root or sudo.
source "$(dirname "$0")/common.sh"

install_packages "${QUILLON_BUILD_PACKAGES[@]}" libgtest-dev xvfb xauth xdotool \
    cups cups-client printer-driver-cups-pdf poppler-utils
configure_and_build -DBUILD_TESTING=ON -DQUILLON_WERROR=ON
start_cups_scheduler

xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --test-dir "$QUILLON_BUILD" --output-on-failure
