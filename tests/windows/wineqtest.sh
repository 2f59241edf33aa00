#!/usr/bin/env bash
# Runs a Qt Test program under Wine and shows what it reports: once the Windows platform is up,
# a test's standard output does not reach the terminal under Wine, so the report goes through
# a file. With --dpi the display is at that density (Wine's LogPixels, as Windows' display
# scaling sets it: 120 is 125 %, 144 is 150 %), and 96 again after.
#   wineqtest.sh [--dpi DPI] PROGRAM [ARGUMENT...]
set -euo pipefail
wine=${WINE:-wine}
dpi=
if [ "${1:-}" = --dpi ]; then
  dpi=$2
  shift 2
fi
program=$1
shift
set_dpi() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
report=$(mktemp --suffix=.txt)
cleanup() {
  [ -z "$dpi" ] || set_dpi 96
  rm -f "$report"
}
trap cleanup EXIT
[ -z "$dpi" ] || set_dpi "$dpi"
status=0
"$wine" "$program" -o "Z:${report//\//\\},txt" "$@" || status=$?
cat "$report"
exit "$status"
