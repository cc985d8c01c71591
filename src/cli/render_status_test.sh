#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# qelmarin-cli render over damaged host folders: nothing hangs, the exit status is 0 only
# when everything the pages need was loaded and written, each problem is told once, and an
# output that cannot be written leaves the file that was there.
#   render_status_test.sh KALVORIN-HOST QELMARIN-CLI
set -u
host="$(realpath "$1")"
cli="$(realpath "$2")"
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1
fail_shows=err
# render HOME ARGS...: the exit status of a render of HOME into out/ (stderr in ./err).
render() {
  local home="$1"
  shift
  timeout 60 "$cli" render --home "$home" --out out "$@" >/dev/null 2>err
}

"$host" init good --eto 7 >/dev/null || { echo "FAIL: kalvorin-host init" >&2; exit 1; }

render good --format 1 --year 2026 --from 12
[[ $? == 0 && ! -s err ]] || fail "a good folder renders quietly with status 0"

# init writes the national holidays of every year from 1948 to 2100; a printed year with no
# holiday section is noted once, without failing the run.
cfg=good/Kalvorin.CFG
[[ $(grep -c $'^\\[[0-9]*\\]\r$' $cfg) == 153 ]] && grep -q $'^\\[1948\\]\r$' $cfg && grep -q $'^\\[2100\\]\r$' $cfg &&
  ! grep -q $'^\\[1947\\]\r$' $cfg || fail "init writes the holidays of 1948 ... 2100"
awk '/^\[2100\]/{y=1} y&&/^HOLIDAY1=/{print; exit}' $cfg | grep -q "^HOLIDAY1=01" || fail "元日 2100"
copy_home good noholidays
sed -i $'/^\\[2030\\]\r$/,/^\r$/d' noholidays/Kalvorin.CFG
render noholidays --format 1 --year 2030 --from 1 --to 3 --trace
rc=$?
[[ $rc == 0 && $(grep -c "has no holidays of 2030" err) == 1 && $(wc -l <err) == 1 ]] ||
  fail "a year without holidays: status $rc, noted once"
render noholidays --format 1 --year 2031 --from 1 --trace
[[ $? == 0 && ! -s err ]] || fail "the next year still has its holidays"

copy_home good fifo
rm fifo/UNSEI.DAT
mkfifo fifo/UNSEI.DAT
render fifo --format 1 --year 2026 --from 12
rc=$?
[[ $rc == 1 ]] && grep -q "not a regular file" err || fail "a named pipe as the day file: status $rc"
render fifo --format 1 --year 2026 --from 12 --preview
rc=$?
[[ $rc == 1 ]] || fail "a named pipe as the day file, preview: status $rc"

copy_home good missing
rm missing/UNSEI.DAT
rm -rf out
render missing --format 1 --year 2026 --from 1 --to 12
rc=$?
[[ $rc == 1 && $(grep -c "UNSEI.DAT" err) == 1 ]] || fail "no day file: status $rc, told once for 12 months"
[[ -z "$(ls -A out)" ]] || fail "no day file: no page is written, yet out/ holds $(ls out)"

# A day file cut in the middle of March 2026: February is drawn, March and April are not,
# and the short file is told once, with its path.
copy_home good cut
days=$((($(date -ud 2026-03-15 +%s) - $(date -ud 1901-01-01 +%s)) / 86400))
head -c $((days * 15)) good/UNSEI.DAT >cut/UNSEI.DAT
rm -rf out
render cut --format 1 --year 2026 --from 2 --to 4 --trace
rc=$?
[[ $rc == 1 && $(grep -c "cut/UNSEI.DAT: file too short" err) == 1 && $(wc -l <err) -le 2 ]] ||
  fail "a day file cut inside March: status $rc, told once with the path"
[[ "$(ls out)" == "2026-02-1-calendar.trace" ]] || fail "a day file cut inside March: out/ holds $(ls out)"
render cut --format 2 --year 2026 --from 3 --preview
rc=$?
[[ $rc == 1 && -z "$(ls out | grep preview)" ]] || fail "a day file cut inside March, preview: status $rc"

copy_home good random
head -c 1100000 /dev/urandom >random/UNSEI.DAT
render random --format 1 --year 2026 --from 1 --to 12
rc=$?
[[ $rc == 1 && $(grep -c "not a day file" err) == 1 ]] || fail "a day file of random bytes: status $rc, told once"

copy_home good nodb
rm nodb/Kalvo標準.*
printf '[PRINT 3]\r\nUnderBitmap=1\r\nKouBMPUse=1\r\n' >>nodb/Kalvorin.CFG
render nodb --format 3 --year 2026 --from 12 --days 1-6
rc=$?
[[ $rc == 1 ]] || fail "no commentary database for the pentad pictures: status $rc"

copy_home good nopictures
rm nopictures/歳時記*.cmp
render nopictures --format 1 --year 2026 --from 1 --to 2
rc=$?
[[ $rc == 1 && $(grep -c "歳時記01.cmp" err) == 1 ]] || fail "a missing month picture: status $rc, told once"
printf '[PRINT 3]\r\nUnderBitmap=1\r\n' >>nopictures/Kalvorin.CFG
render nopictures --format 3 --year 2026 --from 1
rc=$?
[[ $rc == 1 && $(grep -c "歳時記01.cmp" err) == 1 ]] || fail "a missing month picture on 31 daily pages: status $rc, told once"

# The finest resolution the help gives for A3 renders; an output name held by a folder is
# refused with its path named once.
rm -rf out
render good --format 4 --year 2026 --from 12 --paper A3 --dpi 1981
rc=$?
[[ $rc == 0 && -s out/2026-12-4-poster.pdf ]] || fail "A3 at 1981 dpi, as the help says: status $rc"
mkdir -p out/2026-12-1-calendar.pdf
render good --format 1 --year 2026 --from 12
rc=$?
[[ $rc == 1 && $(grep -o "out/2026-12-1-calendar.pdf" err | wc -l) == 1 ]] || fail "an output name held by a folder: status $rc"
rm -rf out/2026-12-1-calendar.pdf

# An output that may not be replaced: refused, the old file kept, status 1.
rm -rf out
mkdir out
echo "kept" >out/2026-12-1-calendar.pdf
chmod 0444 out/2026-12-1-calendar.pdf
render good --format 1 --year 2026 --from 12
rc=$?
[[ $rc == 1 && "$(cat out/2026-12-1-calendar.pdf)" == kept ]] || fail "a read-only output: status $rc"
[[ $(ls -A out | wc -l) == 1 ]] || fail "no temporary file is left in the output folder"

# A link planted at an output name is replaced, never written through: the file it points
# to stays as it was, for render, cmp and dayfile alike.
rm -rf out
mkdir out
echo "precious" >victim
ln -s "$tmp/victim" out/2026-12-1-calendar.pdf
ln -s "$tmp/victim" out/2026-12-1-calendar.trace
render good --format 1 --year 2026 --from 12
rc=$?
render good --format 1 --year 2026 --from 12 --trace
rc2=$?
[[ $rc == 0 && $rc2 == 0 && "$(cat victim)" == precious ]] || fail "render through a planted link: status $rc/$rc2, victim $(head -c 20 victim)"
[[ ! -L out/2026-12-1-calendar.pdf && "$(head -c 5 out/2026-12-1-calendar.pdf)" == "%PDF-" ]] ||
  fail "render through a planted link: the PDF replaces the link"
ln -s "$tmp/victim" picture.bmp
ln -s "$tmp/victim" picture.cmp
ln -s "$tmp/victim" day.dat
"$cli" cmp decode good/歳時記01.cmp picture.bmp >/dev/null 2>err &&
  "$cli" cmp encode picture.bmp picture.cmp >/dev/null 2>>err
rc=$?
"$host" dayfile day.dat >/dev/null 2>>err
rc2=$?
[[ $rc == 0 && $rc2 == 0 && "$(cat victim)" == precious && ! -L picture.bmp && ! -L picture.cmp && ! -L day.dat ]] ||
  fail "cmp and dayfile through a planted link: status $rc/$rc2, victim $(head -c 20 victim)"
[[ $(stat -c %s day.dat) == 1095750 ]] || fail "dayfile through a planted link: the day file replaces the link"

# A settings file over its 16 MiB bound is told, and day and month then fail, though they
# still show the days with the defaults.
copy_home good huge
head -c $((17 * 1024 * 1024)) /dev/zero | tr '\0' '\n' >>huge/Kalvorin.CFG
timeout 60 "$cli" day --home huge 2027-01-01 >out.txt 2>err
rc=$?
[[ $rc == 1 && $(grep -c "16 MiB" err) == 1 && -s out.txt ]] || fail "day after an unreadable Kalvorin.CFG: status $rc"
timeout 60 "$cli" month --home huge 2027-01 >out.txt 2>err
rc=$?
[[ $rc == 1 && $(grep -c "16 MiB" err) == 1 && -s out.txt ]] || fail "month after an unreadable Kalvorin.CFG: status $rc"

((failed == 0))
