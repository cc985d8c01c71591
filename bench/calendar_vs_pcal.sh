#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The calendar page benchmark with its peer: installs pcal and ghostscript (ps2pdf) when
# they are missing, builds the benchmark and runs it; the last line compares the two.
#   bench/calendar_vs_pcal.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if ! command -v pcal >/dev/null || ! command -v ps2pdf >/dev/null; then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  $sudo apt-get update -qq
  $sudo apt-get install -y --no-install-recommends pcal ghostscript
fi
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target calendar_bench -j2
"$build/bench/calendar_bench"
