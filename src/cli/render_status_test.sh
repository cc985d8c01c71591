#!/usr/bin/env bash
# qelmarin-cli render over damaged host folders: nothing hangs, the exit status is 0 only
# when everything the pages need was loaded and written, each problem is told once, and an
# output that cannot be written leaves the file that was there.
#   render_status_test.sh KALVORIN-HOST QELMARIN-CLI
set -u
host="$1"
cli="$2"
work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"
status=0
fail() {
  echo "FAIL: $*" >&2
  sed 's/^/  stderr: /' err >&2
  status=1
}
# render HOME ARGS...: the exit status of a render of HOME into out/ (stderr in ./err).
render() {
  local home="$1"
  shift
  timeout 60 "$cli" render --home "$home" --out out "$@" >/dev/null 2>err
}
# copy NAME: a copy of the good folder whose pictures and database are its own.
copy() {
  cp -a good "$1"
  sed -i "s#^DIR=.*\r\$#DIR=$work/$1\r#" "$1/Kalvorin.CFG"
}

"$host" init good --eto 7 >/dev/null || { echo "FAIL: kalvorin-host init" >&2; exit 1; }

render good --format 1 --year 2026 --from 12
[[ $? == 0 && ! -s err ]] || fail "a good folder renders quietly with status 0"

copy fifo
rm fifo/UNSEI.DAT
mkfifo fifo/UNSEI.DAT
render fifo --format 1 --year 2026 --from 12
rc=$?
[[ $rc == 1 ]] && grep -q "not a regular file" err || fail "a named pipe as the day file: status $rc"
render fifo --format 1 --year 2026 --from 12 --preview
rc=$?
[[ $rc == 1 ]] || fail "a named pipe as the day file, preview: status $rc"

copy missing
rm missing/UNSEI.DAT
render missing --format 1 --year 2026 --from 1 --to 12
rc=$?
[[ $rc == 1 && $(grep -c "UNSEI.DAT" err) == 1 ]] || fail "no day file: status $rc, told once for 12 months"

copy random
head -c 1100000 /dev/urandom >random/UNSEI.DAT
render random --format 1 --year 2026 --from 1 --to 12
rc=$?
[[ $rc == 1 && $(grep -c "not a day file" err) == 1 ]] || fail "a day file of random bytes: status $rc, told once"

copy nodb
rm nodb/Kalvo標準.*
printf '[PRINT 3]\r\nUnderBitmap=1\r\nKouBMPUse=1\r\n' >>nodb/Kalvorin.CFG
render nodb --format 3 --year 2026 --from 12 --days 1-6
rc=$?
[[ $rc == 1 ]] || fail "no commentary database for the pentad pictures: status $rc"

copy nopictures
rm nopictures/歳時記*.cmp
render nopictures --format 1 --year 2026 --from 1 --to 2
rc=$?
[[ $rc == 1 && $(grep -c "歳時記01.cmp" err) == 1 ]] || fail "a missing month picture: status $rc, told once"
printf '[PRINT 3]\r\nUnderBitmap=1\r\n' >>nopictures/Kalvorin.CFG
render nopictures --format 3 --year 2026 --from 1
rc=$?
[[ $rc == 1 && $(grep -c "歳時記01.cmp" err) == 1 ]] || fail "a missing month picture on 31 daily pages: status $rc, told once"

# An output that may not be replaced: refused, the old file kept, status 1.
rm -rf out
mkdir out
echo "kept" >out/2026-12-1-calendar.pdf
chmod 0444 out/2026-12-1-calendar.pdf
render good --format 1 --year 2026 --from 12
rc=$?
[[ $rc == 1 && "$(cat out/2026-12-1-calendar.pdf)" == kept ]] || fail "a read-only output: status $rc"
[[ $(ls -A out | wc -l) == 1 ]] || fail "no temporary file is left in the output folder"

exit $status
