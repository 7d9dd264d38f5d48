#!/usr/bin/env bash
# Builds Quillon and quillon-cli with their tests into build/, and the web
# edition with its tests into build-web/, and runs every test. Installs what
# is missing first; safe to run again.
#
# The window tests run on a private Xvfb display. The print tests run their
# own CUPS scheduler in a temporary folder: the machine's printers and
# default destination are never touched, and no root is needed beyond
# installing packages.
source "$(dirname "$0")/common.sh"

# FreeCAD would add about 230 MB of packages to a fresh machine; the model
# files' test reads with it where it is installed.
install_packages "${QUILLON_BUILD_PACKAGES[@]}" "${QUILLON_CLI_PACKAGES[@]}" libgtest-dev \
    xvfb xauth xdotool x11-utils cups-daemon cups-client poppler-utils python3-ezdxf python3-numpy librecad locales strace \
    occt-draw admesh prusa-slicer \
    libfmt-dev libfast-float-dev # the WebAssembly build's conversions, held against libstdc++'s
# The outline files are checked to be the same bytes in a German locale.
if ! locale -a | grep -qx 'de_DE.utf8'; then
    as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    as_root locale-gen >/dev/null
fi
configure_and_build -DBUILD_TESTING=ON -DQUILLON_BUILD_CLI=ON -DQUILLON_WERROR=ON

xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --test-dir "$QUILLON_BUILD" --output-on-failure

# The web edition: the core's suite under node and quillon.html in headless
# Chromium, compared with the quillon-cli built above.
"$QUILLON_ROOT/tools/web.sh" --test
