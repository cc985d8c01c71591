#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# qelmarin-cli ics against the host stand-in's almanac and a real calendar client: the counts
# of a year agree with `qelmarin-cli day`; khal imports the file into a calendar of its own
# and lists 立春 on its day; a second file that overlaps the first adds no copies.
#   ics_client_test.sh QELMARIN_CLI KALVORIN_HOST
set -uo pipefail
cli="$(realpath "$1")"
host="$(realpath "$2")"
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" XDG_CACHE_HOME="$tmp/cache"

"$host" init "$tmp/kal" --eto 7 >/dev/null || { echo "FAIL: kalvorin-host init" >&2; exit 1; }

# 2027: 365 六曜 and 24 terms, the same days as `day` gives them.
check "ics of 2027" "$cli" ics --home "$tmp/kal" --from 2027-01-01 --to 2027-12-31 --notes rokuyo,terms --out "$tmp/2027.ics"
check "365 rokuyo events" test "$(grep -c '^CATEGORIES:六曜' "$tmp/2027.ics")" = 365
check "24 term events" test "$(grep -c '^CATEGORIES:二十四節気' "$tmp/2027.ics")" = 24
"$cli" day --home "$tmp/kal" 2027-01-01 2027-12-31 >"$tmp/days"
check "the terms on the days that day names" test \
  "$(awk -F'\t' '$5 != "-" {gsub("-", "", $1); print $1 "-terms@qelmarin"}' "$tmp/days")" = \
  "$(sed -n 's/^UID:\(.*-terms@qelmarin\)\r$/\1/p' "$tmp/2027.ics")"
check "every line ends in CRLF" test "$(grep -vc $'\r$' "$tmp/2027.ics")" = 0
# The default range is this year, to standard output.
"$cli" ics --home "$tmp/kal" >"$tmp/this.ics"
check "this year's calendar on stdout" grep -q "^DTSTART;VALUE=DATE:$(date +%Y)" "$tmp/this.ics"

# khal, in a calendar folder of its own.
if ! command -v khal >/dev/null; then
  echo "khal is not installed (Debian package khal): client checks skipped" >&2
else
  mkdir -p "$tmp/cal"
  cat >"$tmp/khal.conf" <<CONF
[calendars]
[[almanac]]
path = $tmp/cal
[locale]
dateformat = %Y-%m-%d
longdateformat = %Y-%m-%d
datetimeformat = %Y-%m-%d %H:%M
longdatetimeformat = %Y-%m-%d %H:%M
CONF
  khal() { command khal -c "$tmp/khal.conf" "$@"; }
  "$cli" ics --home "$tmp/kal" --from 2027-02-01 --to 2027-02-28 --out "$tmp/feb.ics"
  "$cli" ics --home "$tmp/kal" --from 2027-01-20 --to 2027-02-10 --out "$tmp/overlap.ics"
  check "khal imports the file" khal import --batch -a almanac "$tmp/feb.ics"
  khal list 2027-02-04 2027-02-04 >"$tmp/list" 2>&1
  check "khal lists 立春 on 2027-02-04: $(head -c 300 "$tmp/list")" grep -q "立春" "$tmp/list"
  events=$(ls "$tmp/cal" | wc -l)
  check "one stored event per event of the file" test "$events" = "$(grep -c '^BEGIN:VEVENT' "$tmp/feb.ics")"
  check "khal imports the overlapping file" khal import --batch -a almanac "$tmp/overlap.ics"
  new_days=$(grep '^BEGIN:VEVENT' -A3 "$tmp/overlap.ics" | grep -c '^DTSTART;VALUE=DATE:202701')
  check "the overlap adds only the January events" test "$(ls "$tmp/cal" | wc -l)" = $((events + new_days))
  check "立春 is listed once" test "$(khal list 2027-02-04 2027-02-04 | grep -c '立春')" = 1
fi

finish
