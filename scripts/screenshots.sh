#!/usr/bin/env bash
# Takes the pictures of the README and the manual from the running program: starts プリモ under
# Wine on a display of its own, enters a week as a user would with the mouse and the keyboard
# (xdotool), and saves each screen to docs/manual/images/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64 >/dev/null
if ! command -v xdotool >/dev/null; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends xdotool >/dev/null
fi
. "$root/scripts/env.sh"
unset DISPLAY
ensure_display
# The printer set-up dialog needs a printer.
ensure_pdf_printer
out="$root/docs/manual/images"
mkdir -p "$out"
work=$(mktemp -d)
trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true; rm -rf "$work"' EXIT
# The program in a folder of its own, as a user would keep it; the save dialog opens there.
app="$work/PurimoManage"
mkdir -p "$app"
cp "$root/build/win64/PurimoManage.exe" "$app/"
# The two months before this one, recorded earlier: a cycle begun on the 4th of the month before
# last and one on the 2nd of last month, each with its rise, for the pictures of the cycle window.
mkdir -p "$app/client"
python3 - "$app/client" <<'PY'
import datetime, sys
today = datetime.date.today()
first = today.replace(day=1)
last_month = (first - datetime.timedelta(days=1)).replace(day=1)
before = (last_month - datetime.timedelta(days=1)).replace(day=1)
starts = [before.replace(day=4), last_month.replace(day=2)]
lows = ["36.3", "36.2", "36.4", "36.3", "36.2", "36.3", "36.4", "36.2", "36.3", "36.2", "36.3", "36.4", "36.3"]
highs = ["36.7", "36.8", "36.7", "36.9", "36.8", "36.7", "36.8", "36.9", "36.8", "36.7", "36.8", "36.7", "36.8", "36.6"]
def cell(day):
    for start in reversed(starts):
        n = (day - start).days
        if n >= 0:
            temps = lows + highs + ["36.5", "36.4", "36.3"]
            return ("1" if n == 0 else str(n + 1)), (temps[n] if n < len(temps) else ""), ("×" if n < 5 else "")
    return "", "", ""
for month in (before, last_month):
    days = ((month + datetime.timedelta(days=32)).replace(day=1) - month).days
    rows = [[], [], []]
    for d in range(days):
        for row, text in zip(rows, cell(month + datetime.timedelta(days=d))):
            row.append(text)
    lines = ['"周  期",' + ",".join(rows[0]), '"体  温",' + ",".join(rows[1]), '"変  化",' + ",".join(rows[2]), '"メ  モ"']
    with open(f"{sys.argv[1]}/{month:%Y%m}.dat", "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))
PY
/usr/lib/wine/wineserver -k 2>/dev/null || true
/usr/lib/wine/wineserver -w 2>/dev/null || true
# A new user: no settings yet, so the window opens at the top-left of the screen.
"$WINE64" reg delete 'HKCU\Software\Sorano\PurimoManage' /f >/dev/null 2>&1 || true
(cd "$app" && "$WINE64" ./PurimoManage.exe </dev/null >/dev/null 2>&1 &)
sleep "${PURIMO_START_DELAY:-8}"

# The frame's place on the screen: the current cell (day 1, cycle day) is yellow at start, its
# inside beginning at client (62, 61).
shot() { import -window root "$work/screen.png"; }
shot
read -r first < <(convert "$work/screen.png" -crop 300x200+0+85 +repage txt:- | grep -m1 '#FFFF00' | cut -d: -f1)
ox=$(( ${first%,*} - 62 ))
oy=$(( ${first#*,} + 85 - 61 ))
echo "client area at $ox,$oy"

cell_x() { echo $(( ox + 10 + 51 + ($1 - 1) * 30 + 14 )); }
cell_y() { case $1 in 0) echo $((oy + 50));; 1) echo $((oy + 68));; 2) echo $((oy + 86));; 3) echo $((oy + 104));; 4) echo $((oy + 160));; esac; }
click_cell() { xdotool mousemove "$(cell_x "$1")" "$(cell_y "$2")" click 1; sleep 0.3; }
away() { xdotool mousemove $((ox + 30)) $((oy + 50)) click 1; sleep 0.3; }
keys() { xdotool key --delay 40 "$@"; sleep 0.3; }
# The window's client area, or a region of the screen, as a picture.
save() { shot; convert "$work/screen.png" -crop "${2:-1002x585+$ox+$oy}" +repage "$out/$1.png"; }
save_window() { shot; convert "$work/screen.png" -crop "1008x$((585 + oy + 3))+$((ox - 3))+0" +repage "$out/$1.png"; }

save_window start

# A week: cycle days, temperatures picked from the list, marks and a memo.
temps=(9 9 8 10 9 11 12) # steps up from the empty item: 36.3 36.3 36.2 36.4 36.3 36.5 36.6
for day in 1 2 3 4 5 6 7; do
    click_cell "$day" 1
    xdotool type --delay 60 "$day"
    if [ "$day" -eq 7 ]; then save cycle-day-field "220x90+$((ox + 150))+$((oy + 40))"; fi
    click_cell "$day" 2
    for _ in $(seq 1 "${temps[$((day - 1))]}"); do xdotool key Up; done
    sleep 0.3
    if [ "$day" -eq 7 ]; then save temperature-list "260x110+$((ox + 150))+$((oy + 40))"; fi
    if [ "$day" -le 4 ]; then
        click_cell "$day" 3
        keys Down
    fi
done
away
click_cell 5 3
keys Down Down Down Down
save event-list "260x110+$((ox + 150))+$((oy + 40))"
away
click_cell 2 4
sleep 0.5
xdotool type --delay 80 "腹痛"
sleep 0.3
shot
convert "$work/screen.png" -crop 360x120+$(( (1280 - 345) / 2 - 10 ))+$(( (1024 - 110) / 2 - 10 )) +repage "$out/memo-dialog.png"
keys Return Return
save week
cp "$out/week.png" "$root/docs/screenshot.png"
# The marks option from the menu.
xdotool mousemove $((ox + 80)) $((oy - 10)) click 1
sleep 0.5
save_window marks-menu
# Only the corner with the open menu.
convert "$out/marks-menu.png" -crop 330x100+0+0 +repage "$out/marks-menu.png"
keys Escape

# A dialog or message box as a picture: its X window, found by its title, frame included.
save_dialog() {
    local id
    for _ in $(seq 1 30); do
        id=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | tail -1) && [ -n "$id" ] && break
        sleep 0.2
    done
    [ -n "$id" ] || { echo "no window titled $2" >&2; return 1; }
    sleep 0.5
    # Inside the Wine desktop xdotool counts the desktop's offset twice; xwininfo does not.
    local info x y w h
    info=$(xwininfo -id "$id")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    shot
    convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/$1.png"
}

# The chart with its value marks, switched on from the menu by its accelerators.
keys alt+s m
sleep 0.5
save chart-marks "1002x304+$ox+$((oy + 281))"
keys alt+s m
keys alt+h a
save_dialog about 'バージョン情報'
keys Return
keys alt+f p
save_dialog print-setup '印刷設定'
keys Escape
keys alt+f a
save_dialog save-dialog '画像ファイルに名前を付けて保存'
keys Escape

# The cycle window: it opens on this month's cycle (the week entered); PageUp shows last month's
# whole, with its rise.
keys alt+c g
save_dialog cycle-window-open '周期グラフ'
keys Prior
sleep 0.5
save_dialog cycle-window '周期グラフ'
# Its first higher reading left out from the keyboard: the rise then begins a day later. Taken back
# in before the window closes, so that the pictures after it show the diary as entered.
keys Home
for _ in $(seq 1 13); do keys Right; done
keys alt+x
sleep 0.5
save_dialog cycle-left-out '周期グラフ'
keys alt+x
keys Escape
# Every cycle in one table.
keys alt+c l
save_dialog cycle-table '周期一覧'
keys Escape

# The doctor's report from the menu, printed on the PDF printer; its page as a picture.
pdfs="${HOME}/PDF"
mkdir -p "$pdfs"
before=$(ls "$pdfs" 2>/dev/null | wc -l)
keys alt+c r
# The set-up dialog is the screen print's, pictured above: waited for, not kept.
save_dialog report-setup '印刷設定'
rm -f "$out/report-setup.png"
keys Return
for _ in $(seq 1 100); do
    [ "$(ls "$pdfs" 2>/dev/null | wc -l)" -gt "$before" ] && break
    sleep 0.2
done
sleep 1
pdf=$(ls -t "$pdfs"/*.pdf | head -1)
pdftoppm -f 1 -l 1 -singlefile -r 60 -png "$pdf" "$out/report-page"
# The CSV save dialog.
keys alt+c e
save_dialog csv-dialog 'CSV ファイルに書き出し'
keys Escape

# An error box: a folder standing where this month's file belongs stops the save before paging.
mkdir -p "$app/client/$(date +%Y%m).dat"
xdotool mousemove $((ox + 33)) $((oy + 21)) click 1
save_dialog error '^プリモ$'
keys Return
rmdir "$app/client/$(date +%Y%m).dat"
xdotool mousemove $((ox + 500)) $((oy + 400))

# The main window at 150 %: the diary as entered above, closed here so that it saves the week, then
# started in the 144-DPI prefix (dpi-prefix.sh) on a display and a Wine desktop of their own, large
# enough for the scaled window.
keys alt+f x
timeout 60 /usr/lib/wine/wineserver -w || { echo "the diary did not close" >&2; exit 1; }
(
    enter_dpi_prefix 144
    # A new user here too: the window opens at the top-left of the screen.
    "$WINE64" reg delete 'HKCU\Software\Sorano\PurimoManage' /f >/dev/null 2>&1 || true
    (cd "$app" && "$WINE64" ./PurimoManage.exe </dev/null >/dev/null 2>&1 &)
    sleep "${PURIMO_START_DELAY:-8}"
    xdotool mousemove 1919 1199
    import -window root "$work/screen-150.png"
    # Only the window, frame included: the desktop around it is cut away.
    desktop=$(convert "$work/screen-150.png" -format '%[pixel:p{1919,1199}]' info:)
    convert "$work/screen-150.png" -bordercolor "$desktop" -border 1 -trim +repage "$out/main-window-150.png"
)
echo "saved the pictures to $out"
