#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine and prepares the project's own
# Wine prefix. Safe to run again: every step checks first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(cmake g++ make python3 zip unzip xdotool libgtest-dev googletest libbenchmark-dev
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
if [ -n "${PURIMO_NO_WIN32_RUN:-}" ]; then
    packages32=()
elif ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd dpkg --add-architecture i386
fi
packages+=("${packages32[@]}")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

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
