#!/usr/bin/env bash
# Builds プリモ and starts it under Wine. Without a display it starts a virtual one, saves a
# screenshot of the main window to build/screenshot.png and ends the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" --64
"$root/scripts/build.sh" win64 >/dev/null
. "$root/scripts/env.sh"
had_display=1
{ [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; } || had_display=0
ensure_display
exe="$root/build/win64/PurimoManage.exe"
if [ "$had_display" -eq 1 ]; then
    exec "$WINE64" "$exe"
fi
"$WINE64" "$exe" &
pid=$!
sleep "${PURIMO_SCREENSHOT_DELAY:-6}"
shot="$root/build/screenshot.png"
import -window root "$shot"
# Only the main window: the Wine desktop around it is cut away.
desktop=$(convert "$shot" -format '%[pixel:p{1279,1023}]' info:)
convert "$shot" -bordercolor "$desktop" -border 1 -trim +repage "$shot"
/usr/lib/wine/wineserver -k || true
wait "$pid" 2>/dev/null || true
[ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
echo "No display: started プリモ on a virtual one and saved a screenshot of it to $shot"
