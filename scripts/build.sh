#!/usr/bin/env bash
# Builds the given targets' folders: native (core and its tests), win64 (the program and its
# Windows tests), win32 (the 32-bit program). Without arguments, all three.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kinds=("$@")
[ ${#kinds[@]} -eq 0 ] && kinds=(native win64 win32)
jobs=$(nproc)
for kind in "${kinds[@]}"; do
    case "$kind" in
    native) args=() ;;
    win64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
    win32) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
    *) echo "unknown build $kind" >&2; exit 2 ;;
    esac
    dir="$root/build/$kind"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPython3_EXECUTABLE=/usr/bin/python3 \
            "${args[@]}" >/dev/null
    fi
    cmake --build "$dir" -j"$jobs"
done
