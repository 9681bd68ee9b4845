#!/usr/bin/env bash
# Runs the Windows tests of the display scale (ScaleTest.*) at 144 DPI (150 %) and at 120 DPI
# (125 %): each DPI in a Wine prefix of its own (dpi-prefix.sh) on a 1920x1200 Wine desktop, on an
# Xvfb display of its own, for each build named. The test command runs it after the whole suite;
# it runs alone as well, on builds already made.
#   dpi-tests.sh KIND...   win64 and/or win32 (default win64)
#   PURIMO_DPI_FILTER      the tests to run instead (a GoogleTest filter)
# Each run is given the DPI its prefix was made at in PURIMO_EXPECT_DPI. Exits 1 when a test failed
# or none passed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kinds=("$@")
[ ${#kinds[@]} -eq 0 ] && kinds=(win64)
filter=${PURIMO_DPI_FILTER:-ScaleTest.*}
dpis=(144 120)
for dpi in "${dpis[@]}"; do
    "$root/scripts/dpi-prefix.sh" "$dpi"
done
. "$root/scripts/env.sh"
# The same surroundings as the suite's run under ctest: a real default printer, its PDF folder, the
# build's folder as the working folder.
ensure_pdf_printer
export PURIMO_PDF_FOLDER="$HOME/PDF"
logs="$root/build/dpi-tests"
mkdir -p "$logs"
unset DISPLAY
start_large_display
# Nothing of these runs is left behind: neither a program in the DPI prefix in use nor the display.
# The project's prefix is never touched here.
running=""
end_running() {
    [ -n "$running" ] || return 0
    WINEPREFIX="$running" /usr/lib/wine/wineserver -k 2>/dev/null || true
    WINEPREFIX="$running" /usr/lib/wine/wineserver -w 2>/dev/null || true
    running=""
}
trap 'end_running; kill "$LARGE_XVFB_PID" 2>/dev/null || true' EXIT

status=0
# Runs the filter's tests once; those that fail are run once more, as the suite does, since Wine on
# a virtual display now and then cannot make a process's first window. Both outputs are shown.
scale_tests() {
    local kind=$1 loader=/usr/lib/wine/wine64 log code=0 failed
    [ "$kind" = win32 ] && loader=/usr/lib/wine/wine
    log="$logs/$kind-dpi$PURIMO_EXPECT_DPI.log"
    # Output goes to a file, not a pipe: the Wine server keeps a pipe open after the program ends.
    (cd "$root/build/$kind" && timeout 600 "$loader" ./win_tests.exe --gtest_filter="$filter") \
        </dev/null >"$log" 2>&1 || code=$?
    cat "$log"
    if [ "$code" -eq 0 ]; then
        # A run in which no test passed proves nothing about the scale.
        if grep -q '^\[  PASSED  \] 0 tests\.' "$log"; then
            echo "== no test of $filter passed in build/$kind/win_tests.exe: none matches, or each was skipped" >&2
            return 1
        fi
        return 0
    fi
    failed=$(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_/]*\.[A-Za-z0-9_/]*\).*$/\1/p' "$log" | sort -u | paste -sd: -)
    [ -n "$failed" ] || return 1
    echo "== failed at their first run, run once more: $failed"
    code=0
    (cd "$root/build/$kind" && timeout 600 "$loader" ./win_tests.exe --gtest_filter="$failed") \
        </dev/null >"$log" 2>&1 || code=$?
    cat "$log"
    [ "$code" -eq 0 ]
}
for dpi in "${dpis[@]}"; do
    export WINEPREFIX="$root/build/wineprefix-dpi$dpi"
    export PURIMO_EXPECT_DPI=$dpi
    running=$WINEPREFIX
    start_wine_desktop 1920x1200
    for kind in "${kinds[@]}"; do
        echo "== Windows tests at $dpi DPI, $kind"
        scale_tests "$kind" || status=1
    done
    end_running
done
exit "$status"
