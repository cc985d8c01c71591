#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# qelmarin-cli print against a scheduler that misbehaves (misbehaving_scheduler.py): a job
# counts only when the scheduler took its document, every wait ends at the deadline, each
# failure says what happened, and a signal cancels the job and leaves no temporary files.
#   print_ipp_test.sh QELMARIN_CLI KALVORIN_HOST
set -uo pipefail
cli="$(realpath "$1")"
host="$(realpath "$2")"
scheduler_script="$(realpath "$(dirname "${BASH_SOURCE[0]}")")/misbehaving_scheduler.py"
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1
scheduler=""
before_cleanup() { [[ -n "$scheduler" ]] && kill "$scheduler" 2>/dev/null && wait "$scheduler" 2>/dev/null; }
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" TMPDIR="$tmp/temporary" CUPS_SERVER="$tmp/ipp.sock"
mkdir -p "$TMPDIR"
"$host" init "$tmp/kal" --eto 7 >/dev/null || { echo "FAIL: kalvorin-host init" >&2; exit 1; }
export KALVORIN_HOME="$tmp/kal"
fail_shows="$tmp/err"

start() { # start MODE: a fresh scheduler misbehaving so, with an empty log
  before_cleanup
  rm -f "$CUPS_SERVER" "$tmp/log"
  touch "$tmp/log"
  /usr/bin/python3 "$scheduler_script" "$CUPS_SERVER" "$tmp/log" "$1" 2>/dev/null &
  scheduler=$!
  for _ in $(seq 200); do [[ -S "$CUPS_SERVER" ]] && break; sleep 0.05; done
}
print() { "$cli" print --year 2027 --to 2 --dpi 100 --deadline 3 "$@" >"$tmp/out" 2>"$tmp/err"; }
# Every job created was either taken (its document answered) or cancelled.
no_job_left() {
  local created cancelled
  created=$(grep -c '^create-job [1-9]' "$tmp/log")
  cancelled=$(grep -c '^cancel-job' "$tmp/log")
  test "$created" = "$(( $(grep -c . "$tmp/out") + cancelled ))"
}
no_temporary() { test -z "$(ls -A "$TMPDIR")"; }

start ok
print
check "a scheduler that takes the jobs: exit 0" test $? = 0
check "two jobs named on stdout: $(cat "$tmp/out")" test "$(grep -c '^fake-[12]	2027-0[12]-1-calendar.pdf$' "$tmp/out")" = 2
# The user's default printer (LPDEST, then lpoptions) comes before the scheduler's.
: >"$tmp/log"
LPDEST=chosen print
check "LPDEST names the queue: $(cat "$tmp/out")" test "$(grep -c '^chosen-' "$tmp/out")" = 2
mkdir -p "$HOME/.cups" && echo "Default mine/draft" >"$HOME/.cups/lpoptions"
print
check "lpoptions names the queue: $(cat "$tmp/out")" test "$(grep -c '^mine-' "$tmp/out")" = 2
check "the scheduler's default is not asked: $(tr '\n' ' ' <"$tmp/log")" test "$(grep -c '^get-default' "$tmp/log")" = 0
rm "$HOME/.cups/lpoptions"

# The pages cannot be drawn: said as print's, no job, nothing left.
: >"$tmp/log"
KALVORIN_HOME="$tmp/nowhere" print
check "no host folder: exit 1" test $? = 1
check "no host folder: print's message" grep -q '^qelmarin-cli print: .*nowhere' "$tmp/err"
check "no host folder: no job" test "$(grep -c '^create-job' "$tmp/log")" = 0
check "no host folder: no temporary folder left" no_temporary

# What went wrong, for each misbehaviour: the message, exit 1, no job left, nothing on stdout.
while IFS='|' read -r mode said; do
  start "$mode"
  print
  status=$?
  check "$mode: exit 1 (status $status)" test "$status" = 1
  check "$mode: the reason '$said'" grep -q "^qelmarin-cli print: cannot print: .*$said" "$tmp/err"
  check "$mode: no job reported" test ! -s "$tmp/out"
  check "$mode: every job created is cancelled: $(tr '\n' ' ' <"$tmp/log")" no_job_left
  check "$mode: no temporary folder left" no_temporary
done <<'CASES'
create-silent|took no job: the print scheduler at .* did not answer within 3 s
send-silent|did not reach fake: the print scheduler at .* did not answer within 3 s
send-trickle|did not reach fake: the print scheduler at .* did not answer within 3 s
send-refused|did not reach fake: client-error-document-format-not-supported, no such format here
send-closed|did not reach fake: the print scheduler at .* closed the connection
job-zero|took no job: the scheduler named no job
create-refused|took no job: client-error-not-possible, the queue is stopped
garbage|the print scheduler at .* gave an answer that is not HTTP
garbage-ipp|the print scheduler at .* gave an answer that is not IPP
header-closed|the print scheduler at .* closed the connection
CASES

# A signal while the scheduler holds the document, or at any moment of a longer run: the
# command ends by that signal, the job is cancelled, no temporary folder remains.
for signal in TERM INT HUP; do
  start send-silent
  "$cli" print --year 2027 --to 2 --dpi 100 --deadline 600 >"$tmp/out" 2>"$tmp/err" &
  job=$!
  for _ in $(seq 400); do grep -q '^send-document' "$tmp/log" && break; sleep 0.05; done
  kill -"$signal" "$job"
  wait "$job" 2>/dev/null
  status=$?
  check "SIG$signal: ended by the signal (status $status)" test "$status" -gt 128
  check "SIG$signal: the job is cancelled: $(tr '\n' ' ' <"$tmp/log")" grep -q '^cancel-job 1$' "$tmp/log"
  check "SIG$signal: no temporary folder left" no_temporary
done
start ok
for delay in 0.1 0.3 0.6 1 1.5; do
  "$cli" print --year 2027 --to 12 --format 3 --deadline 600 >"$tmp/out" 2>"$tmp/err" &
  job=$!
  sleep "$delay"
  kill -TERM "$job" 2>/dev/null
  wait "$job" 2>/dev/null
  check "SIGTERM after ${delay}s: no temporary folder left" no_temporary
done
check "SIGTERM at any moment: every job created is taken or cancelled: $(tr '\n' ' ' <"$tmp/log")" \
  test "$(grep -c '^create-job [1-9]' "$tmp/log")" -le "$(( $(grep -c '^send-document' "$tmp/log") + $(grep -c '^cancel-job' "$tmp/log") ))"

"$cli" print --deadline 0 >"$tmp/out" 2>"$tmp/err"
check "--deadline 0 is a usage error" test $? = 2
finish
