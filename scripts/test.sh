#!/usr/bin/env bash
# Builds everything (native, win64, win32) and runs every test: the core's natively, the
# Windows tests under Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/tests/setup/packages-test.sh"
"$root/scripts/check-includes.sh"
"$root/scripts/build.sh" native win64 win32

# The 32-bit program is a 32-bit Windows program; both run on a clean Windows, where they may need
# nothing but the system's own DLLs.
exe32="$root/build/win32/PurimoManage.exe"
i686-w64-mingw32-objdump -f "$exe32" | grep -q 'pei-i386' || { echo "not a 32-bit program: $exe32" >&2; exit 1; }
for exe in "$exe32" "$root/build/win64/PurimoManage.exe"; do
    foreign=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name/ {print $3}' |
        grep -viE '^(kernel32|user32|gdi32|imm32|comctl32|comdlg32|advapi32|version|shell32|wininet|winspool\.drv|msimg32|ole32|msvcrt)(\.dll)?$' || true)
    [ -z "$foreign" ] || { echo "$exe needs $foreign" >&2; exit 1; }
done

(cd "$root/build/native" && ctest --output-on-failure)

# --- Sanitizers and fuzzing -------------------------------------------------------------------
# The core's tests once more with the address and undefined-behaviour sanitizers, and the month
# file fuzz target over its corpus and a bounded number of mutations (a fixed seed, so that a
# fault found here is found again). A crash's input belongs in fuzz/corpus and in a test.
sanitize="$root/build/sanitize"
if [ ! -f "$sanitize/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
        -DPURIMO_SANITIZE=ON -DPURIMO_FUZZ=ON >/dev/null
fi
cmake --build "$sanitize" -j"$(nproc)" --target core_tests MonthFileFuzz
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$sanitize/core_tests" --gtest_brief=1
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$sanitize/MonthFileFuzz" -runs="${PURIMO_FUZZ_RUNS:-200000}" -seed=1 "$root"/fuzz/corpus/*
# ------------------------------------------------------------------------------------------------

. "$root/scripts/env.sh"
ensure_display

# A real printer for the print tests (env.sh).
ensure_pdf_printer
# cups-pdf writes each job into the PDF folder of the home of the user who printed it.
export PURIMO_PDF_FOLDER="$HOME/PDF"
# The tests need a Wine of their own on this display: a program of this prefix still running
# (run.sh) is ended first.
start_wine_desktop
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true' EXIT
status=0
# The whole Windows suite on one build, under its own loader (the build's test emulator).
windows_suite() {
    local dir="$root/build/$1"
    rm -rf "$dir/artefacts"
    rm -f "$dir/disk-full.bmp"
    echo "== Windows tests, $1"
    # A window test that fails is run once more before the suite counts it as failed: Wine on a
    # virtual display now and then cannot make a process's first window (the first run's output
    # stays above, and the tests that needed their second run are named at the end).
    local log="$dir/ctest.log"
    (cd "$dir" && ctest --output-on-failure --repeat until-pass:2) 2>&1 | tee "$log" || status=$?
    local again
    again=$(sed -n 's/^.*Test *#[0-9]*: \([^ ]*\) .*\*\*\*\(Failed\|Timeout\|Exception\).*$/\1/p' "$log" | sort -u)
    [ -z "$again" ] || printf '== %s: failed at their first run:\n%s\n' "$1" "$again"
}
windows_suite win64
# The 32-bit run needs a machine that executes 32-bit code (a 32-bit Linux program of a few bytes
# that only exits tells, before Wine is asked) and Wine's 32-bit half, which the set-up may not have
# been able to install (it said why above).
probe=$(mktemp)
python3 "$root/scripts/elf32-probe.py" "$probe"
run32=0
skip32=""
if [ -n "${PURIMO_NO_WIN32_RUN:-}" ]; then
    skip32="PURIMO_NO_WIN32_RUN is set"
elif ! "$probe" 2>/dev/null; then
    skip32="this machine does not run 32-bit programs (the 32-bit probe failed)"
elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' ||
    [ ! -x /usr/lib/wine/wine ]; then
    skip32="the 32-bit Wine (wine32:i386) is not installed (the set-up said why)"
else
    run32=1
fi
rm -f "$probe"
if [ "$run32" -eq 1 ]; then
    windows_suite win32
else
    echo "== Windows tests, win32: SKIPPED: $skip32"
fi
# The display-scale tests once more at 150 % and 125 %, each DPI in a prefix of its own on a Wine
# desktop large enough for the scaled window (dpi-tests.sh); this prefix's desktop stays as it is.
dpi_kinds=(win64)
[ "$run32" -eq 1 ] && dpi_kinds+=(win32)
"$root/scripts/dpi-tests.sh" "${dpi_kinds[@]}" || status=1

# Release: both zips are made, and each program, unpacked into a fresh folder, starts, shows the
# current month and saves it when it is closed.
release_start() {
    local kind=$1 version=$2 loader=/usr/lib/wine/wine64 fresh month caption
    [ "$kind" = win32 ] && loader=/usr/lib/wine/wine
    fresh=$(mktemp -d)
    python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
        "$root/dist/PurimoManage-$version-$kind.zip" "$fresh"
    [ -f "$fresh/PurimoManage.exe" ] && [ -f "$fresh/はじめにお読みください.txt" ] ||
        { echo "release: the $kind zip lacks the program or its read-me" >&2; return 1; }
    month=$(date +%Y%m)
    "$loader" "$root/build/$kind/start_bench.exe" --close 1 "$("$WINE64" winepath -w "$fresh/PurimoManage.exe")" \
        </dev/null >"$fresh.start" 2>&1 || { cat "$fresh.start" >&2; return 1; }
    caption=$(cut -d' ' -f4- "$fresh.start")
    case "$caption" in
    *"[for Version $version]"*) ;;
    *) echo "release: the unpacked $kind program's caption is '$caption'" >&2; return 1 ;;
    esac
    [ -f "$fresh/client/$month.dat" ] || { echo "release: the unpacked $kind program did not show $month" >&2; return 1; }
    rm -rf "$fresh" "$fresh.start"
    echo "release: the $kind program started from a fresh folder and showed $month"
}
# Where no desktop can be had, the program ends at once instead of waiting unseen.
release_without_display() {
    local kind=$1 loader=/usr/lib/wine/wine64 fresh code=0
    [ "$kind" = win32 ] && loader=/usr/lib/wine/wine
    fresh=$(mktemp -d)
    cp "$root/build/$kind/PurimoManage.exe" "$fresh/"
    (cd "$fresh" && DISPLAY=:4711 timeout 60 "$loader" PurimoManage.exe </dev/null >/dev/null 2>&1) || code=$?
    rm -rf "$fresh"
    [ "$code" -eq 1 ] || { echo "release: the $kind program without a display ended with $code, not 1" >&2; return 1; }
    echo "release: the $kind program without a display ended at once"
}
release_check() {
    "$root/scripts/release.sh" >/dev/null
    local version zip kind
    version=$(sed -n 's/^ *VALUE "FileVersion", *"\([0-9.]*\)".*/\1/p' "$root/res/PurimoManage.rc")
    for kind in win64 win32; do
        zip="$root/dist/PurimoManage-$version-$kind.zip"
        [ -f "$zip" ] || { echo "release: $zip missing" >&2; return 1; }
    done
    release_start win64 "$version" || return 1
    release_without_display win64 || return 1
    if [ "$run32" -eq 1 ]; then
        release_start win32 "$version" || return 1
        release_without_display win32 || return 1
    else
        echo "release: the win32 program was not started: $skip32"
    fi
}
release_check || status=1

# The pictures the window tests saved, as PNG to look at.
for bmp in "$root"/build/win64/artefacts/*.bmp "$root"/build/win32/artefacts/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null || true
done
exit "$status"
