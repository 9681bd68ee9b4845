# Sourced by the scripts: the project's Wine prefix and loader, and a display.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="$root/build/wineprefix"
# Made when the project's prefix stands ready (wineprefix.sh); a prefix copied from it (dpi-prefix.sh)
# is made anew when this is newer than it.
PREFIX_STAMP="$WINEPREFIX/.purimo-ready-5"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs in a prefix that never needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
export TZ=${TZ:-Asia/Tokyo}
WINE64=/usr/lib/wine/wine64

# Starts an Xvfb of the size on the first free display number from first to last; sets DISPLAY and
# the variable named by pid_var to its process.
start_xvfb() {
    local first=$1 last=$2 size=$3 pid_var=$4 n
    for n in $(seq "$first" "$last"); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -ac >/dev/null 2>&1 &
            printf -v "$pid_var" '%s' "$!"
            export DISPLAY=":$n"
            for _ in $(seq 1 50); do
                xdpyinfo >/dev/null 2>&1 && return 0
                sleep 0.1
            done
            kill "${!pid_var}" 2>/dev/null || true
        fi
    done
    echo "no display could be started" >&2
    return 1
}

# Starts Xvfb on a free display number when there is no display; sets DISPLAY and XVFB_PID.
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    start_xvfb 90 120 1280x1024 XVFB_PID
}

# The display of the runs at a larger DPI: a Wine desktop of 1920x1200 holds the window at 200 %.
# An Xvfb of its own on a free number above ensure_display's, so that the 1280x1024 runs and their
# pictures stay as they are. Sets DISPLAY and LARGE_XVFB_PID.
start_large_display() {
    start_xvfb 130 160 1920x1200 LARGE_XVFB_PID
}

# In a subshell: the program's prefix at dpi (dpi-prefix.sh) with its 1920x1200 Wine desktop, on a
# display of its own; the subshell's end ends both.
enter_dpi_prefix() {
    "$root/scripts/dpi-prefix.sh" "$1" >/dev/null
    unset DISPLAY
    start_large_display
    export WINEPREFIX="$root/build/wineprefix-dpi$1"
    trap '/usr/lib/wine/wineserver -k 2>/dev/null || true; /usr/lib/wine/wineserver -w 2>/dev/null || true
          kill "$LARGE_XVFB_PID" 2>/dev/null || true' EXIT
    start_wine_desktop 1920x1200
}

# A real printer: CUPS with the PDF printer as the system's default. cupsd does not start by itself
# here; one already running (started earlier) is used as it is. Its tools answer in the locale's
# language, so they run in the C locale.
start_pdf_printer() {
    if ! LC_ALL=C lpstat -r 2>/dev/null | grep -q 'is running'; then
        mkdir -p /run/cups
        LC_ALL=C cupsd
        for _ in $(seq 1 50); do
            LC_ALL=C lpstat -r 2>/dev/null | grep -q 'is running' && break
            sleep 0.1
        done
    fi
    if ! LC_ALL=C lpstat -p PDF >/dev/null 2>&1; then
        LC_ALL=C lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
    fi
    LC_ALL=C lpadmin -d PDF
}
ensure_pdf_printer() {
    if [ "$(id -u)" -eq 0 ]; then
        start_pdf_printer
    else
        if sudo -n true 2>/dev/null; then
            sudo env root="$root" bash -c "$(declare -f start_pdf_printer); start_pdf_printer"
        fi
    fi
}

# Ends what runs in this prefix and starts its Wine desktop once, apart from the programs that use
# it, so that no test's output pipe stays held by it. The desktop's size is the prefix's own
# (1280x1024 unless given).
start_wine_desktop() {
    local size=${1:-1280x1024}
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
    "$WINE64" explorer.exe /desktop=Default,"$size" </dev/null >/dev/null 2>&1 &
    for _ in $(seq 1 300); do
        xwininfo -root -tree 2>/dev/null | grep -q 'Wine desktop' && break
        sleep 0.1
    done
}
