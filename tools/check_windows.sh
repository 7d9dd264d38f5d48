#!/usr/bin/env bash
# Builds the Windows programs and tests them for real under Wine: the
# MinGW-w64 cross build of the core, Quillon.exe, quillon-cli.exe and their
# test suites, whose ctest runs every test under Wine (the toolchain's
# emulator, tools/wine-run.sh), the window's on Xvfb, among them Quillon.exe
# itself worked from a second program and printing through a private CUPS
# scheduler (tests/app/win32/quillon_exe_test.sh). Then checks that each
# .exe imports only DLLs every Windows has and no call Windows 7 SP1 lacks,
# that quillon-cli writes UTF-8 into a file, through a pipe and onto a
# console, that the ZIP archive unpacks and runs, and that the installer
# refuses Windows Vista, installs silently with a shortcut that starts
# Quillon.exe, its Add/Remove Programs values and the PATH on request, and
# uninstalls all of it.
source "$(dirname "$0")/common.sh"

install_packages cmake ninja-build g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 googletest \
    libcli11-dev nlohmann-json3-dev libz-mingw-w64-dev wine wine64 unzip bsdutils xvfb xauth nsis \
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

echo "-- imports: only DLLs that every Windows has, and no call Windows 7 SP1 lacks"
# Imported, any of these stops a program from starting on Windows 7 ("entry
# point not found"): the DPI calls of Windows 8.1 and 10, and the kernel's
# calls of Windows 8 that toolchains reach for.
windows7_lacks='GetDpiForWindow|GetDpiForSystem|GetDpiForMonitor|GetSystemMetricsForDpi|AdjustWindowRectExForDpi
|SystemParametersInfoForDpi|SetProcessDpiAwarenessContext|SetThreadDpiAwarenessContext|EnableNonClientDpiScaling
|SetProcessDpiAwareness|GetSystemTimePreciseAsFileTime|CreateFile2|WaitOnAddress|WakeByAddressSingle
|WakeByAddressAll|GetCurrentThreadStackLimits|SetDefaultDllDirectories|AddDllDirectory|SetThreadDescription
|GetThreadDescription|PrefetchVirtualMemory|CreateFileMappingFromApp|MapViewOfFileFromApp'
windows7_lacks=${windows7_lacks//$'\n'/}
for exe in "$build/app/Quillon.exe" "$build/cli/quillon-cli.exe" "$build/cli/cli_tests.exe" \
    "$build/tests/calc/calc_tests.exe"; do
    imports=$(x86_64-w64-mingw32-objdump -p "$exe")
    dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$imports")
    echo "$(basename "$exe"): $(tr '\n' ' ' <<<"$dlls")"
    while read -r dll; do
        case ${dll,,} in
        kernel32.dll | msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll | shell32.dll | user32.dll | advapi32.dll) ;;
        gdi32.dll | comctl32.dll | winspool.drv | ole32.dll) ;;
        *) echo "$(basename "$exe") imports $dll, which a bare Windows may not have" >&2; exit 1 ;;
        esac
    done <<<"$dlls"
    if too_new=$(grep -Eow "$windows7_lacks" <<<"$imports"); then
        echo "$(basename "$exe") imports $(tr '\n' ' ' <<<"$too_new")which Windows 7 SP1 lacks" >&2
        exit 1
    fi
done
# The spooler is loaded when 打印 asks for it; at start it cost a twentieth.
if grep -qi '^winspool' <<<"$(x86_64-w64-mingw32-objdump -p "$build/app/Quillon.exe" | sed -n 's/^\tDLL Name: //p')"; then
    echo "Quillon.exe loads the print spooler at start" >&2
    exit 1
fi
# A console's code page changed by quillon-cli.exe outlives a Ctrl-C.
if x86_64-w64-mingw32-objdump -p "$build/cli/quillon-cli.exe" | grep -qw SetConsoleOutputCP; then
    echo "quillon-cli.exe changes the console's code page" >&2
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
echo "-- the installer: refused before Windows 7 SP1, installed, started from its shortcut, uninstalled"
(cd "$build" && cpack -G NSIS >/dev/null)
setup=${archive%.zip}-setup.exe
installed="$WINEPREFIX/drive_c/Program Files/Quillon"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillon/Quillon.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillon'
system_path() { wine_run reg query 'HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment' /v PATH | tr -d '\r'; }
uninstall() {
    wine_run "$installed/Uninstall Quillon.exe" /S
    # The uninstaller runs on from a copy of itself: wait until the folder goes.
    for _ in $(seq 100); do [ -e "$installed" ] || break; sleep 0.2; done
    wineserver -w
}
driver=$build/tests/app/win32/drive_quillon.exe

wine_run reg add 'HKCU\Software\Wine' /v Version /d vista /f >/dev/null
status=0
wine_run "$setup" /S || status=$?
wine_run reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null
wineserver -w
[ "$status" -ne 0 ] && [ ! -e "$installed" ] || { echo "the installer installed on Windows Vista" >&2; exit 1; }
echo "on Windows Vista it refuses (status $status) and installs nothing"

path_before=$(system_path)
wine_run "$setup" /S
wineserver -w
for file in Quillon.exe quillon-cli.exe README.md LICENSE 'Uninstall Quillon.exe'; do test -f "$installed/$file"; done
[ "$(system_path)" = "$path_before" ] || { echo "the PATH changed unasked" >&2; exit 1; }
entry=$(wine_run reg query "$uninstall_key" | tr -d '\r')
for value in 'DisplayName +REG_SZ +Quillon' 'DisplayVersion +REG_SZ +1.00' 'Publisher +REG_SZ +Quillon developers' \
    'DisplayIcon +REG_SZ +C:\\Program Files\\Quillon\\Quillon.exe' 'EstimatedSize +REG_DWORD +0x[0-9a-f]+' \
    'URLInfoAbout +REG_SZ +https://example.org/quillon' 'HelpLink +REG_SZ +https://example.org/quillon' \
    'UninstallString +REG_SZ +"C:\\Program Files\\Quillon\\Uninstall Quillon.exe"'; do
    grep -Eqx " *$value" <<<"$entry" || { echo "the Add/Remove Programs entry lacks $value:" >&2; echo "$entry" >&2; exit 1; }
done
kib=$(sed -n 's/^ *EstimatedSize *REG_DWORD *//p' <<<"$entry")
[ $((kib)) -ge $(($(du -sk "$installed" | cut -f1) / 2)) ] || { echo "EstimatedSize $((kib)) KiB is too small" >&2; exit 1; }
test "$(wine_run "$installed/quillon-cli.exe" --version)" = "quillon-cli 1.00"
# The Start-menu shortcut, as the shell reads it, and Quillon.exe started
# through it on a display of its own.
target=$(wine_run "$driver" shortcut 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Quillon\Quillon.lnk' | tr -d '\r')
[ "$target" = 'C:\Program Files\Quillon\Quillon.exe' ] || { echo "the shortcut starts $target" >&2; exit 1; }
wineserver -k 2>/dev/null || true
wineserver -w
size=$(QUILLON_WINE_KEEP_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c \
    '"$0" start /unix "$1" && "$0" "$2" window && "$0" "$2" close >/dev/null; sleep 1; wineserver -k' \
    "$QUILLON_ROOT/tools/wine-run.sh" "$shortcut" "$driver")
echo "$(basename "$setup") installed Quillon and its Add/Remove Programs entry; the shortcut starts $target ($size)"

# Installed again over itself, asked for the PATH: the old one goes first.
wine_run "$setup" /S /PATH=AllUsers
wineserver -w
grep -Fq ';C:\Program Files\Quillon' <<<"$(system_path)" || { echo "not in the PATH: $(system_path)" >&2; exit 1; }
test "$(wine_run cmd /c 'quillon-cli --version' | tr -d '\r')" = "quillon-cli 1.00"
echo "installed again with /PATH=AllUsers: quillon-cli runs by its name"
uninstall
test ! -e "$installed" && test ! -e "$shortcut"
! wine_run reg query "$uninstall_key" >/dev/null 2>&1
[ "$(system_path)" = "$path_before" ] || { echo "the uninstaller left the PATH as $(system_path)" >&2; exit 1; }
echo "and its uninstaller removed every file, the shortcut, the entry and the PATH"
echo "Windows checks passed"
