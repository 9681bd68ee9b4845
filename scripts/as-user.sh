#!/usr/bin/env bash
# Runs a Windows test program under Wine as an ordinary user, for the tests of read-only files:
# Wine lets an administrator write them. As an ordinary user already, it just runs the program.
# Exits 77 (skipped) where no ordinary user can reach the display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/env.sh"
# The loader of the program's kind: the 64-bit one unless the test names Wine's 32-bit loader.
loader=${PURIMO_WINE_LOADER:-$WINE64}
if [ "$(id -u)" -ne 0 ]; then
    exec "$loader" "$@"
fi
[ -n "${DISPLAY:-}" ] || exit 77
user=purimo-tests
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user"
home=$(getent passwd "$user" | cut -d: -f6)
prefix="$home/wineprefix"
run() {
    runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$home" DISPLAY="$DISPLAY" WINEPREFIX="$prefix" \
        WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="$WINEDLLOVERRIDES" LANG="$LANG" LC_ALL="$LC_ALL" TZ="$TZ" "$@"
}
run xdpyinfo >/dev/null 2>&1 || { echo "the display does not take an ordinary user's windows" >&2; exit 77; }
# A prefix made before Wine's 32-bit half was installed lacks it (syswow64): it is made anew.
if [ ! -d "$prefix/drive_c/windows/syswow64" ] && [ -f /usr/lib/wine/wine ]; then
    rm -rf "$prefix"
fi
if [ ! -f "$prefix/system.reg" ]; then
    run "$WINE64" wineboot -i >/dev/null 2>&1 || true
    run /usr/lib/wine/wineserver -w || true
fi
# The build folder may be closed to other users: the program runs from a copy in the user's home.
exe="$home/$(basename "$1")"
cp "$1" "$exe"
chown "$user" "$exe"
shift
cd "$home"
log=$(mktemp)
status=0
run "$loader" "$exe" "$@" 2>&1 | tee "$log" || status=$?
run /usr/lib/wine/wineserver -k 2>/dev/null || true
# Skipped as an ordinary user means the read-only files were written after all.
if grep -q '\[  SKIPPED \]' "$log"; then
    status=1
fi
rm -f "$log"
exit "$status"
