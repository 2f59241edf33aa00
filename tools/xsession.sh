#!/usr/bin/env bash
# Runs a command in a fresh X server of its own (Xvfb), by default with a window manager
# (openbox: without one, Wine's windows never get the keyboard focus) and one Wine server for
# the prefix WINEPREFIX that stays up until the command ends (a server per program, starting
# while the last one shuts down, drops the connection now and then). Everything it started is
# stopped when the command ends, however it ends.
#   xsession.sh [--screen WxH] [--bare] COMMAND [ARGUMENT...]
#     --screen WxH   the screen's size (default 1600x1200: the window fits at 200 %)
#     --bare         the X server alone: no window manager, no Wine server
# The command finds DISPLAY set, and TRIPART_XSESSION=1 (scripts that need a session start
# one through this script unless they run in one).
set -euo pipefail
screen=1600x1200
bare=
while [ $# -gt 0 ]; do
  case $1 in
  --screen) screen=$2; shift 2 ;;
  --bare) bare=1; shift ;;
  *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--screen WxH] [--bare] COMMAND [ARGUMENT...]" >&2; exit 2; }

work=$(mktemp -d)
cleanup() {
  [ -z "$bare" ] && wineserver -k 2>/dev/null || true
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")" TRIPART_XSESSION=1
if [ -z "$bare" ]; then
  openbox >/dev/null 2>&1 &
  wm=$!
  export WINEPREFIX=${WINEPREFIX:-$work/wine}
  mkdir -p "$WINEPREFIX"
  wineserver -k 2>/dev/null || true
  wineserver -p
  "${WINE:-wine}" cmd /c exit >/dev/null 2>&1 </dev/null
fi
"$@"
