#!/usr/bin/env bash
# The built program in a real X window under Xvfb.
#   smoke: the window opens with its exact title, 517 pixels wide, centred on the screen.
#   use:   type a start number, click "Start", copy the table out, click "Ende", exit status 0.
set -euo pipefail
program=$1
mode=$2

# An X server of its own, without a window manager (tools/xsession.sh).
[ -n "${TRIPART_XSESSION:-}" ] || exec "$(dirname "$0")/../../tools/xsession.sh" --screen 1024x768 --bare "$0" "$@"

work=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

export XDG_RUNTIME_DIR="$work"
unset QT_QPA_PLATFORM

"$program" >"$work/out" 2>&1 &
app=$!

title="Dreiecke mit dem Umfang n und ganzzahligen Seitenlängen"
window=$(xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1)
[ -n "$window" ] || fail "no window"
[ "$(xdotool getwindowname "$window")" = "$title" ] || fail "title is '$(xdotool getwindowname "$window")'"

eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 517 ] || fail "width $WIDTH"
# 1024 × 768 screen, no window manager: the window itself is centred.
[ $(( (1024 - WIDTH) / 2 - X )) -ge -1 ] && [ $(( (1024 - WIDTH) / 2 - X )) -le 1 ] || fail "x $X for width $WIDTH"
[ $(( (768 - HEIGHT) / 2 - Y )) -ge -1 ] && [ $(( (768 - HEIGHT) / 2 - Y )) -le 1 ] || fail "y $Y for height $HEIGHT"
menu=$((HEIGHT - 539)) # the client area lies below the menu bar

if [ "$mode" = smoke ]; then
  echo "window $WIDTH x $HEIGHT at $X,$Y"
  exit 0
fi

click() { xdotool mousemove --sync $((X + $1)) $((Y + menu + $2)) click 1; sleep 0.2; }

# Start box (208, 12, 61 × 29): replace "3" by 5.
click 240 26
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 20 "5"
click 140 90 # Start
sleep 1
# Table (Text1): select all, copy.
click 400 200
xdotool key --clearmodifiers ctrl+a ctrl+c
sleep 0.3
xclip -o -selection clipboard | tr -d '\r' >"$work/table"
cat "$work/table"
[ "$(head -n1 "$work/table")" = "  n  ges aab aaa* ent" ] || fail "header"
grep -qx "  5:   1   1   0" "$work/table" || fail "row for 5"
grep -qx " 12:   3   1   1" "$work/table" || fail "row for 12"
grep -q "^ 14:   4" "$work/table" || fail "row for 14"
[ "$(grep -c ':' "$work/table")" = 10 ] || fail "ten rows"

click 398 336 # Ende
for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then fail "still running after Ende"; fi
status=0
wait "$app" || status=$?
app=
[ "$status" = 0 ] || fail "exit status $status"
[ ! -s "$work/out" ] || { cat "$work/out"; fail "the program printed something"; }
echo "ended with status 0"
