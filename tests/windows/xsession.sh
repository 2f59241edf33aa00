#!/usr/bin/env bash
# Runs a command in a fresh X server (Xvfb, 1600 × 1200, large enough for the window at
# 200 %) with a window manager (without one, Wine's windows never get the keyboard focus) and
# one Wine server for the prefix WINEPREFIX, which stays up until the command ends: a server
# per program, starting while the last one shuts down, drops the connection now and then.
#   xsession.sh COMMAND [ARGUMENT...]
set -euo pipefail
work=$(mktemp -d)
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
wm=$!
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -p
"${WINE:-wine}" cmd /c exit >/dev/null 2>&1 </dev/null
"$@"
