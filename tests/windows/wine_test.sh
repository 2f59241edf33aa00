#!/usr/bin/env bash
# The Windows program under Wine in Xvfb, used as a person would: the window opens with its
# exact title and client area; "Start" fills both report boxes with the texts this platform's
# build writes for the same start (read back through the clipboard); "=" on 321057 gives the
# exact count; "Ende" ends it with status 0. Optionally leaves a screenshot of the window.
# TRIPART_WINE_DPI sets the display's density (96 unless told; 144 is Windows' 150 %): the
# client area and every click scale with it.
#   wine_test.sh TRIPART.EXE WINPROBE.EXE REPORTTEXTS [SCREENSHOT.png]
set -euo pipefail
exe=$1
probe=$2
reference=$3
shot=${4:-}

# An X server, a window manager and a Wine server of its own (tools/xsession.sh).
[ -n "${TRIPART_XSESSION:-}" ] || exec "$(dirname "$0")/../../tools/xsession.sh" "$0" "$@"

work=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ "${dpi:-96}" = 96 ] || set_dpi 96
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -z "$shot" ] || import -window root "$shot" 2>/dev/null || true
  exit 1
}

export LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Debian's wine script takes the 32-bit loader whenever wine32 is installed: 64-bit programs are
# started with WINE=/usr/lib/wine/wine64.
wine=${WINE:-wine}

# Windows' display scaling, as Wine keeps it.
dpi=${TRIPART_WINE_DPI:-96}
set_dpi() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
set_dpi "$dpi"
"$wine" "$exe" >"$work/out" 2>&1 &
app=$!

title="Dreiecke mit dem Umfang n und ganzzahligen Seitenlängen"
window=""
for _ in $(seq 600); do
  window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1) && [ -n "$window" ] && break
  kill -0 "$app" 2>/dev/null || fail "the program ended before it showed its window: $(cat "$work/out")"
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled '$title'"

# The client area as Windows reports it: the design's 517 × 539 below the menu bar, times the
# display's scale (± 1 pixel).
scaled() { echo $(((2 * $1 * dpi + 96) / 192)); }
read -r width height X Y < <("$wine" "$probe" "$title" | tr -d '\r') || fail "winprobe found no window"
[ $((width - $(scaled 517))) -ge -1 ] && [ $((width - $(scaled 517))) -le 1 ] || fail "client width $width at $dpi dpi"
menu=$((height - $(scaled 539)))
[ "$menu" -ge "$(scaled 15)" ] && [ "$menu" -le "$(scaled 30)" ] ||
  fail "client height $height at $dpi dpi: no room for $(scaled 539) pixels below a menu bar"
echo "client area $width x $height at $X,$Y (menu bar $menu) at $dpi dpi"

click() { xdotool mousemove --sync $((X + $(scaled "$1"))) $((Y + menu + $(scaled "$2"))) click 1; sleep 0.3; }
# Line breaks as LF, no empty lines at the end.
plain() { tr -d '\r' | sed -e '$a\' | sed -e ':a' -e '/^\n*$/{$d;N;ba' -e '}'; }
# Select all of a box, copy it, and give back what the clipboard holds.
copy() {
  click "$1" "$2"
  xdotool key --clearmodifiers ctrl+a ctrl+c
  sleep 0.5
  xclip -o -selection clipboard 2>/dev/null | plain
}

# Start box (208, 12, 61 × 29): 5, then Start; the texts must be this build's own.
click 240 26
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "5"
click 140 90
sleep 2
"$reference" 5 0 | tr -d '\r' >"$work/expected"
sed -n '1,/^----$/p' "$work/expected" | sed '$d' | plain >"$work/expected-table"
sed -n '/^----$/,$p' "$work/expected" | sed '1d' | plain >"$work/expected-list"
copy 400 200 >"$work/table"
copy 140 230 >"$work/list"
diff "$work/expected-table" "$work/table" >&2 || fail "the table differs from this build's"
diff "$work/expected-list" "$work/list" >&2 || fail "the list differs from this build's"
echo "Start 5: table and list as this build writes them ($(wc -l <"$work/list") list lines)"

# Formula box (Picture2 inner origin 14, 442 on the client area; Text4 at 112, 40): 321057, "=".
click 140 494
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "321057"
click 232 496
result=$(copy 350 494)
[ "$result" = " 2147490075" ] || fail "\"=\" on 321057 gave '$result'"
echo "= on 321057: '$result'"

[ -z "$shot" ] || import -window root "$shot"

click 398 336 # Ende
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "still running after Ende"
status=0
wait "$app" || status=$?
app=
[ "$status" = 0 ] || fail "exit status $status"
echo "ended with status 0"
