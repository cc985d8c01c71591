#!/usr/bin/env bash
# The contract of both command lines, run on the built programs: --help and --version at
# every level, usage errors (exit 2, naming the argument, on stderr), --opt=value, the month
# defaults of render, the order of the host-folder search and of the paper, --one-file, and
# day's header line.
#   contract_test.sh QELMARIN_CLI KALVORIN_HOST
set -uo pipefail
cli="$(realpath "$1")"
host="$(realpath "$2")"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1
unset KALVORIN_HOME PAPERSIZE
export PAPERCONF="$tmp/papersize" # the machine's /etc/papersize stays out of the test
export XDG_DATA_HOME="$tmp/xdg" HOME="$tmp/home"
passed=0
failed=0

# run STATUS CMD...: runs CMD with stdout in $tmp/out and stderr in $tmp/err, wants STATUS.
run() {
  local want="$1"
  shift
  "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  if [[ "$got" != "$want" ]]; then
    echo "FAIL: $* exited $got, not $want; stderr: $(head -c 600 "$tmp/err")" >&2
    failed=$((failed + 1))
    return 1
  fi
  passed=$((passed + 1))
}
# expect FILE PATTERN WHAT: FILE holds a line matching the extended regular expression.
expect() {
  if grep -Eq -- "$2" "$tmp/$1"; then
    passed=$((passed + 1))
  else
    echo "FAIL: $3: no line of $1 matches /$2/; it holds: $(head -c 600 "$tmp/$1")" >&2
    failed=$((failed + 1))
  fi
}
empty() {
  if [[ -s "$tmp/$1" ]]; then
    echo "FAIL: $2: $1 is not empty: $(head -c 300 "$tmp/$1")" >&2
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
}
truth() { # truth WHAT TEST...
  local what="$1"
  shift
  if "$@"; then passed=$((passed + 1)); else
    echo "FAIL: $what" >&2
    failed=$((failed + 1))
  fi
}

# --help on stdout with exit 0, and --version, at every level of both programs.
for words in "" "day" "render" "cmp"; do
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
run 2 "$cli" render --paper tabloid --out x && expect err "'tabloid' is not one of A4\|" "unknown paper lists the known"
run 2 "$cli" render --year 2027 --from 5 --to 3 --out x && expect err "--from 5 is after --to 3" "reversed months"
run 2 "$cli" render --preview --one-file --out x && expect err "--one-file" "--one-file with --preview"
run 2 "$cli" render --paper a3 --dpi 2400 --out x && expect err "--dpi 2400 is too fine for A3: at most 1981" "dpi by paper"
run 0 "$cli" render --help && expect out "A3 goes up to 1981" "the help says the limit of A3"
run 2 "$cli" day && expect err "no date given" "day without a date"
run 2 "$cli" day 2027-02-30 && expect err "'2027-02-30'" "not a date"
run 2 "$cli" cmp encode only-one && expect err "two files" "cmp with one file"
for eto in 0 61 x; do
  run 2 "$cli" day --eto "$eto" 2027-01-01 && expect err "--eto needs a whole number from 1 to 60" "day --eto $eto"
  run 2 "$host" init "$tmp/never" --eto "$eto" && expect err "--eto needs a whole number from 1 to 60" "init --eto $eto"
done
truth "nothing is made on a usage error" test ! -e "$tmp/never"
run 2 "$host" init "$tmp/never" && expect err "--eto N is required" "init without --eto"
run 2 "$host" events 1900 && expect err "YEAR needs a whole number from 1901 to 2100" "events out of range"
run 2 "$host" frob && expect err "^usage: kalvorin-host COMMAND" "host usage"

# `dayfile --help` is help, not a file named --help; `dayfile -` writes to standard output.
mkdir -p "$tmp/work"
cd "$tmp/work" && run 0 "$host" dayfile --help && truth "dayfile --help writes no file" test -z "$(ls -A "$tmp/work")"
cd "$tmp" || exit 1
run 0 "$host" dayfile - && truth "dayfile - writes 73,050 records to stdout" test "$(stat -c %s "$tmp/out")" = 1095750

# The host folder: the user's data folder, made by init without DIR and found with no option.
run 1 "$cli" day 2027-01-01 && expect err "no host folder: pass --home DIR, set KALVORIN_HOME, or run" "the hint" &&
  expect err "$tmp/xdg/kalvorin/Kalvorin.CFG not found" "the folder looked in"
run 0 "$host" init --eto=7 && truth "init made the XDG folder" test -f "$tmp/xdg/kalvorin/Kalvorin.CFG"
run 0 "$cli" day 2027-01-01 && expect out "^2027-01-01	" "day in the XDG folder" && empty err "day"
KALVORIN_HOME="$tmp/nowhere" run 1 "$cli" day 2027-01-01 && expect err "$tmp/nowhere/Kalvorin.CFG not found \(host folder from KALVORIN_HOME\)" "KALVORIN_HOME before XDG"
KALVORIN_HOME="$tmp/nowhere" run 0 "$cli" day --home="$tmp/xdg/kalvorin" 2027-01-01 && expect out "^2027-01-01	" "--home before KALVORIN_HOME"
XDG_DATA_HOME= run 1 "$cli" day 2027-01-01 && expect err "$tmp/home/.local/share/kalvorin/Kalvorin.CFG" "~/.local/share without XDG_DATA_HOME"

# day: sixteen columns; the header only when asked (stdout is no terminal here).
run 0 "$cli" day 2027-01-01 2027-01-03 && truth "three lines without a header" test "$(wc -l <"$tmp/out")" = 3
truth "sixteen columns" test "$(head -1 "$tmp/out" | awk -F'\t' '{print NF}')" = 16
run 0 "$cli" day --header 2027-01-01 && expect out "^date	weekday	day_sign	" "the header" &&
  truth "a header of sixteen names" test "$(head -1 "$tmp/out" | awk -F'\t' '{print NF}')" = 16

# Month defaults: --year alone is the year, --year --to 3 is January to March.
run 0 "$cli" render --year 2027 --to 3 --trace --out "$tmp/q1" &&
  truth "--year --to 3 draws January to March" test "$(ls "$tmp/q1")" = "$(printf '2027-01-1-calendar.trace\n2027-02-1-calendar.trace\n2027-03-1-calendar.trace')"
run 0 "$cli" render --year 2027 --trace --out "$tmp/year" && truth "--year alone draws twelve months" test "$(ls "$tmp/year" | wc -l)" = 12

# --one-file: the months in one trace are the months of the separate files, in order.
run 0 "$cli" render --year 2027 --to 3 --trace --one-file --out "$tmp/one" &&
  truth "one trace file" test "$(ls "$tmp/one")" = "2027-01-to-03-1-calendar.trace" &&
  truth "the one trace is the three traces" cmp -s "$tmp/one/2027-01-to-03-1-calendar.trace" <(cat "$tmp"/q1/*.trace)
if command -v pdfinfo >/dev/null; then
  run 0 "$cli" render --year 2027 --to 3 --dpi 100 --one-file --out "$tmp/pdf" &&
    expect out "2027-01-to-03-1-calendar.pdf" "the one PDF's name" &&
    truth "one PDF of three pages" test "$(pdfinfo "$tmp/pdf/2027-01-to-03-1-calendar.pdf" | awk '/^Pages:/{print $2}')" = 3
fi

# The paper: --paper, then PAPERSIZE, then the libpaper file, then A4 (sizes at 100 dpi).
size() { head -1 "$tmp/p/$(ls "$tmp/p" | head -1)" | cut -f2,3; }
paper() { rm -rf "$tmp/p" && run 0 "$@" "$cli" render --year 2027 --from 1 --dpi 100 --trace --out "$tmp/p"; }
paper env && truth "A4 by default" test "$(size)" = "$(printf '826\t1169')"
echo "letter" >"$tmp/papersize"
paper env && truth "the libpaper file's letter" test "$(size)" = "$(printf '850\t1100')"
paper env PAPERSIZE=a3 && truth "PAPERSIZE before the file" test "$(size)" = "$(printf '1169\t1653')"
rm -rf "$tmp/p" && PAPERSIZE=a3 run 0 "$cli" render --paper=b5 --year 2027 --from 1 --dpi 100 --trace --out "$tmp/p" &&
  truth "--paper before PAPERSIZE (JIS B5)" test "$(size)" = "$(printf '716\t1011')"
paper env PAPERSIZE=legal && truth "an unknown PAPERSIZE falls to the file" test "$(size)" = "$(printf '850\t1100')" &&
  expect err "PAPERSIZE names the paper 'legal'" "a note on the unknown PAPERSIZE"

echo "$passed passed, $failed failed"
((failed == 0))
