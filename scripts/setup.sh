#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine and prepares the project's own
# Wine prefix. Safe to run again: every step checks first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# "--64": only what the 64-bit program needs (the run command); "--packages-only": the packages and
# nothing after them (the test of these decisions).
#
# The packages come in two sets: the 64-bit set (always) and the 32-bit Wine with its i386
# libraries (not with "--64" or PURIMO_NO_WIN32_RUN). A package index that cannot be read does not
# stop the set-up: only an install that fails counts. A set whose install fails is tried once more
# pinned to the system's release, which takes both architectures from the same suite when the
# security index of one of them cannot be read. When the 32-bit set still cannot be installed, one
# line says why and the set-up goes on (PURIMO_REQUIRE_WIN32=1 makes that a failure).
packages64=(cmake g++ make python3 zip unzip xdotool libgtest-dev googletest libbenchmark-dev
            g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
            wine wine64 xvfb xauth x11-utils imagemagick locales
            fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine fonts-dejavu-core
            cups printer-driver-cups-pdf poppler-utils weasyprint)
# The 32-bit program runs under Wine's 32-bit half. Wine only recommends the i386 libraries that
# printing (libcups2: without it the 32-bit program sees no printer) and drawing need, and this
# installs without recommends, so they are named here.
packages32=(wine32:i386 libcups2:i386 libxrender1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386
            libxext6:i386 libxinerama1:i386 libxcomposite1:i386 libxfixes3:i386 libfreetype6:i386
            libfontconfig1:i386)

want32=1
packages_only=0
for arg in "$@"; do
    case "$arg" in
    --64) want32=0 ;;
    --packages-only) packages_only=1 ;;
    *) echo "setup: unknown option $arg" >&2; exit 2 ;;
    esac
done
[ -n "${PURIMO_NO_WIN32_RUN:-}" ] && want32=0

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"

missing_of() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

updated=0
apt_update_once() {
    [ "$updated" -eq 1 ] && return 0
    updated=1
    if ! $sudo_cmd apt-get update -qq; then
        echo "setup: some package indexes could not be read (above); going on with those that could"
    fi
}

# The release the system is on, for the pinned second try.
codename() {
    local name=""
    [ -r "${PURIMO_OS_RELEASE:-/etc/os-release}" ] &&
        name=$(sed -n 's/^VERSION_CODENAME=//p' "${PURIMO_OS_RELEASE:-/etc/os-release}" | tr -d '"')
    echo "$name"
}

last_error=""
# Installs the named packages: plainly, then pinned to the system's release. Keeps apt's last error
# line in last_error.
install_set() {
    local log release
    log=$(mktemp)
    if DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "$@" \
        >"$log" 2>&1; then
        rm -f "$log"
        return 0
    fi
    release=$(codename)
    if [ -n "$release" ]; then
        echo "setup: the install failed; trying again with the packages of $release"
        if DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
            -o APT::Default-Release="$release" "$@" >"$log" 2>&1; then
            rm -f "$log"
            return 0
        fi
    fi
    last_error=$(grep -E '^(E|W):' "$log" | tail -n 1)
    [ -n "$last_error" ] || last_error=$(tail -n 1 "$log")
    rm -f "$log"
    return 1
}

install_packages() {
    mapfile -t missing < <(missing_of "${packages64[@]}")
    if [ ${#missing[@]} -gt 0 ]; then
        echo "setup: installing ${missing[*]}"
        apt_update_once
        if ! install_set "${missing[@]}"; then
            echo "setup: the packages could not be installed: $last_error" >&2
            return 1
        fi
    fi

    [ "$want32" -eq 1 ] || return 0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo_cmd dpkg --add-architecture i386
        updated=0
    fi
    mapfile -t missing < <(missing_of "${packages32[@]}")
    [ ${#missing[@]} -gt 0 ] || return 0
    echo "setup: installing ${missing[*]}"
    apt_update_once
    install_set "${missing[@]}" && return 0
    if [ "${PURIMO_REQUIRE_WIN32:-}" = "1" ]; then
        echo "setup: the 32-bit Wine could not be installed, and PURIMO_REQUIRE_WIN32=1 asks for it: $last_error" >&2
        return 1
    fi
    echo "setup: the 32-bit Wine could not be installed, so the 32-bit program is built but not run: $last_error"
}
install_packages || exit 1
[ "$packages_only" -eq 1 ] && exit 0

# Wine takes its ANSI code page from the locale: ja_JP gives code page 932. The English one
# (code page 1252) proves that nothing depends on the system's code page.
for loc in ja_JP en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf8$"; then
        $sudo_cmd sed -i "s/^# *$loc.UTF-8 UTF-8/$loc.UTF-8 UTF-8/" /etc/locale.gen
        grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | $sudo_cmd tee -a /etc/locale.gen >/dev/null
        $sudo_cmd locale-gen >/dev/null
    fi
done

"$root/scripts/wineprefix.sh"
