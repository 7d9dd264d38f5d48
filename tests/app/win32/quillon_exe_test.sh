#!/usr/bin/env bash
# Quillon.exe end to end under Wine, on the X display in DISPLAY: the real
# program, worked from a second program (drive_quillon.exe) as a user would,
# its boxes read back and compared with quillon-cli.exe; its warnings; its
# printing through a CUPS scheduler of the test's own (private_cups.sh), on a
# printer set to 600 x 300 dpi, onto a page read back with Ghostscript and
# poppler; 退出 and the close box; and
# the window at 144 dpi.
#   quillon_exe_test.sh QUILLON.EXE DRIVE_QUILLON.EXE QUILLON-CLI.EXE PRIVATE_CUPS.SH
# A fresh Wine prefix of its own: a printer Wine has once seen stays in its
# prefix, so "no printer" is checked first, before the scheduler starts.
set -euo pipefail
quillon=$1 driver=$2 cli=$3 private_cups=$4
work=$(mktemp -d)
mkdir -m 777 "$work/printed"
mkdir "$work/home"
chmod 755 "$work"
export WINEPREFIX=$work/wine WINEDEBUG=-all HOME=$work/home LC_ALL=C.UTF-8
export CUPS_SERVER=$work/cups/cups.sock # nothing listens there yet
unset PRINTER LPDEST
scheduler=
end() {
    wineserver -k 2>/dev/null || true
    [ -z "$scheduler" ] || kill "$scheduler" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap end EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
drive() { wine "$driver" "$@"; }

"$(dirname "$0")/../../../tools/wine-prefix.sh"

start_quillon() { # CLIENT_SIZE as drawn at the screen's dpi
    (
        status=0
        wine "$quillon" || status=$?
        echo "$status" >"$work/status"
    ) &
    rm -f "$work/status"
    size=$(drive window)
    [ "$size" = "$1" ] || fail "client area $size, drawn as $1"
}

# Waits for Quillon.exe to end and gives its status.
ended_status() {
    for _ in $(seq 100); do
        [ -f "$work/status" ] && { cat "$work/status"; return; }
        sleep 0.1
    done
    echo "still running"
}

# The twenty result boxes after 计算, against quillon-cli's run of the same.
expect_results_of() { # BELT TEETH
    local expected
    expected=$(wine "$cli" run "$1" "$2" --format csv --columns box,text | tr -d '\r' | tail -n +2)
    [ "$(wc -l <<<"$expected")" -eq 20 ] || fail "quillon-cli gave no twenty boxes for $1 $2"
    boxes=$(drive boxes | cut -f1,2 | tr '\t' ',')
    while read -r line; do
        grep -Fqx -- "$line" <<<"$boxes" || fail "$1 $2: the window has no box \"$line\""
    done <<<"$expected"
    echo "$1 $2: the twenty boxes read back as quillon-cli gives them"
}

echo "-- typed, chosen and calculated; warnings with no printer; the close box"
start_quillon 346x339
drive type Text1 25 && drive press Command1
expect_results_of MXL 25
drive type Combo1 T5 && drive type Text1 '４０' && drive press Command1
expect_results_of T5 40
[ "$(drive choose 3)" = L ] || fail "list item 3 is not L"
drive press Command1
expect_results_of L 40
before=$(drive boxes)
drive type Text1 1e400 && drive click Command1
said=$(drive warning)
[ "$said" = "齿数超出了可以计算的范围，请输入较小的齿数。" ] || fail "out of range said: $said"
[ "$(drive boxes | grep -v '^Text1	')" = "$(grep -v '^Text1	' <<<"$before")" ] || fail "a box changed"
echo "too many teeth: the warning, and no box changed"
drive click Command2
said=$(drive warning)
[ "$said" = "没有默认打印机，无法打印。请先在系统中设置默认打印机。" ] || fail "no printer said: $said"
echo "no printer: $said"
drive close
status=$(ended_status)
[ "$status" = 0 ] || fail "the close box ended Quillon.exe with status $status"
echo "the close box ends Quillon.exe with status 0"

echo "-- printed on the default printer of a private CUPS scheduler"
"$private_cups" "$work/cups" >"$work/cups.log" 2>&1 &
scheduler=$!
for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
lpadmin -p QuillonTest -v "keep:$work/printed" -P "$(dirname "$0")/draft_600x300.ppd" -E 2>/dev/null
lpadmin -d QuillonTest
# Its draft mode of 600 x 300 dpi chosen: the page must still be the window at
# true size, not twice as tall.
drive resolution 600 300
start_quillon 346x339
drive type Combo1 XL && drive press Command1
at96=$(drive boxes)
drive click Command2
drive no-warning 3
for _ in $(seq 300); do [ -f "$work/printed/job-1.pdf" ] && break; sleep 0.1; done
[ -f "$work/printed/job-1.pdf" ] || fail "no print job within 30 s"
ps2pdf "$work/printed/job-1.pdf" "$work/page.pdf" # Wine prints PostScript
[ "$(pdfinfo "$work/page.pdf" | sed -n 's/^Pages: *//p')" = 1 ] || fail "not one page"

# The window at true size: 346 x 339 pixels at 96 dpi are 259.5 x 254.25
# points, from the top left of the printable area (18 points in, on Wine's
# default A4).
read -r left bottom right top < <(gs -q -dNOPAUSE -dBATCH -sDEVICE=bbox "$work/page.pdf" 2>&1 \
    | sed -n 's/^%%HiResBoundingBox: //p')
awk -v l="$left" -v b="$bottom" -v r="$right" -v t="$top" 'BEGIN {
    printf "printed %.2f x %.2f points at %.2f, %.2f from the top left\n", r - l, t - b, l, 842 - t
    exit !((r - l - 259.5)^2 < 1 && (t - b - 254.25)^2 < 1 && (l - 18)^2 < 1 && (842 - t - 18)^2 < 1)
}' || fail "the page is not the window at true size at the printable area's top left"

# Every text of the window is on the page as text, where its control is.
pdftotext -bbox "$work/page.pdf" "$work/page.html"
drive boxes | awk -F'\t' -v ox="$left" -v oy=842 -v top="$top" '
    FNR == NR {
        if (match($0, /<word xMin="[^"]*" yMin="[^"]*" xMax="[^"]*" yMax="[^"]*">[^<]*</)) {
            split(substr($0, RSTART, RLENGTH), f, "\"")
            n++; wx[n] = f[2]; wy[n] = f[4]; wr[n] = f[6]; wb[n] = f[8]
            w = substr($0, RSTART, RLENGTH); sub(/.*>/, "", w); sub(/<$/, "", w); word[n] = w
        }
        next
    }
    $2 != "" {
        split($2, first, " ")
        x0 = ox + $3 * 0.75; y0 = oy - top + $4 * 0.75; x1 = ox + $5 * 0.75; y1 = oy - top + $6 * 0.75
        found = 0
        for (i = 1; i <= n; i++)
            if (word[i] == first[1] && wx[i] >= x0 - 1 && wx[i] < x1 && wy[i] >= y0 - 2 && wb[i] <= y1 + 2)
                found = 1
        if (!found) { print "not on the page where " $1 " is: " first[1]; missing++ }
        checked++
    }
    END { print checked " texts on the page, each where its control is"; exit missing > 0 }
' "$work/page.html" - || fail "the page is not the window as it looks"

cupsreject QuillonTest
drive click Command2
said=$(drive warning)
[ "$said" = "打印失败：打印机“QuillonTest”在完成打印任务时出错。" ] || fail "a refused job said: $said"
echo "a printer refusing jobs: $said"
drive click Command3
status=$(ended_status)
[ "$status" = 0 ] || fail "退出 ended Quillon.exe with status $status"
echo "退出 ends Quillon.exe with status 0"

echo "-- at 144 dpi (Wine takes it from LogPixels)"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
start_quillon 519x509
# Each control where it stands at 96 dpi, times 1.5, to the pixel of
# rounding; a caption's right edge follows its text.
drive boxes | awk -F'\t' '
    function near(a, b, by) { return (a - b) ^ 2 <= by ^ 2 }
    FNR == NR { left[$1] = $3; top[$1] = $4; right[$1] = $5; bottom[$1] = $6; next }
    {
        ok = near($3, left[$1] * 1.5, 1) && near($4, top[$1] * 1.5, 1) \
            && near($6, bottom[$1] * 1.5, 1) && ($1 ~ /^Label/ || near($5, right[$1] * 1.5, 1))
        if (!ok) { print $1 " at " $3 "," $4 "-" $5 "," $6 " against 1.5 x " left[$1] "," top[$1] "-" right[$1] "," bottom[$1]; wrong++ }
    }
    END { exit wrong > 0 }
' <(echo "$at96") - || fail "the window at 144 dpi is not the one at 96 dpi scaled"
echo "every control at 144 dpi stands where it does at 96 dpi, scaled by 1.5"
drive click Command3
status=$(ended_status)
[ "$status" = 0 ] || fail "退出 ended Quillon.exe with status $status at 144 dpi"
