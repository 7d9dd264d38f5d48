#!/usr/bin/env bash
# Remakes the README's picture of a pulley as quillon-cli model makes it:
# the STL rendered by OpenSCAD on a private Xvfb display. Builds quillon-cli
# into build/ first when it is not there.
source "$(dirname "$0")/common.sh"

install_packages openscad xvfb xauth "${QUILLON_BUILD_PACKAGES[@]}" "${QUILLON_CLI_PACKAGES[@]}"
cli=$QUILLON_BUILD/cli/quillon-cli
[ -x "$cli" ] || configure_and_build -DQUILLON_BUILD_CLI=ON
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" model T5 20 --width 10 --flanges 1.5,1 --hub 20,8 --bore 8 --keyway 3,1.4 --output "$work/t5-20.stl"
# Turned over about y, hub up to be lit from above, the keyway still on +y
# (the far side of the bore).
printf 'rotate([0, 180, 0]) import("%s", convexity = 10);\n' "$work/t5-20.stl" >"$work/view.scad"
xvfb-run -a openscad -o "$QUILLON_ROOT/packaging/model-t5-20.png" --imgsize=800,600 --camera=0,0,0,55,0,0,110 \
    --viewall --autocenter --colorscheme=Tomorrow --projection=p "$work/view.scad"
