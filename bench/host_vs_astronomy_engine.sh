#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The new moons and 5° solar longitudes of 1901 … 2100 from kalvorin-host and from the
# astronomy-engine npm package, timed side by side, with their largest differences.
#   bench/host_vs_astronomy_engine.sh [BUILD_DIR]     (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
host="$build/src/host/kalvorin-host"
[ -x "$host" ] || { echo "no $host: build the kalvorin-host target first" >&2; exit 1; }

npm install --prefix "$root/bench/astronomy" --no-audit --no-fund --silent
events=$(mktemp)
day_file=$(mktemp)
trap 'rm -f "$events" "$day_file"' EXIT

# CPU seconds (user + system) on both sides: the machine may be shared, and wall time would
# measure the neighbours. GNU time gives the host's; without it, wall time stands in.
# cpu_seconds OUT COMMAND...: runs the command with its output in OUT, prints its seconds.
cpu_seconds() {
    out=$1
    shift
    if [ -x /usr/bin/time ]; then
        times=$(mktemp)
        /usr/bin/time -f "%U %S" -o "$times" "$@" > "$out"
        awk '{ print $1 + $2 }' "$times"
        rm -f "$times"
    else
        start=$(date +%s.%N)
        "$@" > "$out"
        end=$(date +%s.%N)
        awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
    fi
}

# The listing (every instant to the second) and the day file (the dates of the same events,
# and every day of the 200 years from them).
host_seconds=$(cpu_seconds "$events" "$host" events 1901 2100)
dayfile_seconds=$(cpu_seconds /dev/null "$host" dayfile "$day_file")

node "$root/bench/astronomy/compare.js" "$events" "$root/src/host/delta_t.cpp" "$host_seconds" "$dayfile_seconds"
