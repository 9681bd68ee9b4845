#!/usr/bin/env bash
# Every include of src points down. The order, lowest first:
#   common    nothing of ours
#   widgets   common
#   month     common            chart   common
#   entry     common, month, chart      output   common, month, chart (neither on the other)
#   cycle     common, month, chart, entry, output
#   app       everything
# The Win32 files of month, chart, entry, output and cycle (those that include <windows.h>) may also
# use widgets. A file Main<Subsystem>.cpp defines TMainForm's handlers of its subsystem and stands
# where app stands. Tests, bench and fuzz may include anything.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
allowed() {
    case $1 in
    common) echo "common" ;;
    widgets) echo "common widgets" ;;
    month) echo "common month" ;;
    chart) echo "common chart" ;;
    entry) echo "common month chart entry" ;;
    output) echo "common month chart output" ;;
    cycle) echo "common month chart entry output cycle" ;;
    app) echo "common widgets month chart entry output cycle app" ;;
    *) echo "" ;;
    esac
}
status=0
checked=0
for file in "$root"/src/*/*; do
    case $file in *.h | *.cpp | *.inl) ;; *) continue ;; esac
    folder=$(basename "$(dirname "$file")")
    name=$(basename "$file")
    level=$folder
    [[ $name == "Main${folder^}.cpp" ]] && level=app
    ok=" $(allowed "$level") "
    if [ "$ok" = "  " ]; then
        echo "${file#$root/}: $folder has no place in the order of includes" >&2
        status=1
        continue
    fi
    case $level in
    month | chart | entry | output | cycle) grep -q '#include <windows.h>' "$file" && ok="$ok widgets " ;;
    esac
    checked=$((checked + 1))
    while read -r target; do
        dir=${target%%/*}
        if [[ $ok != *" $dir "* ]]; then
            echo "${file#$root/}: includes $target, which is not below $folder" >&2
            status=1
        fi
    done < <(grep -oE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/[^"]+"' "$file" |
        sed -E 's/.*"([^"]+)"/\1/')
done
# The main window's header is read by the handlers of every subsystem: it names the cycle window's
# types by declaration only, so that the cycles' rules stay out of every other subsystem's build.
if grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"cycle/' "$root/src/app/Main.h"; then
    echo "src/app/Main.h: includes a header of cycle; declare what it names instead" >&2
    status=1
fi
[ "$status" -eq 0 ] && echo "includes point down ($checked files)"
exit "$status"
