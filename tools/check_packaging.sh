#!/usr/bin/env bash
# Checks Quillon as it is installed and packaged, on Linux and (as far as can
# be done here) for Windows:
#   - the desktop entry and AppStream metainfo validate;
#   - CPack builds the .deb and .tar.gz; the .deb depends on Qt 6 and
#     installs with apt-get, the installed quillon opens its window and ends
#     from 退出, quillon-cli runs and has its manual page, and the package is
#     removed cleanly;
#   - the Windows resource compiles with MinGW's windres and holds the
#     version record and the icon's 16 and 32 pixel images;
#   (the Windows programs themselves are built and tested by
#   tools/check_windows.sh).
# Needs root (it installs and removes the package) and a build in build/.
source "$(dirname "$0")/common.sh"

install_packages desktop-file-utils appstream xvfb xauth xdotool python3 dpkg-dev man-db file \
    binutils-mingw-w64-x86-64 gcc-mingw-w64-x86-64
work=$(mktemp -d)
# A quillon package that is installed already is left as it is found, and the
# install check is skipped; otherwise the package this check installs is
# removed again whatever happens, so that a later run never tests a binary
# left installed by an earlier one.
installed_before=$(dpkg-query -W -f='${Status} ${Version}' quillon 2>/dev/null | sed -n 's/^install ok installed //p' || true)
cleanup() {
    if [ -z "$installed_before" ]; then
        as_root apt-get remove -y -qq quillon >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "-- desktop entry and metainfo"
DESTDIR="$work/root" cmake --install "$QUILLON_BUILD" --prefix /usr >/dev/null
desktop-file-validate "$work/root/usr/share/applications/org.example.Quillon.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.example.Quillon.metainfo.xml"

echo "-- packages"
(cd "$QUILLON_BUILD" && cpack -B "$work/packages" >/dev/null)
deb=$(ls "$work"/packages/quillon_*.deb)
ls "$work"/packages/quillon-*.tar.gz >/dev/null
# Without the Qt libraries in Depends the package would install where it
# cannot start (dpkg-shlibdeps, from dpkg-dev, finds them).
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    grep -q "$library" <<<"$depends" || { echo "Depends does not name $library" >&2; exit 1; }
done
if [ -n "$installed_before" ]; then
    echo "quillon $installed_before is installed on this machine: left as it is, the install check skipped"
else
as_root apt-get install -y -qq "$deb" >/dev/null
test -x /usr/bin/quillon
test -f /usr/share/icons/hicolor/32x32/apps/org.example.Quillon.png
test -f /usr/share/doc/quillon/copyright
grep -q "MIT License" /usr/share/doc/quillon/copyright
test "$(quillon-cli --version)" = "quillon-cli 1.00"
man -w quillon-cli >/dev/null
LC_ALL=C.UTF-8 man quillon-cli 2>/dev/null | grep -q "计算" || { echo "the manual page lost its Chinese" >&2; exit 1; }
quillon-cli run MXL 40 --format csv --columns box,text | grep -q '^Text13,25.872'

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" bash -c '
    quillon &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Quillon ") || { kill $pid; exit 1; }
    echo "window $window of the installed quillon is up"
    xdotool mousemove --window "$window" 80 184 click 1   # 退出
    for _ in $(seq 100); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
    if kill -0 $pid 2>/dev/null; then echo "quillon did not end from 退出" >&2; kill $pid; exit 1; fi
    wait $pid'
as_root apt-get remove -y -qq quillon >/dev/null
test ! -e /usr/bin/quillon
echo "installed, started, ended with status 0 and removed"
fi

echo "-- Windows resource"
x86_64-w64-mingw32-windres -i "$QUILLON_BUILD/quillon.rc" -O res -o "$work/quillon.res"
python3 "$QUILLON_ROOT/tools/check_windows_resource.py" "$work/quillon.res"
# The object file that is linked into Quillon.exe, read back.
x86_64-w64-mingw32-windres -i "$QUILLON_BUILD/quillon.rc" -O coff -o "$work/quillon_rc.o"
x86_64-w64-mingw32-windres -i "$work/quillon_rc.o" -O res -o "$work/from_object.res"
python3 "$QUILLON_ROOT/tools/check_windows_resource.py" --any-language "$work/from_object.res" >/dev/null

echo "packaging checks passed"
