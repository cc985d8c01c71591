#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# qelmarin-cli print against a CUPS scheduler of the test's own (cupsd on a socket in a
# temporary folder, one raw queue whose device is a file, every job's document kept): the
# jobs, their titles and page counts; the default printer; no scheduler, no printer.
#   print_cups_test.sh QELMARIN_CLI KALVORIN_HOST
set -uo pipefail
cli="$(realpath "$1")"
host="$(realpath "$2")"
if [[ ! -x /usr/sbin/cupsd || ! -x /usr/sbin/lpadmin ]] || ! command -v lpstat >/dev/null || ! command -v pdfinfo >/dev/null; then
  echo "cupsd, lpadmin, lpstat or pdfinfo is not installed (Debian: cups, cups-client, poppler-utils): skipped"
  exit 0
fi
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1
cupsd_pid=""
before_cleanup() {
  [[ -n "$cupsd_pid" ]] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
}
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data"

# The scheduler, as the desktop program's printing tests start theirs.
c="$tmp/cups"
mkdir -p "$c"/{spool,tmp,cache,state,out}
chmod 777 "$c" "$c"/{spool,tmp,cache,state,out}
sock="$c/cups.sock"
cat >"$c/cupsd.conf" <<CONF
Listen $sock
LogLevel warn
PreserveJobFiles Yes
PreserveJobHistory Yes
DirtyCleanInterval 0
<Location />
Order allow,deny
Allow all
</Location>
<Policy default>
<Limit All>
Order deny,allow
</Limit>
</Policy>
CONF
{
  echo "ServerRoot $c"
  echo "RequestRoot $c/spool"
  echo "TempDir $c/tmp"
  echo "CacheDir $c/cache"
  echo "StateDir $c/state"
  echo "DataDir /usr/share/cups"
  echo "ServerBin /usr/lib/cups"
  echo "ErrorLog $c/error_log"
  echo "AccessLog $c/access_log"
  echo "PageLog $c/page_log"
  echo "FileDevice Yes"
  if [[ "$(id -u)" == 0 ]]; then printf 'User lp\nGroup lp\nSystemGroup root\n'; fi
} >"$c/cups-files.conf"
/usr/sbin/cupsd -f -c "$c/cupsd.conf" -s "$c/cups-files.conf" &
cupsd_pid=$!
for _ in $(seq 500); do [[ -S "$sock" ]] && break; sleep 0.02; done
if [[ ! -S "$sock" ]]; then
  echo "FAIL: cupsd did not start: $(cat "$c/error_log" 2>/dev/null | head -c 500)" >&2
  exit 1
fi
/usr/sbin/lpadmin -h "$sock" -p almanac -E -v "file://$c/out/almanac.out" 2>/dev/null &&
  /usr/sbin/lpadmin -h "$sock" -p other -E -v "file://$c/out/other.out" 2>/dev/null &&
  /usr/sbin/lpadmin -h "$sock" -d almanac || { echo "FAIL: lpadmin" >&2; exit 1; }
export CUPS_SERVER="$sock"

"$host" init "$tmp/kal" --eto 7 >/dev/null || { echo "FAIL: kalvorin-host init" >&2; exit 1; }
export KALVORIN_HOME="$tmp/kal"

# jobs QUEUE: "id title" of each job of the queue, oldest first.
jobs() { lpstat -h "$sock" -W all -o "$1" | awk '{print $1}' | sed 's/.*-//' | sort -n; }
pages() { # pages JOB-ID: the page count of the kept document
  pdfinfo "$c/spool/$(printf 'd%05d-001' "$1")" 2>/dev/null | awk '/^Pages:/{print $2}'
}
title() { # title JOB-ID
  lpstat -h "$sock" -W all -l -o | awk -v id="-$1" '$1 ~ id"$" {getline; print}' | head -1
}

# One job per month to the default printer, each one page, titled as the desktop titles them.
"$cli" print --year 2027 --to 3 --dpi 100 >"$tmp/out" 2>"$tmp/err"
check "print exits 0: $(head -c 400 "$tmp/err")" test $? = 0
check "one line per job: $(cat "$tmp/out")" test "$(grep -c '^almanac-[0-9]*	2027-0[1-3]-1-calendar.pdf$' "$tmp/out")" = 3
mapfile -t ids < <(jobs almanac)
check "three jobs on the default printer (${ids[*]})" test "${#ids[@]}" = 3
for id in "${ids[@]}"; do
  check "job $id has one page" test "$(pages "$id")" = 1
done
# The job's attributes as the scheduler keeps them (its control file, written at once).
control() { printf '%s/spool/c%05d' "$c" "$1"; }
month=0
for id in "${ids[@]}"; do
  month=$((month + 1))
  for _ in $(seq 250); do [[ -s "$(control "$id")" ]] && break; sleep 0.02; done
  check "job $id is titled by its month and format" grep -aq "job-name.*Kalvorin 2027-0$month 暦" "$(control "$id")"
  check "job $id asks for no copies" test "$(grep -ac copies "$(control "$id")")" = 0
done

# --one-file: one job of three pages; --printer names the queue; --copies 2.
"$cli" print --year 2027 --to 3 --dpi 100 --one-file --printer other --copies 2 >"$tmp/out" 2>"$tmp/err"
check "print --one-file exits 0: $(head -c 400 "$tmp/err")" test $? = 0
mapfile -t other < <(jobs other)
check "one job on the named printer" test "${#other[@]}" = 1
check "the one job has three pages" test "$(pages "${other[0]}")" = 3
for _ in $(seq 250); do [[ -s "$(control "${other[0]}")" ]] && break; sleep 0.02; done
check "the one job asks for two copies" grep -aq copies "$(control "${other[0]}")"
check "the one job names its months" grep -aq "job-name.*Kalvorin 2027-01-to-03 暦" "$(control "${other[0]}")"

# No scheduler, no such printer: a message and exit 1.
CUPS_SERVER="$tmp/nowhere.sock" "$cli" print --year 2027 --from 1 >"$tmp/out" 2>"$tmp/err"
check "no scheduler: exit 1" test $? = 1
check "no scheduler: the message ($(cat "$tmp/err"))" grep -q "cannot print: no print scheduler answers at $tmp/nowhere.sock" "$tmp/err"
"$cli" print --year 2027 --from 1 --printer nosuch >"$tmp/out" 2>"$tmp/err"
check "no such printer: exit 1" test $? = 1
check "no such printer: the message ($(cat "$tmp/err"))" grep -q "cannot print: no printer 'nosuch'" "$tmp/err"
# A scheduler that takes the connection and never answers: given up within the bound.
/usr/bin/python3 -c '
import socket, sys, time
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(16)
held = []
end = time.time() + 90
while time.time() < end:
    s.settimeout(end - time.time())
    try:
        held.append(s.accept()[0])
    except OSError:
        break
' "$tmp/silent.sock" &
silent=$!
for _ in $(seq 100); do [[ -S "$tmp/silent.sock" ]] && break; sleep 0.05; done
CUPS_SERVER="$tmp/silent.sock" timeout 80 "$cli" print --year 2027 --from 1 --printer foo >"$tmp/out" 2>"$tmp/err"
status=$?
kill "$silent" 2>/dev/null
check "a silent scheduler: exit 1, not a hang (status $status)" test "$status" = 1
check "a silent scheduler: the message ($(cat "$tmp/err"))" grep -q "did not answer within" "$tmp/err"
"$cli" print --copies 0 >"$tmp/out" 2>"$tmp/err"
check "--copies 0 is a usage error" test $? = 2

finish
