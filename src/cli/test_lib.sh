# SPDX-License-Identifier: GPL-3.0-or-later
# What the command-line tests (src/cli/*_test.sh) share. Each sources it after its own
# `set` line, by the test's own path, so that it runs from any folder:
#   source "$(dirname "${BASH_SOURCE[0]}")/test_lib.sh" || exit 1
# and then has:
#   $tmp            a fresh temporary folder, the test's working folder, removed when the
#                   test ends (made writable first: some tests take the write permission
#                   away); a test that has more to end first (a server it started) defines
#                   before_cleanup. The test's arguments are made absolute before this.
#   passed, failed  the counts of checks that held and that did not
#   pass            counts a check that held
#   fail MESSAGE    says on stderr what failed and counts it; when fail_shows names a file
#                   (the program's stderr), its lines follow
#   check WHAT TEST...  runs TEST: passes when it succeeds, else fails with WHAT
#   copy_home FROM NAME  copies the host folder $tmp/FROM to $tmp/NAME, its Kalvorin.CFG
#                   pointing at the copy, so that the copy's pictures and database are its own
#   finish          prints the counts; its status is the test's: 0 when nothing failed

tmp="$(mktemp -d)" || exit 1
before_cleanup() { :; }
trap 'before_cleanup; chmod -R u+w "$tmp" 2>/dev/null; rm -rf "$tmp"' EXIT
cd "$tmp" || exit 1

passed=0
failed=0
fail_shows=""
pass() { passed=$((passed + 1)); }
fail() {
  echo "FAIL: $*" >&2
  [[ -n "$fail_shows" ]] && sed 's/^/  stderr: /' "$fail_shows" >&2
  failed=$((failed + 1))
}
check() {
  local what="$1"
  shift
  if "$@"; then pass; else fail "$what"; fi
}

copy_home() {
  cp -a "$tmp/$1" "$tmp/$2"
  sed -i "s#^DIR=.*\r\$#DIR=$tmp/$2\r#" "$tmp/$2/Kalvorin.CFG"
}

finish() {
  echo "$passed passed, $failed failed"
  ((failed == 0))
}
