#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every PDF the command line writes is sound: `qpdf --check` passes without a warning over a
# document of each of the eight formats, without and with pictures (in colour and for a
# black-and-white printer), and over a year in one file; and a page with a full picture
# places that picture once, whatever the number of tiles it was drawn in.
#   pdf_check_test.sh KALVORIN-HOST QELMARIN-CLI
set -u
host="$(realpath "$1")"
cli="$(realpath "$2")"
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1

if ! command -v qpdf >/dev/null; then
  echo "FAIL: qpdf is not installed (scripts/packages.txt, group test)" >&2
  exit 1
fi

"$host" init home --eto 7 >/dev/null || { echo "FAIL: kalvorin-host init" >&2; exit 1; }
copy_home home plain
printf '[PRINT 1]\r\nUnderBitmap=0\r\nHolidayReverse=1\r\n[PRINT 2]\r\nUnderBitmap=0\r\nCalendarPrint=1\r\n' \
  >>plain/Kalvorin.CFG
printf '[PRINT 3]\r\nUnderBitmap=0\r\n' >>plain/Kalvorin.CFG
copy_home home month
printf '[PRINT 1]\r\nUnderBitmap=1\r\nFullBMP=1\r\nColorLevel=2\r\nHolidayReverse=1\r\n' >>month/Kalvorin.CFG
printf '[PRINT 2]\r\nUnderBitmap=1\r\nFullBMP=1\r\nCalendarPrint=1\r\n' >>month/Kalvorin.CFG
printf '[PRINT 3]\r\nUnderBitmap=1\r\nFullBMP=1\r\nKouBMPUse=0\r\n' >>month/Kalvorin.CFG
copy_home month pentad
printf '[PRINT 3]\r\nUnderBitmap=1\r\nKouBMPUse=1\r\n' >>pentad/Kalvorin.CFG

# check_pdfs NAME HOME ARGS...: renders into out/NAME and checks every PDF made there.
check_pdfs() {
  local name="$1" home="$2"
  shift 2
  if ! "$cli" render --home "$home" --year 2027 --from 5 --dpi 150 --out "out/$name" "$@" >/dev/null 2>"err-$name"; then
    fail "$name: render failed: $(head -c 400 "err-$name")"
    return
  fi
  local pdf
  for pdf in out/"$name"/*.pdf; do
    if qpdf --check "$pdf" >"qpdf-$name" 2>&1 && ! grep -qi "warning" "qpdf-$name"; then
      pass
    else
      fail "$name: qpdf --check $pdf: $(grep -i -m3 "warning\|error" "qpdf-$name")"
    fi
  done
}

for format in 1 2 3 4 5 6 7 8; do
  [[ $format == 4 ]] || check_pdfs "plain-$format" plain --format "$format" --days 1-3
  case $format in
  1 | 2 | 3) check_pdfs "month-$format" month --format "$format" --days 1-3 ;;
  esac
done
check_pdfs "poster" month --format 4
check_pdfs "pentad" pentad --format 3 --days 1-3
check_pdfs "mono-1" month --format 1 --mono
check_pdfs "mono-3" month --format 3 --days 1-2 --mono
check_pdfs "year" month --format 1 --from 1 --to 12 --one-file

# The pictures a page draws, by the operators that paint images in its content.
image_paints() { # PDF PAGE
  qpdf --qdf --object-streams=disable "$1" "$tmp/qdf.pdf" 2>/dev/null
  # qpdf --qdf writes each page's content stream after a "%% Contents for page N" line.
  awk -v page="$2" '
    $0 == "%% Contents for page " page { inside = 1; next }
    inside && /^endstream/ { exit }
    inside && /\/x[0-9]+ Do/ { count++ }
    END { print count + 0 }' "$tmp/qdf.pdf"
}
plain_paints="$(image_paints out/plain-1/*.pdf 1)"
month_paints="$(image_paints out/month-1/*.pdf 1)"
if [[ "$month_paints" == $((plain_paints + 1)) ]]; then
  pass
else
  fail "the calendar page with its picture paints $month_paints images, without it $plain_paints"
fi
year_paints="$(image_paints out/year/*.pdf 12)"
if [[ "$year_paints" == "$month_paints" ]]; then
  pass
else
  fail "December's page of the year paints $year_paints images, May's page alone $month_paints"
fi

finish
