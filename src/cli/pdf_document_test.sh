#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The PDFs the command line writes are documents, read with the tools a user has: every word
# a page shows is found by pdftotext (default and -layout) as often as the drawing trace
# shows it; the title, outline, page labels and language say what the document holds; black
# is gray and a black-and-white page has no colour at all; the page is the paper at any
# resolution, with rules that cover nothing at 24 dpi; pictures are stored once, unsmoothed.
#   pdf_document_test.sh KALVORIN-HOST QELMARIN-CLI
set -u
host="$(realpath "$1")"
cli="$(realpath "$2")"
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1

for tool in pdftotext pdfinfo pdfimages qpdf gs; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/packages.txt, group test)" >&2; exit 1; }
done
"$host" init home --eto 7 >/dev/null || { echo "FAIL: kalvorin-host init" >&2; exit 1; }
copy_home home plain
printf '[PRINT 1]\r\nUnderBitmap=0\r\n[PRINT 3]\r\nUnderBitmap=0\r\n' >>plain/Kalvorin.CFG
copy_home home pentad
printf '[PRINT 3]\r\nUnderBitmap=1\r\nKouBMPUse=1\r\n' >>pentad/Kalvorin.CFG

render() { # NAME HOME ARGS...: the document(s) of the args in out/NAME
  local name="$1" home="$2"
  shift 2
  "$cli" render --home "$home" --year 2027 --out "out/$name" "$@" >/dev/null 2>"err-$name" ||
    fail "$name: render failed: $(head -c 300 "err-$name")"
}
render year home --format 1 --from 1 --to 12 --one-file
render daily pentad --format 3 --from 1 --to 2 --days 1-31 --one-file
render mono home --format 1 --from 2 --mono
render mono-plain plain --format 1 --from 2 --mono
render dpi24 plain --format 1 --from 2 --dpi 24
render dpi600 plain --format 1 --from 2
for format in 1 2 3 5; do
  render "words-$format" plain --format "$format" --from 2 --days 1-7
  render "trace-$format" plain --format "$format" --from 2 --days 1-7 --trace
done

for pdf in out/*/*.pdf; do
  if qpdf --check "$pdf" >qpdf.txt 2>&1 && ! grep -qi "warning" qpdf.txt; then pass; else
    fail "qpdf --check $pdf: $(grep -i -m3 "warning\|error" qpdf.txt)"; fi
done

# Words: each vertical run comes out whole, in default and -layout order alike.
for format in 1 2 3 5; do
  for word in 大安 立春 天赦日 一粒万倍日; do
    shown="$(grep -o "$word" out/trace-"$format"/*.trace | wc -l)"
    for mode in "" -layout; do
      found="$(pdftotext $mode out/words-"$format"/*.pdf - | grep -o "$word" | wc -l)"
      check "format $format: pdftotext $mode finds $word $found times, the page shows it $shown" \
        test "$found" -eq "$shown"
    done
  done
done
# The day numbers and weekday heads are pictures that carry their text.
check "the calendar's weekday heads and day numbers are text" \
  grep -q "日.*月.*火.*水.*木.*金.*土" <(pdftotext -layout out/words-1/*.pdf - | tr -d ' ')
check "the calendar's day 21 is text" grep -q "廿一" <(pdftotext out/words-1/*.pdf -)

# What the document says of itself.
year="$(ls out/year/*.pdf)"
check "the year's title: $(pdfinfo "$year" | grep Title)" grep -qx "Title: *Kalvorin 2027年 暦 一月〜十二月" <(pdfinfo "$year")
check "the year's creator" grep -qx "Creator: *Qelmarin" <(pdfinfo "$year")
outline() { # PDF: one line per outline entry, its depth and title
  qpdf --json --json-key=outlines "$1" | python3 -c '
import json, sys
def walk(entries, depth):
    for e in entries:
        print(depth, e["title"]); walk(e["kids"], depth + 1)
walk(json.load(sys.stdin)["outlines"], 0)'
}
check "the year's outline is its twelve months" test "$(outline "$year" | grep -c "^0 2027年 .*月$")" -eq 12
daily="$(ls out/daily/*.pdf)"
outline "$daily" >daily-outline
check "the daily pages' outline: two months" test "$(grep -c "^0 " daily-outline)" -eq 2
check "the daily pages' outline: a day a page under its month" test "$(grep -c "^1 " daily-outline)" -eq 59
check "February 28 under February" grep -q "^1 28日 (日)" <(sed -n '/^0 2027年 二月/,$p' daily-outline)
check "page labels name the days" grep -q '"1月1日"\|1月1日' <(qpdf --json --json-key=pagelabels "$daily")
qpdf --qdf --object-streams=disable "$year" year-qdf.pdf 2>/dev/null
check "the year's language is ja" grep -aq "/Lang (ja)" year-qdf.pdf

# Black is gray: a black-and-white page without picture inks K only; with its picture too;
# a colour page keeps its colours.
inkcov() { gs -q -o - -sDEVICE=inkcov -r"${2:-72}" "$1" | head -1; }
read -r c m y k _ <<<"$(inkcov out/mono-plain/*.pdf)"
check "a black-and-white page inks K only: $c $m $y $k" awk -v c="$c" -v m="$m" -v y="$y" -v k="$k" \
  'BEGIN { exit !(c == 0 && m == 0 && y == 0 && k > 0) }'
read -r c m y k _ <<<"$(inkcov out/mono/*.pdf)"
check "a black-and-white page with its picture inks K only: $c $m $y $k" awk -v c="$c" -v m="$m" -v y="$y" \
  'BEGIN { exit !(c == 0 && m == 0 && y == 0) }'
check "a black-and-white picture is gray" test "$(pdfimages -list out/mono/*.pdf | awk 'NR > 2 && $6 == "rgb"' | wc -l)" -eq 0
read -r c m y k _ <<<"$(inkcov out/dpi600/*.pdf)"
check "a colour page keeps its red and blue: $c $m $y $k" awk -v m="$m" 'BEGIN { exit !(m > 0) }'

# The paper at any resolution; rules that stay rules at 24 dpi.
for name in dpi24 dpi600 year; do
  check "$name is A4 exactly: $(pdfinfo out/$name/*.pdf | grep 'Page size')" \
    grep -q "Page size: *595.276 x 841.89 pts (A4)" <(pdfinfo out/$name/*.pdf)
done
# Seen at 150 dpi, where a rule of 24 dpi (3 pt) would be three dots wide and one of 600 dpi one.
k24="$(inkcov out/dpi24/*.pdf 150 | awk '{ print $4 }')"
k600="$(inkcov out/dpi600/*.pdf 150 | awk '{ print $4 }')"
check "the page at 24 dpi inks about what it does at 600 dpi: K $k24 against $k600" \
  awk -v a="$k24" -v b="$k600" 'BEGIN { exit !(a <= 1.5 * b) }'

# Pictures once, no smoothing asked at 600 dpi: a pentad picture is one image for its days.
pictures="$(pdfimages -list "$daily" | awk 'NR > 2 && $4 >= 100 { print $11 }' | sort -u | wc -l)"
check "the 59 daily pages hold $pictures pentad pictures (at most 13 pentads)" test "$pictures" -ge 2 -a "$pictures" -le 13
check "no picture asks for smoothing at 600 dpi" \
  test "$(pdfimages -list "$year" "$daily" 2>/dev/null | awk 'NR > 2 && $10 == "yes"' | wc -l)" -eq 0

finish
