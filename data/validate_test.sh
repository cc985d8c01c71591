#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the shipped metadata with the validators a distribution uses: the man pages with
# mandoc and man, the desktop entry with desktop-file-validate, the AppStream metainfo with
# appstreamcli, and the icon with rsvg-convert.
#   validate_test.sh DATA_DIR APP_ID COMPONENT_ID
set -uo pipefail
data="$1"
id="$2"
component="$3"
metainfo="$data/$component.metainfo.xml"
failed=0
fail() {
  echo "FAIL: $*" >&2
  failed=1
}

for page in "$data"/man/*.1; do
  out="$(mandoc -T lint -W warning "$page" 2>&1)" || fail "mandoc: $out"
  [[ -z "$out" ]] || fail "mandoc: $out"
  out="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
  [[ -z "$out" ]] || fail "man --warnings $page: $out"
done
# The Japanese pages: one for every English page, and lint-free (man itself reads the built
# pages, with their break points, in the package test's lintian run).
for page in "$data"/man/*.1; do
  [[ -f "$data/man/ja/$(basename "$page")" ]] || fail "no Japanese page beside $(basename "$page")"
done
for page in "$data"/man/ja/*.1; do
  out="$(mandoc -T lint -W warning "$page" 2>&1)" || fail "mandoc: $out"
  [[ -z "$out" ]] || fail "mandoc: $out"
done
# Each Japanese page translates the whole English page: the same sections, commands and
# tagged paragraphs, every option, every upper-case name (environment variables, files,
# keys) and the same example command lines.
headings() { grep -c '^\.SH' "$1"; grep '^\.SS' "$1"; grep -c '^\.T[PQ]' "$1"; }
options() { grep -o '\\-\\-[a-z][a-z-]*' "$1" | sort -u; }
# Upper-case words but the English section names, which the text also cites ("see ENVIRONMENT").
names() {
  grep -v '^\.\(SH\|\\"\)' "$1" | grep -oE '\b[A-Z][A-Z0-9_]{2,}\b' | sort -u |
    grep -vxF -f <(grep '^\.SH' "$page" | grep -oE '[A-Z]+')
}
examples() { sed -n '/^\.EX/,/^\.EE/p' "$1" | grep -E '^(qelmarin|kalvorin)'; }
for page in "$data"/man/*.1; do
  ja="$data/man/ja/$(basename "$page")"
  [[ -f "$ja" ]] || continue
  for part in headings options names examples; do
    out="$(diff <("$part" "$page") <("$part" "$ja"))" ||
      fail "the Japanese $(basename "$page") differs from the English in its $part: $out"
  done
done

out="$(desktop-file-validate "$data/$id.desktop" 2>&1)" || fail "desktop-file-validate: $out"
[[ -z "$out" ]] || fail "desktop-file-validate: $out"
# Pedantic, and nothing said: no error, warning, remark or hint.
out="$(appstreamcli validate --pedantic --no-net --explain "$metainfo" 2>&1)" || fail "appstreamcli: $out"
if grep -qE '^[EWIP]: ' <<<"$out"; then fail "appstreamcli --pedantic: $out"; fi
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" || fail "the metainfo does not name the licence GPL-3.0-or-later"
grep -q "<id>$component</id>" "$metainfo" || fail "the metainfo's id is not $component"
# Its screenshots are the pictures of docs/, and it describes the program in Japanese too.
shots=0
for url in $(grep -oE '<image[^>]*>[^<]+</image>' "$metainfo" | sed -E 's/<[^>]*>//g'); do
  shots=$((shots + 1))
  [[ -f "$data/../docs/${url##*/}" ]] || fail "the screenshot $url is not a picture of docs/"
done
((shots > 0)) || fail "the metainfo has no screenshots"
grep -q '<p xml:lang="ja">' "$metainfo" || fail "the metainfo has no Japanese description"

# The desktop entry and the metainfo name each other and the icon.
grep -q "^Icon=$id\$" "$data/$id.desktop" || fail "the desktop entry's icon is not $id"
# A dock ties the window (whose class is the application's id) to its launcher.
grep -q "^StartupWMClass=$id\$" "$data/$id.desktop" || fail "the desktop entry's StartupWMClass is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metainfo does not launch $id.desktop"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
rsvg-convert -w 48 -h 48 -o "$tmp/icon.png" "$data/icons/$id.svg" || fail "rsvg-convert cannot draw the icon"

if ((failed)); then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "metadata valid"
