#!/usr/bin/env bash
# Checks the built manual: a PDF of many pages in the IPA fonts, with its pictures, its chapters,
# and every message that the program can show. Arguments: the PDF and the source root.
set -euo pipefail
pdf=$1
src=$2
export LC_ALL=C
fail() { echo "manual: $*" >&2; exit 1; }

pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "${pages:-0}" -ge 15 ] || fail "only ${pages:-0} pages"

# A font other than IPA's stands for text that fell back to a font without Japanese glyphs.
others=$(pdffonts "$pdf" | tail -n +3 | awk '{print $1}' | grep -v '+IPA' || true)
[ -z "$others" ] || fail "fonts other than IPA: $others"

# Every picture the HTML names is a local file and is in the PDF.
html="$src/docs/manual/manual.html"
! grep -qE '(src|href)="[a-z]+:' "$html" "$src/docs/manual/manual.css" || fail "a resource outside the manual's folder"
named=$(grep -oE 'src="[^"]+"' "$html" | sort -u | wc -l)
embedded=$(pdfimages -list "$pdf" | tail -n +3 | grep -c ' image ' || true)
[ "$embedded" -ge "$named" ] || fail "$embedded pictures in the PDF, $named named"

# The text in the order it was laid out (a table cell stays whole), without blanks and line
# breaks, so that words broken across lines still match.
text=$(pdftotext -raw -enc UTF-8 "$pdf" - | tr -d ' \n\f')
for heading in 目次 起動と終了 メイン画面の見かた 毎日の記録を入力する 月を切り替える グラフの見かた \
    印刷とビットマップ保存 データの保存場所とバックアップ .bakファイルについて メッセージ一覧と対処方法 \
    'client\2026' 'HKEY_CURRENT_USER\Software\Sorano\PurimoManage'; do
    [[ $text == *"$heading"* ]] || fail "no \"$heading\""
done

# Each message text of the program, in its pieces around the inserted name or number.
missing=0
while IFS= read -r literal; do
    IFS=$'\x01' read -r -a pieces <<<"${literal//%s/$'\x01'}"
    for piece in "${pieces[@]}"; do
        piece=$(tr -d ' (' <<<"$piece")
        [ -z "$piece" ] && continue
        [[ $text == *"$piece"* ]] || { echo "manual: message not explained: $literal" >&2; missing=1; }
    done
done < <(grep -hE 'AppError\(|ReportError\(|return "' "$src"/src/*/*.cpp "$src"/src/*/*.inl |
    grep -oE '"[^"]*"' | tr -d '"' | grep -P '[^\x00-\x7F]' | sort -u)
[ "$missing" -eq 0 ] || exit 1
echo "manual: $pages pages"
