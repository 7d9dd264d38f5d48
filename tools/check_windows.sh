#!/usr/bin/env bash
# Builds the Windows programs and tests them for real under Wine: the
# MinGW-w64 cross build of the core, Quillon.exe, quillon-cli.exe and their
# test suites, whose ctest runs every test under Wine (the toolchain's
# emulator, tools/wine-run.sh), the window's on Xvfb, among them Quillon.exe
# itself worked from a second program and printing through a private CUPS
# scheduler (tests/app/win32/quillon_exe_test.sh). Then checks that each
# .exe imports only DLLs every Windows has, that quillon-cli writes UTF-8
# into a file, through a pipe and onto a console, that the ZIP archive
# unpacks and runs, and that the installer installs and uninstalls silently.
source "$(dirname "$0")/common.sh"

install_packages cmake ninja-build g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 googletest \
    libcli11-dev nlohmann-json3-dev wine wine64 unzip bsdutils xvfb xauth nsis \
    cups-daemon cups-client ghostscript poppler-utils fonts-wqy-microhei
build=$QUILLON_ROOT/build-mingw
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
wine_run() { "$QUILLON_ROOT/tools/wine-run.sh" "$@"; }

echo "-- cross build"
cmake -S "$QUILLON_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$QUILLON_ROOT/cmake/toolchains/mingw-w64-x86_64.cmake" \
    -DQUILLON_BUILD_WINDOW=ON -DQUILLON_BUILD_CLI=ON -DBUILD_TESTING=ON -DQUILLON_WERROR=ON >/dev/null
cmake --build "$build"

echo "-- a Wine prefix of our own (its start-up is not part of the test timings)"
"$QUILLON_ROOT/tools/wine-prefix.sh"

echo "-- every core, command-line and window test, under Wine"
ctest --test-dir "$build" --output-on-failure -L "core|cli"
# Wine's desktop process keeps the display it started with, none so far:
# end it, so that the window's tests start one on Xvfb.
wineserver -k 2>/dev/null || true
wineserver -w
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ctest --test-dir "$build" --output-on-failure -L window

echo "-- imports: only DLLs that every Windows has"
for exe in "$build/app/Quillon.exe" "$build/cli/quillon-cli.exe" "$build/cli/cli_tests.exe" \
    "$build/tests/calc/calc_tests.exe"; do
    dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p')
    echo "$(basename "$exe"): $(tr '\n' ' ' <<<"$dlls")"
    while read -r dll; do
        case ${dll,,} in
        kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll | shell32.dll | user32.dll | advapi32.dll) ;;
        gdi32.dll | comctl32.dll | winspool.drv | ole32.dll) ;;
        *) echo "$(basename "$exe") imports $dll, which a bare Windows may not have" >&2; exit 1 ;;
        esac
    done <<<"$dlls"
done
# The spooler is loaded when 打印 asks for it; at start it cost a twentieth.
if grep -qi '^winspool' <<<"$(x86_64-w64-mingw32-objdump -p "$build/app/Quillon.exe" | sed -n 's/^\tDLL Name: //p')"; then
    echo "Quillon.exe loads the print spooler at start" >&2
    exit 1
fi

echo "-- UTF-8 into a file, through a pipe and on a console"
cli=$build/cli/quillon-cli.exe
expected=$'Text14,\xc2\xb10.05'
(cd "$work" && wine_run "$cli" run MXL 40 --format csv --columns box,text --output 结果.csv)
grep -q "^$expected"$'\r$' "$work/结果.csv"
wine_run "$cli" run MXL 40 --format csv --columns box,text | grep -q "^$expected"$'\r$'
# A pseudo-terminal makes Wine give the program a console.
script -qec "'$QUILLON_ROOT/tools/wine-run.sh' '$cli' run MXL 40 --columns box,text" /dev/null \
    | sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' | grep -aq $'Text14.*\xc2\xb10.05'
echo "± intact in 结果.csv, through a pipe and on the console"

echo "-- the ZIP archive"
(cd "$build" && cpack -G ZIP >/dev/null)
archive=$build/quillon-$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")-win64.zip
unzip -q "$archive" -d "$work/unpacked"
ls "$work/unpacked"
test -f "$work/unpacked/README.md" && test -f "$work/unpacked/LICENSE" && test -f "$work/unpacked/Quillon.exe"
size=$(stat -c %s "$work/unpacked/Quillon.exe")
echo "Quillon.exe as shipped (stripped): $size bytes"
[ "$size" -le $((2 * 1024 * 1024)) ] || { echo "Quillon.exe is over 2 MB" >&2; exit 1; }
version=$(wine_run "$work/unpacked/quillon-cli.exe" --version)
test "$version" = "quillon-cli 1.00"
echo "$(basename "$archive") unpacks and its quillon-cli.exe says: $version"
echo "-- the installer, installed and uninstalled silently"
(cd "$build" && cpack -G NSIS >/dev/null)
setup=${archive%.zip}-setup.exe
installed="$WINEPREFIX/drive_c/Program Files/Quillon"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillon/Quillon.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillon'
wine_run "$setup" /S
wineserver -w
for file in Quillon.exe quillon-cli.exe README.md LICENSE Uninstall.exe; do test -f "$installed/$file"; done
test -f "$shortcut"
entry=$(wine_run reg query "$uninstall_key")
for value in 'DisplayName +REG_SZ +Quillon$' 'DisplayVersion +REG_SZ +1.00$' 'Publisher +REG_SZ' 'DisplayIcon +REG_SZ' \
    'UninstallString +REG_SZ'; do
    grep -Eq "$value" <<<"${entry//$'\r'/}" || { echo "the Add/Remove Programs entry lacks $value:" >&2; echo "$entry" >&2; exit 1; }
done
test "$(wine_run "$installed/quillon-cli.exe" --version)" = "quillon-cli 1.00"
echo "$(basename "$setup") installed Quillon, its shortcut and its Add/Remove Programs entry"
wine_run "$installed/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself: wait until the folder goes.
for _ in $(seq 100); do [ -e "$installed" ] || break; sleep 0.2; done
wineserver -w
test ! -e "$installed" && test ! -e "$shortcut"
! wine_run reg query "$uninstall_key" >/dev/null 2>&1
echo "and its uninstaller removed every file, the shortcut and the entry"
echo "Windows checks passed"
