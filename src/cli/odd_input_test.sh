#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a careless or hostile user hands the command lines: places anywhere on the earth,
# margins wider than the paper, values their fields cannot hold, years that contradict the
# months, a planted lock link, a settings file or a day file that cannot be read. Each is
# taken and done right, or refused up front with a clear message and the right status.
#   odd_input_test.sh QELMARIN-CLI KALVORIN-HOST
set -u
cli="$(realpath "$1")"
host="$(realpath "$2")"
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1
fail_shows=err
# run ARGS...: the exit status of qelmarin-cli ARGS (stdout in ./out, stderr in ./err).
run() {
  timeout 120 "$cli" "$@" >out 2>err
}

"$host" init good --eto 7 >/dev/null || { echo "FAIL: kalvorin-host init" >&2; exit 1; }

# A settings file that cannot be read: ics still writes the calendar, but fails, as day and
# month do, and says so once.
copy_home good huge
head -c $((17 * 1024 * 1024)) /dev/zero | tr '\0' '\n' >>huge/Kalvorin.CFG
run ics --home huge --from 2027-01-01 --to 2027-01-31 --out cal.ics
rc=$?
[[ $rc == 1 && $(grep -c "16 MiB" err) == 1 && $(grep -c "BEGIN:VEVENT" cal.ics) -gt 0 ]] ||
  fail "ics after an unreadable Kalvorin.CFG: status $rc"
# Sun times asked of a file that names no place: a note, once, that fails nothing.
copy_home good noplace
sed -i 's/^IDO=.*\r$/IDO=0\r/; s/^KEIDO=.*\r$/KEIDO=0\r/' noplace/Kalvorin.CFG
run ics --home noplace --notes sun --from 2027-01-01 --to 2027-03-31
rc=$?
[[ $rc == 0 && $(grep -c "names no place" err) == 1 && $(wc -l <err) == 1 ]] && ! grep -q "日の出" out ||
  fail "ics --notes sun without a place: status $rc"

# Places south of the equator and on it have their times, in Japan Standard Time; near the
# poles a day without a sunrise or sunset says which.
for place in -33.87,151.21 0,100 -54.8,-68.3; do
  run day --home noplace --place "$place" 2026-06-21
  [[ $? == 0 && $(cut -f16 out) =~ ^[0-9]+:[0-9]{2}-[0-9]+:[0-9]{2}$ ]] || fail "day --place $place: '$(cut -f16 out)'"
done
run day --home noplace --place 80,15 2026-06-21 2026-06-21
[[ $(cut -f16 out) == 白夜 ]] || fail "midnight sun: '$(cut -f16 out)'"
run day --home noplace --place 80,15 2026-12-21
[[ $(cut -f16 out) == 極夜 ]] || fail "polar night: '$(cut -f16 out)'"
run ics --home noplace --place -33.87,151.21 --notes sun --from 2026-06-21 --to 2026-06-21
[[ $? == 0 && ! -s err ]] && grep -q "SUMMARY:日の出 [0-9]*:[0-9][0-9] 日の入 [0-9]*:[0-9][0-9]" out ||
  fail "ics --place south of the equator"
run ics --home noplace --place -80,0 --notes sun --from 2026-12-21 --to 2026-12-21
grep -q "SUMMARY:白夜" out || fail "ics: midnight sun in the Antarctic summer"
# Half a place in the file (a latitude past the pole, a longitude that is no number) is no
# place at all: not the equator's or Greenwich's times under the file's name.
for pair in "IDO=91 KEIDO=139.69" "IDO=35.68 KEIDO=nan" "IDO=abc KEIDO=139.69"; do
  copy_home good half
  for kv in $pair; do sed -i "s/^${kv%%=*}=.*\r\$/$kv\r/" half/Kalvorin.CFG; done
  run day --home half 2026-06-21
  [[ $? == 0 && $(cut -f16 out) == - ]] || fail "day with $pair: '$(cut -f16 out)'"
  run ics --home half --notes sun --from 2026-06-21 --to 2026-06-21
  [[ $? == 0 && $(grep -c "place is damaged" err) == 1 ]] && ! grep -q "日の出" out || fail "ics with $pair"
  rm -rf half
done

# No birth sign in the settings file (an empty value, no number, 0, a number no int holds, an
# empty file): no fortune for a sign that does not exist, said once as a note, which fails
# nothing; a sign given for the run brings the fortune back.
for value in "" abc 0 12345678901234567890 empty; do
  copy_home good nosign
  if [[ $value == empty ]]; then : >nosign/Kalvorin.CFG; else
    perl -pi -e "s/^ETO=.*\r\$/ETO=$value\r/" nosign/Kalvorin.CFG
  fi
  run day --home nosign 2027-03-01 2027-03-03
  [[ $? == 0 && $(cut -f12-15 out | sort -u) == $'-\t-\t-\t-' && $(grep -c "no fortune" err) == 1 ]] ||
    fail "day without a birth sign (ETO=$value): $(head -1 out)"
  run ics --home nosign --notes fortune,lunar --from 2027-03-01 --to 2027-03-31
  [[ $? == 0 && $(grep -c "no fortune" err) == 1 ]] && grep -q "旧暦" out && ! grep -q "運勢" out ||
    fail "ics --notes fortune without a birth sign (ETO=$value)"
  if [[ $value != empty ]]; then
    run render --home nosign --out nosign-pages --format 3 --year 2027 --from 3 --days 1-3 --trace --one-file
    [[ $? == 0 && $(grep -c "no fortune" err) == 1 ]] && ! grep -q "\[吉" nosign-pages/*.trace ||
      fail "render of daily pages without a birth sign (ETO=$value)"
  fi
  rm -rf nosign nosign-pages
done
# A NUL in the value makes the file one the programs cannot read: a failure, and no fortune.
copy_home good nosign
perl -pi -e 's/^ETO=.*\r$/ETO=7\x001\r/' nosign/Kalvorin.CFG
run day --home nosign 2027-03-01
[[ $? == 1 && $(cut -f12 out) == - ]] && grep -q "Shift-JIS" err || fail "day with a NUL in ETO: $(cat err)"
rm -rf nosign
copy_home good nosign
sed -i 's/^ETO=.*\r$/ETO=\r/' nosign/Kalvorin.CFG
run day --home nosign --eto 7 2027-03-01
[[ $? == 0 && $(cut -f12 out) != - && ! -s err ]] || fail "day --eto without ETO in the file"
run render --home nosign --out nosign-pages --format 3 --year 2027 --from 3 --days 1-3 --trace --one-file --born 1990-05-05
[[ $? == 0 && ! -s err ]] && grep -q "\[吉" nosign-pages/*.trace || fail "render --born without ETO in the file"
rm -rf nosign nosign-pages

# A southern place in the settings file counts as a place; the list page draws its times.
copy_home good south
sed -i 's/^IDO=.*\r$/IDO=-33.87\r/; s/^KEIDO=.*\r$/KEIDO=151.21\r/' south/Kalvorin.CFG
run day --home south 2026-06-21
[[ $(cut -f16 out) =~ ^[0-9]+:[0-9]{2}-[0-9]+:[0-9]{2}$ ]] || fail "day with a southern Kalvorin.CFG"
run render --home noplace --out none --format 2 --year 2026 --from 6 --trace --one-file
run render --home noplace --out south --format 2 --year 2026 --from 6 --trace --one-file --place -33.87,151.21
[[ $? == 0 ]] && ! cmp -s none/*.trace south/*.trace || fail "render --place south of the equator draws its times"

# Margins that leave nothing of the paper, from the command line or from the file, are
# refused before anything is drawn; a colour level the file's 8 bits cannot hold too.
run render --home good --out margins --format 1 --year 2027 --from 1 --set 'PRINT 1.Left Space=150' \
  --set 'PRINT 1.Right Space=150'
rc=$?
[[ $rc == 2 && ! -e margins ]] && grep -q "the margins of PRINT 1 (top 10, bottom 10, left 150, right 150 mm)" err ||
  fail "margins wider than the paper: status $rc"
# The suggestion names the margin that is too wide, at the limit and past it.
run render --home good --out margins --format 1 --year 2027 --from 1 --paper a4 --trace \
  --set 'PRINT 1.Left Space=0' --set 'PRINT 1.Right Space=190'
[[ $? == 0 ]] || fail "margins that leave exactly 20 mm"
rm -rf margins
run render --home good --out margins --format 1 --year 2027 --from 1 --paper a4 \
  --set 'PRINT 1.Left Space=0' --set 'PRINT 1.Right Space=191'
[[ $? == 2 ]] && grep -q -- "--set 'PRINT 1.Right Space=10'" err || fail "a right margin too wide: $(head -1 err)"
run render --home good --out margins --format 1 --year 2027 --from 1 --paper a4 \
  --set 'PRINT 1.Up Space=5' --set 'PRINT 1.Down Space=280'
[[ $? == 2 ]] && grep -q -- "--set 'PRINT 1.Down Space=10'" err || fail "a bottom margin too tall: $(head -1 err)"
copy_home good tall
printf '[PRINT 2]\r\nUp Space=200\r\nDown Space=100\r\n' >>tall/Kalvorin.CFG
run render --home tall --out margins --format 2 --year 2027 --from 1 --paper a4
rc=$?
[[ $rc == 2 && ! -e margins ]] && grep -q "top 200, bottom 100, .* --set 'PRINT 2.Up Space=10'" err ||
  fail "margins of the file taller than the paper: $rc"
run render --home tall --out margins --format 2 --year 2027 --from 1 --paper a3 --trace
[[ $? == 0 ]] || fail "the same margins on A3 leave room"
run render --home good --out level --format 1 --set 'PRINT 1.ColorLevel=256'
rc=$?
[[ $rc == 2 ]] && grep -q "from 0 to 255" err || fail "ColorLevel=256: status $rc"

# No day file: ics writes nothing at all to standard output, not an empty calendar.
copy_home good nodays
rm nodays/UNSEI.DAT
run ics --home nodays --out -
rc=$?
[[ $rc == 1 && ! -s out ]] && grep -q "UNSEI.DAT" err || fail "ics without a day file: status $rc, $(wc -c <out) bytes"

# --year that no month given as YYYY-MM lies in is refused, not passed over.
run render --home good --out years --year 2027 --from 2028-01 --trace
rc=$?
[[ $rc == 2 && ! -e years ]] && grep -q "year 2027 is not the year of --from 2028-01" err ||
  fail "--year against --from: status $rc"

# A link planted at the lock file's name: refused, nothing written through it, and the
# message names the link and says what to do.
copy_home good locked
ln -sf "$tmp/victim" locked/.Kalvorin.CFG.lock
sed -i '/^\[2027\]\r$/,/^\r$/d' locked/Kalvorin.CFG
timeout 60 "$host" holidays locked 2027 2027 >out 2>err
rc=$?
[[ $rc == 1 && ! -e victim ]] && grep -q "locked/.Kalvorin.CFG.lock is a symbolic link" err &&
  grep -q "remove it" err && ! grep -q "Too many levels" err || fail "a planted lock link: status $rc"

# holidays says what it did: wrote, nothing changed, or that the years before 1948 have none.
rm locked/.Kalvorin.CFG.lock
timeout 60 "$host" holidays locked 2027 2027 >out 2>err
[[ $? == 0 ]] && grep -q "^wrote the national holidays of 2027 … 2027" out || fail "holidays of a missing year"
cp locked/Kalvorin.CFG before.cfg
timeout 60 "$host" holidays locked 2026 2027 >out 2>err
[[ $? == 0 ]] && grep -q "^nothing was changed: .* already marks the national holidays of 2026 … 2027" out &&
  cmp -s before.cfg locked/Kalvorin.CFG || fail "holidays again: $(cat out)"
timeout 60 "$host" holidays locked 1901 1947 >out 2>err
[[ $? == 0 ]] && grep -q "^nothing was changed: national holidays begin in 1948" out &&
  cmp -s before.cfg locked/Kalvorin.CFG || fail "holidays before the law: $(cat out)"
# Years given the wrong way round: said as such, usage error, nothing written.
timeout 60 "$host" holidays locked 2100 1901 >out 2>err
[[ $? == 2 ]] && grep -q "TO (1901) comes before FROM (2100)" err &&
  cmp -s before.cfg locked/Kalvorin.CFG || fail "holidays with the years reversed: $(cat err)"
timeout 60 "$host" holidays locked 1940 1950 >out 2>err
[[ $? == 0 && $(sed -n 2p out) == "the years before 1948 have no national holidays" ]] ||
  fail "holidays across 1948: $(cat out)"
# A printed year before the law is not sent to a command that adds nothing.
run render --home good --out old --format 1 --year 1930 --from 1 --trace
[[ $? == 0 ]] && grep -q "National holidays begin in 1948" err && ! grep -q "kalvorin-host holidays" err ||
  fail "the holiday note of 1930"

# PAPERSIZE as a shell leaves it, with a newline, names its paper.
PAPERSIZE=$'a3\n' timeout 120 "$cli" render --home good --out paper --format 4 --year 2027 --from 1 --trace \
  >out 2>err
[[ $? == 0 && ! -s err ]] || fail "PAPERSIZE with a newline"

# A Kalvorin.CFG or UNSEI.DAT that is a named pipe or a device is named as such, not as
# missing, and nothing waits on it.
copy_home good pipes
rm pipes/Kalvorin.CFG
mkfifo pipes/Kalvorin.CFG
run day --home pipes 2027-01-01
[[ $? == 1 ]] && grep -q "Kalvorin.CFG is not a regular file" err && ! grep -q "not found" err ||
  fail "a named pipe as Kalvorin.CFG: $(head -1 err)"
rm pipes/Kalvorin.CFG
cp good/Kalvorin.CFG pipes/
rm pipes/UNSEI.DAT
ln -s /dev/zero pipes/UNSEI.DAT
run day --home pipes 2027-01-01
[[ $? == 1 ]] && grep -q "UNSEI.DAT: not a regular file" err || fail "a device as UNSEI.DAT: $(head -1 err)"

# Standard output that takes nothing (a full disk, a closed descriptor): every command says
# so once and fails, the commands that wrote plain lines too.
for args in "day --home good 1901-01-01 2100-12-31" "month --home good 2027-01" \
  "ics --home good --from 2027-01-01 --to 2027-01-31" "--help"; do
  # shellcheck disable=SC2086
  timeout 120 "$cli" $args >/dev/full 2>err
  rc=$?
  [[ $rc == 1 && $(grep -c "standard output" err) == 1 ]] || fail "$args >/dev/full: status $rc"
done
timeout 120 "$cli" day --home good 2027-01-01 >&- 2>err
[[ $? == 1 ]] && grep -q "standard output" err || fail "day with standard output closed"
timeout 120 "$host" events 2027 >/dev/full 2>err
[[ $? == 1 ]] && grep -q "standard output" err || fail "kalvorin-host events >/dev/full"
run ics --home good --from 2027-01-01 --to 2027-01-31 --out /dev/full
[[ $? == 1 && $(grep -o "/dev/full" err | wc -l) == 1 ]] || fail "ics --out /dev/full names it once"

((failed == 0))
