#!/bin/sh
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
trap 'rm -f "$events"' EXIT

# CPU seconds (user + system) on both sides: the machine may be shared, and wall time would
# measure the neighbours. GNU time gives the host's; without it, wall time stands in.
if [ -x /usr/bin/time ]; then
    times=$(mktemp)
    /usr/bin/time -f "%U %S" -o "$times" "$host" events 1901 2100 > "$events"
    host_seconds=$(awk '{ print $1 + $2 }' "$times")
    rm -f "$times"
else
    start=$(date +%s.%N)
    "$host" events 1901 2100 > "$events"
    end=$(date +%s.%N)
    host_seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
fi

node "$root/bench/astronomy/compare.js" "$events" "$root/src/host/delta_t.cpp" "$host_seconds"
