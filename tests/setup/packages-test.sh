#!/usr/bin/env bash
# The set-up's package decisions, without network: apt-get, dpkg and dpkg-query are stand-ins on
# PATH that report every package missing, fail the index update, refuse every i386 install and
# install the 64-bit set only when it is pinned to the system's release.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/apt-get" <<'STAND'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STANDIN_LOG"
case " $* " in
*" update "*) echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size" >&2; exit 100 ;;
*":i386 "*) echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100 ;;
*" -o APT::Default-Release=bookworm "*) exit 0 ;;
*) echo "E: plain install refused" >&2; exit 100 ;;
esac
STAND
printf '#!/bin/sh\nexit 1\n' >"$work/bin/dpkg-query"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/dpkg"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*
echo 'VERSION_CODENAME=bookworm' >"$work/os-release"

passed=0 failed=0
check() {
    if [ "$1" = ok ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $2"; fi
}
run() {
    : >"$work/log"
    env -u PURIMO_NO_WIN32_RUN PATH="$work/bin:$PATH" STANDIN_LOG="$work/log" PURIMO_OS_RELEASE="$work/os-release" \
        "$@" "$root/scripts/setup.sh" --packages-only >"$work/out" 2>&1
}

run env
code=$?
[ "$code" -eq 0 ] && check ok || check no "a refused 32-bit set ends the set-up with $code"
grep -q '^setup: the 32-bit Wine could not be installed, so the 32-bit program is built but not run: E: Unable to correct problems' \
    "$work/out" && check ok || check no "no line names the 32-bit set and apt's error: $(cat "$work/out")"
[ "$(grep -c 'Default-Release=bookworm' "$work/log")" -eq 2 ] && check ok ||
    check no "each set is not tried pinned once: $(cat "$work/log")"

run env PURIMO_REQUIRE_WIN32=1
[ $? -ne 0 ] && check ok || check no "PURIMO_REQUIRE_WIN32=1 passes without the 32-bit set"

run env PURIMO_NO_WIN32_RUN=1
{ [ $? -eq 0 ] && ! grep -q i386 "$work/log"; } && check ok || check no "PURIMO_NO_WIN32_RUN still asks for i386"

echo "setup: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
