#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine and prepares the project's own
# Wine prefix. Safe to run again: every step checks first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# "--64": only what the 64-bit program needs (the run command).
"$root/scripts/packages.sh" "$@"

# Wine takes its ANSI code page from the locale: ja_JP gives code page 932. The English one
# (code page 1252) proves that nothing depends on the system's code page.
for loc in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf8$"; then
        sudo_cmd=""
        [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
        $sudo_cmd sed -i "s/^# *$loc.UTF-8 UTF-8/$loc.UTF-8 UTF-8/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | $sudo_cmd tee -a /etc/locale.gen >/dev/null
        $sudo_cmd locale-gen >/dev/null
    fi
done

"$root/scripts/wineprefix.sh"
