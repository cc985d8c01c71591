#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a session bus of its own, with a runtime folder of its own: the
# accessibility bus that the session starts puts its socket there. Without one it goes to
# ~/.cache/at-spi/bus, where a second session at the same time (another test, another
# checkout's tests) takes it over and the first session's programs lose their bus.
#   private_session.sh COMMAND [ARG...]
set -eu
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR="$runtime" dbus-run-session -- "$@"
