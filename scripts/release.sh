#!/usr/bin/env bash
# Builds the 64-bit and the 32-bit program and packs each into dist/PurimoManage-<version>-win64.zip
# and -win32.zip: the stripped executable, the manual as PDF where the build makes one, and a short
# Japanese read-me in code page 932 with CR LF line ends, as Notepad on a Japanese Windows reads it.
# The version is the one of the version resource.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" win64 win32 >/dev/null

version=$(sed -n 's/^ *VALUE "FileVersion", *"\([0-9.]*\)".*/\1/p' "$root/res/PurimoManage.rc")
[ -n "$version" ] || { echo "release: no FileVersion in res/PurimoManage.rc" >&2; exit 1; }
dist="$root/dist"
mkdir -p "$dist"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The manual: built when the build (this one, or the native one where it lives there) has a target
# for it, and then it must be there.
manual_pdf() {
    local dir target=""
    for dir in "$1" "$root/build/native"; do
        [ -f "$dir/CMakeCache.txt" ] || continue
        target=$(cmake --build "$dir" --target help 2>/dev/null |
            sed -n 's/^\.\.\. \([A-Za-z_]*manual[A-Za-z_]*\).*/\1/p' | head -n1)
        [ -n "$target" ] && break
    done
    [ -n "$target" ] || return 0
    cmake --build "$dir" --target "$target" >/dev/null
    local pdf
    pdf=$(find "$dir" -name '操作手順書.pdf' -newer "$root/CMakeLists.txt" -print -quit)
    [ -n "$pdf" ] || pdf=$(find "$dir" -name '操作手順書.pdf' -print -quit)
    if [ -z "$pdf" ]; then
        echo "release: the build target $target made no 操作手順書.pdf in $dir" >&2
        exit 1
    fi
    echo "$pdf"
}

readme="$stage/はじめにお読みください.txt"
iconv -f UTF-8 -t CP932 <<TEXT | sed 's/$/\r/' >"$readme"
プリモ バージョン $version

■ これは何か
毎朝の基礎体温を記録する日記です。1か月分の周期日数・体温・イベント・メモを
表と折れ線グラフで表示します。

■ 起動のしかた
この zip を好きなフォルダーに展開し、PurimoManage.exe をダブルクリックします。
インストールは不要です。起動すると今月の表が表示されます。
操作の詳しい説明は「操作手順書.pdf」(同梱されている場合) またはメニューの
[ヘルプ]-[操作手順書] をご覧ください。

■ データの保存場所
記録は PurimoManage.exe と同じフォルダーの client フォルダーに、月ごとのファイル
(例: 202601.dat) として保存されます。月を切り替えたときと終了したときに書き込まれます。
ウィンドウの位置とマーカー表示の設定はレジストリ
HKEY_CURRENT_USER\\Software\\Sorano\\PurimoManage に保存されます。

■ バックアップのしかた
プリモを終了してから、client フォルダーをフォルダーごと USB メモリなどへコピーします。
元に戻すときは、コピーしておいた client フォルダーを PurimoManage.exe と同じフォルダーへ
戻します。別のパソコンへ移すときも同じです。
TEXT

for kind in win64 win32; do
    dir="$root/build/$kind"
    exe="$dir/PurimoManage.exe"
    # The build strips the program and keeps its debug information apart; a program that still
    # carries it is not shipped.
    objdump=x86_64-w64-mingw32-objdump
    [ "$kind" = win32 ] && objdump=i686-w64-mingw32-objdump
    if "$objdump" -h "$exe" | grep -q '\.debug_info'; then
        echo "release: $exe carries debug information" >&2
        exit 1
    fi
    files=("$exe" "$readme")
    pdf=$(manual_pdf "$dir")
    [ -n "$pdf" ] && files+=("$pdf")
    zip="$dist/PurimoManage-$version-$kind.zip"
    rm -f "$zip"
    python3 - "$zip" "${files[@]}" <<'PY'
import os, sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for path in sys.argv[2:]:
        z.write(path, os.path.basename(path))
PY
    echo "release: $zip"
done
