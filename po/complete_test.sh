#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Each catalogue: msgfmt --check passes, every message is translated and none is fuzzy, and
# it translates every message of the template (msgcmp).
#   complete_test.sh PO_DIR
set -uo pipefail
dir="$1"
failed=0
for po in "$dir"/*.po; do
  if ! stats="$(msgfmt --check --statistics -o /dev/null "$po" 2>&1)"; then
    echo "FAIL: msgfmt --check $po: $stats"
    failed=1
    continue
  fi
  echo "$(basename "$po"): $stats"
  if [[ "$stats" == *untranslated* || "$stats" == *fuzzy* || "$stats" == *warning* ]]; then
    echo "FAIL: $(basename "$po") is not wholly translated"
    failed=1
  fi
  if ! msgcmp "$po" "$dir/qelmarin.pot"; then
    echo "FAIL: $(basename "$po") lacks messages of the template (run po/update, then translate)"
    failed=1
  fi
done
exit "$failed"
