#!/usr/bin/env bash
# Makes a Wine prefix at a display scale of its own, build/wineprefix-dpi<DPI>, for the runs that
# check the program's layout at that scale: a copy of the project's prefix (fonts and their
# replacements included) with the screen's DPI set and a Wine desktop of 1920x1200, large enough
# for the window at 200 %. Safe to run again: a prefix that stands ready is kept until the project's
# prefix is made anew.
#   dpi-prefix.sh DPI      e.g. 144 (150 %) or 120 (125 %)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dpi=${1:-}
if ! [[ $dpi =~ ^[1-9][0-9]{1,2}$ ]] || [ "$dpi" -lt 96 ] || [ "$dpi" -gt 480 ]; then
    echo "usage: dpi-prefix.sh DPI (96 to 480)" >&2
    exit 2
fi
"$root/scripts/wineprefix.sh"
. "$root/scripts/env.sh"
prefix="$root/build/wineprefix-dpi$dpi"
stamp="$prefix/.purimo-dpi-ready-1"
[ -f "$stamp" ] && [ "$stamp" -nt "$PREFIX_STAMP" ] && exit 0

# A copy takes a second where a new prefix takes Wine twelve (measured with the 695 MB prefix). It is
# made beside its place and moved there only when ready, so that a run broken off leaves no half
# prefix behind a stamp.
if [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver -w 2>/dev/null || true
    rm -rf "$prefix"
fi
work="$prefix.making"
rm -rf "$work"
cp -a "$WINEPREFIX" "$work"
# Wine takes the screen's DPI from LogPixels: the user's value, and the machine's for the fonts.
reg="$work/dpi.reg"
hex=$(printf '%08x' "$dpi")
printf '%s\r\n' 'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$hex" '' \
    '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]' \
    "\"LogPixels\"=dword:$hex" '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1920x1200"' '' >"$reg"
# Wine wants a display to start even for regedit: one of its own, so that no other is touched.
unset DISPLAY
start_large_display
trap 'WINEPREFIX="$work" /usr/lib/wine/wineserver -k 2>/dev/null || true
      WINEPREFIX="$work" /usr/lib/wine/wineserver -w 2>/dev/null || true
      kill "$LARGE_XVFB_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
WINEPREFIX="$work" "$WINE64" regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
WINEPREFIX="$work" /usr/lib/wine/wineserver -w 2>/dev/null || true
rm -f "$reg"
grep -qi "\"LogPixels\"=dword:$hex" "$work/user.reg" ||
    { echo "dpi-prefix: LogPixels was not set in $work" >&2; exit 1; }
mv "$work" "$prefix"
touch "$stamp"
echo "setup: made the Wine prefix $prefix at $dpi DPI"
