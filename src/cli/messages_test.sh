#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command lines' messages in the user's language: Japanese under ja_JP.UTF-8 (from
# LC_ALL, LC_MESSAGES or LANG), English under C and under any other locale; and what the
# programs print or draw (the almanac's own texts, the pages) the same in every locale.
#   messages_test.sh QELMARIN_CLI KALVORIN_HOST LOCALEDIR
# ja_JP.UTF-8 is the system's when it has been generated, else it is made here with
# localedef into a private folder (LOCPATH), so the test needs no root.
set -uo pipefail
cli="$(realpath "$1")"
host="$(realpath "$2")"
QELMARIN_LOCALEDIR="$(realpath -m "$3")"
export QELMARIN_LOCALEDIR
source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1
unset LANGUAGE LC_MESSAGES LANG LC_ALL

ja=ja_JP.UTF-8
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  mkdir -p "$tmp/locales"
  if ! localedef -i ja_JP -f UTF-8 "$tmp/locales/$ja" 2>"$tmp/localedef.log"; then
    cat "$tmp/localedef.log"
    echo "FAIL: cannot make the ja_JP.UTF-8 locale (Debian: locales)"
    exit 1
  fi
  export LOCPATH="$tmp/locales"
fi

# run LOCALE-ASSIGNMENT STATUS PROGRAM ARGS...: the output in $tmp/out, $tmp/err.
run() {
  local assignment="$1" status="$2"
  shift 2
  env "$assignment" "$@" >"$tmp/out" 2>"$tmp/err"
  local got=$?
  if [[ "$got" != "$status" ]]; then
    fail "$assignment $*: exit $got, not $status"
    cat "$tmp/err" >&2
    return 1
  fi
}
# has FILE TEXT WHAT: the file holds the text (fixed, not a pattern).
has() {
  if grep -qF -- "$2" "$tmp/$1"; then pass; else
    fail "$3: no '$2' in"
    cat "$tmp/$1" >&2
  fi
}

# Usage errors, --help and the host folder's hint, in both languages.
run LC_ALL=C 2 "$cli" day 2024-13-01 &&
  has err "qelmarin-cli day: not a date (YYYY-MM-DD): '2024-13-01'" "C: the error" &&
  has err "usage: qelmarin-cli day [OPTION]... [FROM [TO]]" "C: the usage line" &&
  has err "Try 'qelmarin-cli day --help' for more information." "C: the pointer to --help"
run LC_ALL=$ja 2 "$cli" day 2024-13-01 &&
  has err "qelmarin-cli day: 日付（YYYY-MM-DD）ではありません: '2024-13-01'" "ja: the error" &&
  has err "使い方: qelmarin-cli day [オプション]... [FROM [TO]]" "ja: the usage line" &&
  has err "詳しくは 'qelmarin-cli day --help' を実行してください。" "ja: the pointer to --help"
run LC_ALL=C 0 "$cli" render --help && has out "the paper turned sideways" "C: render --help" &&
  has out "show this help and exit" "C: --help's own line"
run LC_ALL=$ja 0 "$cli" render --help && has out "用紙を横向きにします" "ja: render --help" &&
  has out "このヘルプを表示して終了します" "ja: --help's own line" &&
  has out "オプション:" "ja: the options' heading"
run LC_ALL=$ja 0 "$cli" --help && has out "ディスプレイなしで日本の暦のページ" "ja: the commands' summary"
# The language comes from LANG and LC_MESSAGES as well; LC_ALL=C wins over LANG.
run LANG=$ja 2 "$cli" frob && has err "不明なコマンド 'frob'" "ja from LANG"
run LC_MESSAGES=$ja 2 "$cli" frob && has err "不明なコマンド 'frob'" "ja from LC_MESSAGES"
env LANG=$ja LC_ALL=C "$cli" frob 2>"$tmp/err"
has err "unknown command 'frob'" "LC_ALL=C over LANG"
# A locale without a catalogue (or one the system lacks) reads English.
run LC_ALL=C.UTF-8 2 "$cli" frob && has err "unknown command 'frob'" "C.UTF-8"
run LC_ALL=fr_FR.UTF-8 2 "$cli" frob && has err "unknown command 'frob'" "a locale without a catalogue"
# Reordered arguments (%1$s ...) in a translation.
run LC_ALL=$ja 2 "$host" events 1900 && has err "YEAR には 1901 から 2100 までの整数が必要です（'1900' ではなく）" \
  "ja: kalvorin-host's reordered message"
run LC_ALL=C 2 "$host" init "$tmp/never" && has err "--eto N is required" "C: kalvorin-host init"
run LC_ALL=$ja 2 "$host" init "$tmp/never" && has err "--eto N が必要です" "ja: kalvorin-host init"
run LC_ALL=$ja 0 "$host" --help && has out "ホストアプリケーション Kalvorin の代わりをします" "ja: kalvorin-host --help"
env -u KALVORIN_HOME XDG_DATA_HOME="$tmp/nowhere" LC_ALL=$ja "$cli" day 2024-01-01 >/dev/null 2>"$tmp/err"
has err "ホストフォルダがありません: \`kalvorin-host init --eto N\` で" "ja: the host folder's hint"
has err "ユーザーのデータフォルダ" "ja: where the host folder was looked for"
env -u KALVORIN_HOME XDG_DATA_HOME="$tmp/nowhere" LC_ALL=C "$cli" day 2024-01-01 >/dev/null 2>"$tmp/err"
has err "no host folder: make one where the programs look with" "C: the host folder's hint"

# Run from the build tree without QELMARIN_LOCALEDIR, the programs find their catalogue
# where they look for it beside themselves.
env -u QELMARIN_LOCALEDIR LC_ALL=$ja "$cli" frob 2>"$tmp/err"
has err "不明なコマンド 'frob'" "ja: the catalogue found from the program's own folder"
env -u QELMARIN_LOCALEDIR LC_ALL=$ja "$host" frob 2>"$tmp/err"
has err "不明なコマンド 'frob'" "ja: kalvorin-host finds it too"

# Every command's --help, in both languages, fits 80 columns (a wide character takes two)
# and continues each option's description under its first column (24).
for lc in C $ja; do
  for words in "$cli" "$cli day" "$cli render" "$cli cmp" "$cli ics" "$cli month" "$cli print" \
    "$host" "$host dayfile" "$host events" "$host holidays" "$host init"; do
    env LC_ALL=$lc $words --help >"$tmp/out" 2>&1
    widest="$(LC_ALL=C.UTF-8 wc -L <"$tmp/out")"
    if [[ "$widest" -le 80 ]]; then pass; else fail "$lc: ${words##*/} --help is $widest columns wide"; fi
    if awk '/^(options|オプション):$/ { on = 1; next } on && /^$/ { on = 0 }
            on && !/^  -/ && !/^                        [^ ]/ { bad = 1; print }
            END { exit bad }' "$tmp/out" >"$tmp/bad"; then pass; else
      fail "$lc: ${words##*/} --help has lines not under their description: $(head -3 "$tmp/bad")"
    fi
  done
done

# What the programs make reads and draws the same in every locale: the host folder, the
# notes of days (the almanac's own Japanese words), the month grid with its fixed legend,
# the iCalendar file, a drawing trace and a PDF of a page.
for lc in C $ja; do
  d="$tmp/$lc"
  mkdir -p "$d"
  env LC_ALL=$lc "$host" init "$d/home" --eto 7 >/dev/null 2>&1 || fail "$lc: kalvorin-host init"
  env LC_ALL=$lc TZ=Asia/Tokyo "$cli" day --home "$d/home" --header 2024-05-01 2024-05-07 >"$d/day.txt" 2>&1
  env LC_ALL=$lc TZ=Asia/Tokyo "$cli" month --home "$d/home" --width 80 --color never 2024-05 >"$d/month.txt" 2>&1
  env LC_ALL=$lc TZ=Asia/Tokyo "$cli" ics --home "$d/home" --from 2024-05-01 --to 2024-05-31 --notes all \
    >"$d/ics.txt" 2>&1
  for format in 1 3; do
    env LC_ALL=$lc TZ=Asia/Tokyo "$cli" render --home "$d/home" --format $format --year 2024 --from 5 --trace \
      --days 1-2 --out "$d/pages" >/dev/null 2>"$d/render.err" || fail "$lc: render --trace format $format"
  done
  env LC_ALL=$lc TZ=Asia/Tokyo "$cli" render --home "$d/home" --format 2 --year 2024 --from 5 --out "$d/pages" \
    >/dev/null 2>>"$d/render.err" || fail "$lc: render format 2"
done
# The folders' own paths (DIR=) differ, and the iCalendar files' time stamps.
cmp -s <(grep -av '^DIR=' "$tmp/C/home/Kalvorin.CFG") <(grep -av '^DIR=' "$tmp/$ja/home/Kalvorin.CFG") && pass ||
  fail "Kalvorin.CFG differs between locales"
sed -i '/^DTSTAMP:/d' "$tmp/C/ics.txt" "$tmp/$ja/ics.txt"
cmp -s "$tmp/C/home/UNSEI.DAT" "$tmp/$ja/home/UNSEI.DAT" && pass || fail "UNSEI.DAT differs between locales"
for f in day.txt month.txt ics.txt; do
  if cmp -s "$tmp/C/$f" "$tmp/$ja/$f"; then pass; else
    fail "$f differs between C and $ja"
    diff "$tmp/C/$f" "$tmp/$ja/$f" | head -20
  fi
done
grep -q '大安\|仏滅\|先勝\|友引\|先負\|赤口' "$tmp/C/day.txt" && pass || fail "the day notes lack their Japanese words under C"
pages=0
for page in "$tmp/C/pages"/*; do
  name="$(basename "$page")"
  pages=$((pages + 1))
  # The PDFs' creation date, and the file identifier drawn from the bytes that hold it, are
  # what may differ from run to run.
  if [[ "$name" == *.pdf ]]; then
    strip() { grep -av '/CreationDate\|/ID \[' "$1"; }
    if cmp -s <(strip "$page") <(strip "$tmp/$ja/pages/$name"); then pass; else fail "$name differs between locales"; fi
  elif cmp -s "$page" "$tmp/$ja/pages/$name"; then pass; else
    fail "$name differs between locales"
  fi
done
[[ "$pages" -ge 3 ]] && pass || fail "the runs drew $pages files, not 3"

# The messages of the layers below the command lines: the --set checks of the settings, the
# paper names, the files' reasons (with the system's own reason in the same language, never
# as question marks) and the day file's damage.
home="$tmp/C/home"
# run_err LOCALE PROGRAM ARGS...: only what was said on stderr, whatever the exit status.
run_err() {
  local lc="$1"
  shift
  env LC_ALL="$lc" "$@" >/dev/null 2>"$tmp/err"
}
run_err C "$cli" render --home "$home" --out "$tmp/x" --set FOO
has err "--set 'FOO' is not SECTION.KEY=VALUE" "C: --set without a key"
run_err $ja "$cli" render --home "$home" --out "$tmp/x" --set FOO
has err "--set 'FOO' は SECTION.KEY=VALUE の形ではありません" "ja: --set without a key"
run_err C "$cli" render --home "$home" --out "$tmp/x" --set 'print 3.underbitmap=maybe'
has err "--set 'print 3.underbitmap=maybe': PRINT 3.UnderBitmap needs 1 or 0 (on or off)" "C: --set's bad value"
run_err $ja "$cli" render --home "$home" --out "$tmp/x" --set 'print 3.underbitmap=maybe'
has err "PRINT 3.UnderBitmap には 1 か 0（on か off）が必要です" "ja: --set's bad value"
run_err $ja "$cli" render --home "$home" --out "$tmp/x" --set UNSEI.ETO=1
has err "UNSEI.ETO は印刷の設定ではありません" "ja: --set of a host setting"
env LC_ALL=C "$cli" render --help >"$tmp/out" 2>&1
has out "the Japanese postcard" "C: the papers' remarks"
env LC_ALL=$ja "$cli" render --help >"$tmp/out" 2>&1
has out "日本の郵便はがき" "ja: the papers' remarks"
has out "8.5 x 11 インチ、libpaper: letter," "ja: a paper's remark and its libpaper names"
run_err C env PAPERSIZE=frob "$cli" render --home "$home"
has err "PAPERSIZE names the paper 'frob', which is not one of" "C: an unknown PAPERSIZE"
run_err $ja env PAPERSIZE=frob "$cli" render --home "$home"
has err "PAPERSIZE が用紙 'frob' を指定していますが" "ja: an unknown PAPERSIZE"
run_err C "$cli" ics --home "$home" --out "$tmp/no/such/folder/x.ics"
has err "cannot create $tmp/no/such/folder/" "C: a file that cannot be made" &&
  has err ": No such file or directory" "C: the system's reason"
run_err $ja "$cli" ics --home "$home" --out "$tmp/no/such/folder/x.ics"
has err "を作れません: " "ja: a file that cannot be made"
if grep -q '??' "$tmp/err"; then fail "ja: the system's reason as question marks: $(cat "$tmp/err")"; else pass; fi
# A day file cut short.
mkdir -p "$tmp/short"
cp "$home/Kalvorin.CFG" "$tmp/short/"
head -c 15000 "$home/UNSEI.DAT" >"$tmp/short/UNSEI.DAT"
run_err C "$cli" day --home "$tmp/short" 2024-05-01
has err "UNSEI.DAT: file too short: it ends before 2100-12-31" "C: a day file cut short"
run_err $ja "$cli" day --home "$tmp/short" 2024-05-01
has err "UNSEI.DAT: ファイルが短すぎます: 2100-12-31 より前で終わっています" "ja: a day file cut short"

finish
