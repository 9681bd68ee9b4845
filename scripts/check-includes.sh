#!/usr/bin/env bash
# Every include points down: common depends on nothing of ours, its Win32 files included; month and
# chart on common; entry, output and cycle on those; widgets (Win32 pieces) on common alone. The
# Win32 files of month, chart, entry, output and cycle (those that include <windows.h>, among them
# the main window's handlers) and app may use everything below them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
allowed() {
    case $1 in
    common) echo "common" ;;
    month) echo "common month" ;;
    chart) echo "common chart" ;;
    entry) echo "common month chart entry" ;;
    output) echo "common month chart output" ;;
    cycle) echo "common month chart cycle" ;;
    widgets) echo "common widgets" ;;
    esac
}
status=0
for file in "$root"/src/*/*.h "$root"/src/*/*.cpp "$root"/src/*/*.inl; do
    [ -e "$file" ] || continue
    folder=$(basename "$(dirname "$file")")
    case $folder in
    app) continue ;;
    # A subsystem's Win32 files stand above the widgets; those of common and the widgets' own stay
    # below.
    month | chart | entry | output | cycle) grep -q '#include <windows.h>' "$file" && continue ;;
    esac
    ok=" $(allowed "$folder") "
    while read -r target; do
        dir=${target%%/*}
        if [[ $ok != *" $dir "* ]]; then
            echo "${file#$root/}: includes $target, which is not below $folder" >&2
            status=1
        fi
    done < <(grep -oE '^#include "[a-z]+/[^"]+"' "$file" | sed -E 's/#include "([^"]+)"/\1/')
done
[ "$status" -eq 0 ] && echo "includes point down"
exit "$status"
