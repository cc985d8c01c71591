#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The contract of both command lines, run on the built programs: --help and --version at
# every level, usage errors (exit 2, naming the argument, on stderr), --opt=value, the month
# defaults of render, the order of the host-folder search and of the paper, --one-file, and
# day's header line.
#   contract_test.sh QELMARIN_CLI KALVORIN_HOST
set -uo pipefail
cli="$(realpath "$1")"
host="$(realpath "$2")"
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1
unset KALVORIN_HOME PAPERSIZE
export PAPERCONF="$tmp/papersize" # the machine's /etc/papersize stays out of the test
export XDG_DATA_HOME="$tmp/xdg" HOME="$tmp/home"

# run STATUS CMD...: runs CMD with stdout in $tmp/out and stderr in $tmp/err, wants STATUS.
run() {
  local want="$1"
  shift
  "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  if [[ "$got" != "$want" ]]; then
    fail "$* exited $got, not $want; stderr: $(head -c 600 "$tmp/err")"
    return 1
  fi
  pass
}
# expect FILE PATTERN WHAT: FILE holds a line matching the extended regular expression.
expect() {
  if grep -Eq -- "$2" "$tmp/$1"; then
    pass
  else
    fail "$3: no line of $1 matches /$2/; it holds: $(head -c 600 "$tmp/$1")"
  fi
}
empty() {
  if [[ -s "$tmp/$1" ]]; then
    fail "$2: $1 is not empty: $(head -c 300 "$tmp/$1")"
  else
    pass
  fi
}
differs() { ! cmp -s "$1" "$2"; }

# --help on stdout with exit 0, and --version, at every level of both programs.
for words in "" "day" "render" "cmp" "ics" "month" "print"; do
  run 0 "$cli" $words --help && expect out "^usage: qelmarin-cli${words:+ $words}" "qelmarin-cli $words --help" &&
    empty err "qelmarin-cli $words --help"
  run 0 "$cli" $words --version && expect out "^qelmarin-cli [0-9]+\.[0-9]+" "qelmarin-cli $words --version"
done
run 0 "$cli" render -h && expect out "--one-file" "render --help lists --one-file"
for words in "" "dayfile" "events" "holidays" "init"; do
  run 0 "$host" $words --help && expect out "^usage: kalvorin-host${words:+ $words}" "kalvorin-host $words --help" &&
    empty err "kalvorin-host $words --help"
  run 0 "$host" $words --version && expect out "^kalvorin-host [0-9]+\.[0-9]+" "kalvorin-host $words --version"
done

# Usage errors: exit 2, the bad argument named, the one-line usage of that command.
run 2 "$cli" && expect err "^usage: qelmarin-cli COMMAND" "no command"
run 2 "$cli" frob && expect err "unknown command 'frob'" "unknown command"
run 2 "$cli" render --colour --out x && expect err "'--colour'" "unknown option named" &&
  expect err "^usage: qelmarin-cli render " "render's usage line"
run 2 "$cli" render --out && expect err "option --out needs a value" "missing value"
run 2 "$cli" render --mono=yes --out x && expect err "--mono takes no value" "switch with a value"
run 2 "$cli" render --paper a2 --out x && expect err "'a2' is not one of A4\|" "unknown paper lists the known"
run 2 "$cli" render --year 2027 --from 5 --to 3 --out x && expect err "--from 5 is after --to 3" "reversed months"
run 2 "$cli" render --preview --one-file --out x && expect err "--one-file" "--one-file with --preview"
run 2 "$cli" render --paper a3 --dpi 2400 --out x && expect err "--dpi 2400 is too fine for A3: at most 1981" "dpi by paper"
run 0 "$cli" render --help && expect out "A3 goes up to 1981" "the help says the limit of A3"
run 2 "$cli" day 2027-02-30 && expect err "'2027-02-30'" "not a date"
run 2 "$cli" cmp encode only-one && expect err "two files" "cmp with one file"
printf 'BM not a picture' >"$tmp/same.bmp"
ln -s same.bmp "$tmp/same-link.bmp"
for out in "$tmp/same.bmp" "$tmp/same-link.bmp"; do
  run 2 "$cli" cmp encode "$tmp/same.bmp" "$out" && expect err "IN and OUT are the same file" "cmp encode onto its input"
  run 2 "$cli" cmp decode "$tmp/same.bmp" "$out" && expect err "IN and OUT are the same file" "cmp decode onto its input"
done
check "the input of cmp is kept" test "$(cat "$tmp/same.bmp")" = "BM not a picture"
for eto in 0 61 x; do
  run 2 "$cli" day --eto "$eto" 2027-01-01 && expect err "--eto needs a whole number from 1 to 60" "day --eto $eto"
  run 2 "$host" init "$tmp/never" --eto "$eto" && expect err "--eto needs a whole number from 1 to 60" "init --eto $eto"
done
check "nothing is made on a usage error" test ! -e "$tmp/never"
run 2 "$host" init "$tmp/never" && expect err "--eto N is required" "init without --eto"
run 2 "$cli" day --eto 1990 2027-01-01 && expect err "1990 is a year: its sign is 7 \(庚午\), or give --born" "a year for --eto"

# ics: the notes' names, the dates and their order.
run 2 "$cli" ics --notes terms,moon && expect err "'moon' is not one of all, rokuyo, terms" "unknown note kind"
run 2 "$cli" ics --from 2027-13-01 && expect err "not a date \(YYYY-MM-DD\): '2027-13-01'" "ics --from not a date"
run 2 "$cli" ics --from 1900-12-31 && expect err "--from 1900-12-31 is outside 1901-01-01" "ics before the day file"
run 2 "$cli" ics --from 2027-05-01 --to 2027-04-30 && expect err "--from is after --to" "ics reversed range"
run 2 "$cli" print --from 2027-13 && expect err "--from needs a month" "print checks render's options first" &&
  expect err "^usage: qelmarin-cli print" "print's usage line"
run 2 "$host" events 1900 && expect err "YEAR needs a whole number from 1901 to 2100" "events out of range"
run 2 "$host" frob && expect err "^usage: kalvorin-host COMMAND" "host usage"

# `dayfile --help` is help, not a file named --help; `dayfile -` writes to standard output.
mkdir -p "$tmp/work"
cd "$tmp/work" && run 0 "$host" dayfile --help && check "dayfile --help writes no file" test -z "$(ls -A "$tmp/work")"
cd "$tmp" || exit 1
run 0 "$host" dayfile - && check "dayfile - writes 73,050 records to stdout" test "$(stat -c %s "$tmp/out")" = 1095750

# The host folder: the user's data folder, made by init without DIR and found with no option.
run 1 "$cli" day 2027-01-01 && expect err "no host folder: make one where the programs look with .kalvorin-host init --eto N." "the hint" &&
  expect err "$tmp/xdg/kalvorin/Kalvorin.CFG not found" "the folder looked in"
run 0 "$host" init --eto=7 && check "init made the XDG folder" test -f "$tmp/xdg/kalvorin/Kalvorin.CFG"
run 0 "$cli" day 2027-01-01 && expect out "^2027-01-01	" "day in the XDG folder" && empty err "day"
run 1 "$host" init --eto 7 && expect err "^kalvorin-host init: .*use --force" "kalvorin-host's failure names its command"
# --start-weekday takes the same values in both programs.
run 0 "$host" init "$tmp/monday" --eto 7 --start-weekday Monday && check "init --start-weekday Monday" grep -aq $'^Start Youbi=1\r$' "$tmp/monday/Kalvorin.CFG"
run 2 "$host" init "$tmp/never" --eto 7 --start-weekday tuesday && expect err "--start-weekday needs sunday or monday \(or 0 or 1\), not 'tuesday'" "init --start-weekday tuesday"
# No date is today; today and tomorrow stand for dates, as cal and remind take them.
today="$(date +%F)"
run 0 "$cli" day && expect out "^$today	" "day without a date is today"
run 0 "$cli" day today tomorrow && check "today and tomorrow" test "$(wc -l <"$tmp/out")" = 2 &&
  expect out "^$(date -d tomorrow +%F)	" "tomorrow"
run 2 "$cli" day tomorrow today && expect err "the last date is before the first" "tomorrow before today"
KALVORIN_HOME="$tmp/nowhere" run 1 "$cli" day 2027-01-01 && expect err "$tmp/nowhere/Kalvorin.CFG not found \(host folder from KALVORIN_HOME\)" "KALVORIN_HOME before XDG"
KALVORIN_HOME="$tmp/nowhere" run 0 "$cli" day --home="$tmp/xdg/kalvorin" 2027-01-01 && expect out "^2027-01-01	" "--home before KALVORIN_HOME"
XDG_DATA_HOME= run 1 "$cli" day 2027-01-01 && expect err "$tmp/home/.local/share/kalvorin/Kalvorin.CFG" "~/.local/share without XDG_DATA_HOME"

# day: sixteen columns; the header only when asked (stdout is no terminal here).
run 0 "$cli" day 2027-01-01 2027-01-03 && check "three lines without a header" test "$(wc -l <"$tmp/out")" = 3
check "sixteen columns" test "$(head -1 "$tmp/out" | awk -F'\t' '{print NF}')" = 16
run 0 "$cli" day --header 2027-01-01 && expect out "^date	weekday	day_sign	" "the header" &&
  check "a header of sixteen names" test "$(head -1 "$tmp/out" | awk -F'\t' '{print NF}')" = 16
# The fortune rank is a bare word ("吉", not the pages' centred " 吉 "), every day of a year.
run 0 "$cli" day 2027-01-01 2027-12-31 &&
  check "a year of fortune ranks without spaces" test -z "$(awk -F'\t' '$12 == "" || $12 ~ / /' "$tmp/out")" &&
  check "the one-character ranks are among them" grep -q "	吉	" "$tmp/out"

# Month defaults: --year alone is the year, --year --to 3 is January to March.
run 0 "$cli" render --year 2027 --to 3 --trace --out "$tmp/q1" &&
  check "--year --to 3 draws January to March" test "$(ls "$tmp/q1")" = "$(printf '2027-01-1-calendar.trace\n2027-02-1-calendar.trace\n2027-03-1-calendar.trace')"
run 0 "$cli" render --year 2027 --trace --out "$tmp/year" && check "--year alone draws twelve months" test "$(ls "$tmp/year" | wc -l)" = 12

# --one-file: the months in one trace are the months of the separate files, in order; each
# later month begins a new page (instead of the page size a file of its own begins with) and
# starts from the drawing state of a new canvas.
later_month() {
  printf 'page\nfont\t\t0\t0\t0\ncolor\t0x000000\nbrush\t0xFFFFFF\tsolid\npen\t0x000000\n'
  tail -n +2 "$1"
}
run 0 "$cli" render --year 2027 --to 3 --trace --one-file --out "$tmp/one" &&
  check "one trace file" test "$(ls "$tmp/one")" = "2027-01-to-03-1-calendar.trace" &&
  check "the one trace is the three traces" cmp -s "$tmp/one/2027-01-to-03-1-calendar.trace" \
    <(cat "$tmp/q1/2027-01-1-calendar.trace" && later_month "$tmp/q1/2027-02-1-calendar.trace" &&
      later_month "$tmp/q1/2027-03-1-calendar.trace")
if command -v pdfinfo >/dev/null; then
  run 0 "$cli" render --year 2027 --to 3 --dpi 100 --one-file --out "$tmp/pdf" &&
    expect out "2027-01-to-03-1-calendar.pdf" "the one PDF's name" &&
    check "one PDF of three pages" test "$(pdfinfo "$tmp/pdf/2027-01-to-03-1-calendar.pdf" | awk '/^Pages:/{print $2}')" = 3
fi

# Across a year's end (a fiscal year): each month with its own year, in one file or in four.
run 0 "$cli" render --from 2027-11 --to 2028-02 --trace --out "$tmp/fy" &&
  check "four months across the year's end" test "$(ls "$tmp/fy" | tr '\n' ' ')" = \
  "2027-11-1-calendar.trace 2027-12-1-calendar.trace 2028-01-1-calendar.trace 2028-02-1-calendar.trace "
run 0 "$cli" render --year 2028 --from 1 --trace --out "$tmp/jan" &&
  check "January of the run is January 2028" cmp -s "$tmp/jan/2028-01-1-calendar.trace" "$tmp/fy/2028-01-1-calendar.trace"
run 0 "$cli" render --from 2027-11 --to 2028-02 --trace --one-file --out "$tmp/fy1" &&
  check "one trace across years" test "$(ls "$tmp/fy1")" = "2027-11-to-2028-02-1-calendar.trace" &&
  check "the one trace is the four" cmp -s "$tmp/fy1/2027-11-to-2028-02-1-calendar.trace" \
    <(cat "$tmp/fy/2027-11-1-calendar.trace" && later_month "$tmp/fy/2027-12-1-calendar.trace" &&
      later_month "$tmp/fy/2028-01-1-calendar.trace" && later_month "$tmp/fy/2028-02-1-calendar.trace")
if command -v pdfinfo >/dev/null; then
  run 0 "$cli" render --from 2027-11 --to 2028-02 --dpi 100 --one-file --out "$tmp/fypdf" &&
    check "one PDF of four pages across years" \
      test "$(pdfinfo "$tmp/fypdf/2027-11-to-2028-02-1-calendar.pdf" | awk '/^Pages:/{print $2}')" = 4
fi
run 2 "$cli" render --from 2027-13 --out x && expect err "--from needs a month: YYYY-MM \(1901-01 ... 2100-12\) or 1-12, not '2027-13'" "not a month"
run 2 "$cli" render --from 2028-04 --to 2028-03 --out x && expect err "--from 2028-04 is after --to 2028-03" "reversed across years"

# Choices for one run: the birth sign from a birth date (立春 boundary), a named place, the
# first weekday and print settings, none of them written to Kalvorin.CFG.
cfg="$tmp/xdg/kalvorin/Kalvorin.CFG"
cp "$cfg" "$tmp/cfg-before"
run 0 "$cli" day --eto 1 2027-01-01 2027-12-31 && mv "$tmp/out" "$tmp/eto1"
run 0 "$cli" day --eto 2 2027-01-01 2027-12-31 && mv "$tmp/out" "$tmp/eto2"
check "1 and 2 differ" differs "$tmp/eto1" "$tmp/eto2"
run 0 "$cli" day --born 1985-02-03 2027-01-01 2027-12-31 && check "born the day before 立春 1985 is 甲子 (1)" cmp -s "$tmp/out" "$tmp/eto1"
run 0 "$cli" day --born 1985-02-04 2027-01-01 2027-12-31 && check "born on 立春 1985 is 乙丑 (2)" cmp -s "$tmp/out" "$tmp/eto2"
run 2 "$cli" day --born 1990-01-15 --eto 6 2027-01-01 && expect err "give --eto or --born, not both" "--born with --eto"
run 0 "$cli" day --place sapporo 2027-06-21 && sapporo="$(cut -f16 "$tmp/out")"
run 0 "$cli" day --place naha 2027-06-21 && check "Sapporo's sun is not Naha's ($sapporo)" test "$sapporo" != "$(cut -f16 "$tmp/out")"
run 0 "$cli" day --place 43.0642,141.3469,20 2027-06-21 && check "sapporo is its coordinates" test "$sapporo" = "$(cut -f16 "$tmp/out")"
run 2 "$cli" day --place atlantis 2027-06-21 && expect err "'atlantis' is neither a prefectural capital" "unknown place"
run 0 "$cli" render --year 2027 --from 1 --format 3 --days 1-1 --trace --out "$tmp/daily"
run 0 "$cli" render --year 2027 --from 1 --format 3 --days 1-1 --trace --set 'PRINT 3.UnderBitmap=1' --out "$tmp/under" &&
  check "--set changes the daily page" differs "$tmp/daily/2027-01-3-daily.trace" "$tmp/under/2027-01-3-daily.trace"
run 0 "$cli" render --year 2027 --from 1 --trace --out "$tmp/sun"
run 0 "$cli" render --year 2027 --from 1 --trace --start-weekday monday --out "$tmp/mon" &&
  check "--start-weekday changes the calendar" differs "$tmp/sun/2027-01-1-calendar.trace" "$tmp/mon/2027-01-1-calendar.trace"
run 2 "$cli" render --set 'PRINT 1.UnderBitmap=maybe' --out x && expect err "--set 'PRINT 1.UnderBitmap=maybe': PRINT 1.UnderBitmap needs 1 or 0" "a bad --set"
check "Kalvorin.CFG is never written by the run's choices" cmp -s "$cfg" "$tmp/cfg-before"
run 0 "$host" init "$tmp/born" --born 1990-01-15 && check "init --born writes ETO=6" grep -q $'^ETO=6\r$' "$tmp/born/Kalvorin.CFG"
run 2 "$host" init "$tmp/never" --eto 1990 && expect err "1990 is a year: its sign is 7 \(庚午\), or give --born" "init --eto a year"

# month: a grid fitted to the width, colours only when asked for or on a terminal.
run 0 "$cli" month 2027-02 --width 80 && expect out "2027年2月 如月" "the month's title" &&
  expect out "^ 日 +月 +火 +水 +木 +金 +土$" "weekday heads from Sunday" &&
  expect out "^ 4 立春" "立春 in the list under the grid" && expect out "^\* 節気" "the legend" &&
  expect out "^ +1" "the 1st in its column" && check "no colours off a terminal" test "$(grep -c $'\e' "$tmp/out")" = 0
run 0 "$cli" month 2027-02 --color always && check "colours when asked" grep -q $'\e\\[31m' "$tmp/out"
NO_COLOR=1 run 0 "$cli" month 2027-02 --color auto && check "NO_COLOR" test "$(grep -c $'\e' "$tmp/out")" = 0
for w in 20 45 80; do
  run 0 "$cli" month 2027-05 --width "$w" && check "month fits $w columns" test "$(wc -L <"$tmp/out")" -le "$w"
done
run 0 "$cli" month 2027-02 --start-weekday monday --width 30 && expect out "^ 月  火" "weeks from Monday"
run 2 "$cli" month 2027-5 && expect err "not a month or a year \(YYYY-MM, MONTH YEAR, YEAR, .*\): '2027-5'" "month not a month"
# cal's forms: MONTH YEAR is that month; YEAR alone its twelve grids, three across at 80.
run 0 "$cli" month 2027-02 --width 80 && cp "$tmp/out" "$tmp/feb"
run 0 "$cli" month 2 2027 --width 80 && check "month 2 2027 is month 2027-02" cmp -s "$tmp/out" "$tmp/feb"
run 0 "$cli" month 2027 --width 80 && check "a year's twelve grids" test "$(grep -o '2027年[0-9]*月' "$tmp/out" | wc -l)" = 12 &&
  expect out "2027年1月.*2027年2月.*2027年3月" "three across" && check "the year fits 80 columns" test "$(wc -L <"$tmp/out")" -le 80
run 0 "$cli" month 2027 --width 40 && check "one across at 40 columns" test "$(grep -c '2027年' "$tmp/out")" = 12
run 2 "$cli" month 13 2027 && expect err "'13 2027'" "month 13 2027"
run 2 "$cli" month 1 2027 x && expect err "unexpected argument 'x'" "three operands"
# Holidays by the law's names, in the list and in the calendar file; a day the user marked is 休日.
run 0 "$cli" month 2027-01 --width 80 && expect out "^ 1 元日" "元日 in the list" && expect out "^11 成人の日" "成人の日"
run 0 "$cli" ics --from 2027-01-01 --to 2027-01-31 --notes holidays && expect out "^SUMMARY:元日" "元日 in ics" &&
  expect out "^SUMMARY:成人の日" "成人の日 in ics"
# ics: a calendar's name is UTF-8 text without control characters, escaped as RFC 5545 says;
# --out '' is a usage error, --out none standard output; "all" may stand among the kinds.
for name in '' $'a\x01b' $'a\xffb' $'tab\there'; do
  run 2 "$cli" ics --name "$name" && expect err "--name needs a text of UTF-8" "ics --name $(printf %q "$name")"
done
run 0 "$cli" ics --from 2027-01-01 --to 2027-01-01 --name 'a,b;c\d' && expect out '^X-WR-CALNAME:a\\,b\\;c\\\\d.$' "the name escaped"
run 2 "$cli" ics --out '' && expect err "--out needs a file name" "ics --out ''"
(cd "$tmp" && run 0 "$cli" ics --from 2027-01-01 --to 2027-01-01 --out none) && expect out "^BEGIN:VCALENDAR" "--out none to stdout" &&
  check "no file named none" test ! -e "$tmp/none"
run 0 "$cli" ics --from 2027-01-01 --to 2027-01-01 --notes all,rokuyo && expect out "^SUMMARY:旧暦" "--notes all,rokuyo"
# Every width keeps whole marks and names: a cut list ends with …, the legend wraps.
for w in 20 30 44 56; do
  run 0 "$cli" month 2027-05 --width "$w" && check "$w: every day's names listed" test "$(grep -c '^[ 0-9][0-9] ' "$tmp/out")" -ge 25 &&
    expect out "H 休日" "$w: the legend's last item" && expect out "^ 3 (H[-+*]* )?憲法記念日" "$w: 3 May's marks whole before its name"
done
run 0 "$cli" month 2027-05 --width 20 && expect out "…$" "a cut list ends with …"
run 2 "$cli" month --color sometimes && expect err "--color needs auto, always or never" "month --color"

# --out -: the one document to a pipe, never to a terminal.
run 0 "$cli" render --from 2027-11 --to 2028-02 --trace --one-file --out - &&
  check "the trace on stdout is the one file's" cmp -s "$tmp/out" "$tmp/fy1/2027-11-to-2028-02-1-calendar.trace"
if command -v pdfinfo >/dev/null; then
  "$cli" render --year 2027 --to 3 --dpi 100 --one-file --out - | pdfinfo - >"$tmp/info" 2>&1
  check "a PDF of three pages through a pipe" grep -Eq "^Pages: +3$" "$tmp/info"
fi
run 2 "$cli" render --year 2027 --out - && expect err "--out - needs --one-file" "--out - alone"
if command -v script >/dev/null; then
  run 2 script -qec "'$cli' render --year 2027 --one-file --out -" /dev/null &&
    expect out "standard output is a terminal" "--out - refused on a terminal"
fi

# The paper: --paper, then PAPERSIZE, then the libpaper file, then A4 (sizes at 100 dpi).
size() { head -1 "$tmp/p/$(ls "$tmp/p" | head -1)" | cut -f2,3; }
paper() { rm -rf "$tmp/p" && run 0 "$@" "$cli" render --year 2027 --from 1 --dpi 100 --trace --out "$tmp/p"; }
paper env && check "A4 by default" test "$(size)" = "$(printf '826\t1169')"
echo "letter" >"$tmp/papersize"
paper env && check "the libpaper file's letter" test "$(size)" = "$(printf '850\t1100')"
paper env PAPERSIZE=a3 && check "PAPERSIZE before the file" test "$(size)" = "$(printf '1169\t1653')"
rm -rf "$tmp/p" && PAPERSIZE=a3 run 0 "$cli" render --paper=b5 --year 2027 --from 1 --dpi 100 --trace --out "$tmp/p" &&
  check "--paper before PAPERSIZE (JIS B5)" test "$(size)" = "$(printf '716\t1011')"
paper env PAPERSIZE=a2 && check "an unknown PAPERSIZE falls to the file" test "$(size)" = "$(printf '850\t1100')" &&
  expect err "PAPERSIZE names the paper 'a2'" "a note on the unknown PAPERSIZE"
# Names from the environment and the file mean what libpaper means: b5 is ISO B5 there,
# b5j the JIS one; legal, tabloid and ledger are papers of their own, without a note.
paper env PAPERSIZE=b5 && check "PAPERSIZE=b5 is ISO B5" test "$(size)" = "$(printf '692\t984')"
paper env PAPERSIZE=b5j && check "PAPERSIZE=b5j is JIS B5" test "$(size)" = "$(printf '716\t1011')"
echo "b4 # ISO" >"$tmp/papersize"
paper env && check "b4 in the libpaper file is ISO B4" test "$(size)" = "$(printf '984\t1389')"
for name in legal tabloid ledger executive; do
  paper env PAPERSIZE=$name && check "PAPERSIZE=$name is a paper" test "$(size)" != "$(printf '826\t1169')" &&
    empty err "PAPERSIZE=$name"
done
run 0 "$cli" render --help && expect out "^  Tabloid +279.4 x 431.8 mm" "--help lists the papers with their sizes" &&
  expect out "^  Postcard +100 x 148 mm" "--help lists the postcard"

finish
