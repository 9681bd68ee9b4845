#!/usr/bin/env bash
# Makes the project's own Wine prefix under build/ (never the user's ~/.wine), with the Japanese
# fonts standing in for the Windows ones that the program asks for by name.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/env.sh"
stamp="$PREFIX_STAMP"
# The 32-bit program needs the prefix's 32-bit half (syswow64), which a prefix made before Wine's
# 32-bit half was installed lacks: such a prefix is made anew.
if [ -d "$WINEPREFIX" ] && [ -f /usr/lib/wine/wine ] && [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    rm -rf "$WINEPREFIX"
fi
[ -f "$stamp" ] && exit 0
mkdir -p "$root/build"
echo "setup: making the Wine prefix $WINEPREFIX"
ensure_display
$WINE64 wineboot -i >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w || true

reg="$root/build/fonts.reg"
{
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"ＭＳ ゴシック"="IPAGothic"\r\n'
    printf '"MS Gothic"="IPAGothic"\r\n'
    printf '"ＭＳ 明朝"="IPAMincho"\r\n'
    printf '"MS Mincho"="IPAMincho"\r\n'
    printf '"ＭＳ Ｐ明朝"="IPAPMincho"\r\n'
    printf '"MS PMincho"="IPAPMincho"\r\n'
    printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
    printf '"MS UI Gothic"="IPAPGothic"\r\n'
    printf '"Century"="DejaVu Serif"\r\n'
    printf '\r\n'
    # A Wine desktop of its own draws the windows' frames and captions, as Windows would, also
    # on a display without a window manager.
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1280x1024"\r\n\r\n'
} | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
$WINE64 regedit /S "$(winepath_of() { echo "Z:${1//\//\\}"; }; winepath_of "$reg")" >/dev/null 2>&1
/usr/lib/wine/wineserver -w || true
# Wine started through its 64-bit loader does not look in its own font folder: without Marlett
# the caption buttons draw as letters.
cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
[ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
touch "$stamp"
