#!/bin/bash
# The X11 display mode's own window on two monitors (a nested X server with
# two Xinerama heads): a window and a show of its own on each head, the
# pointer ruled once for both, Next and Pause acting on both, the screenshot
# the primary head's.
. "$(dirname "$0")/lib/checks.sh"
. "$(dirname "$0")/lib/monitors.sh"
BIN=$MIROVANE_NATIVE/mirovane
OUT=$MIROVANE_OUT/linux_monitors
rm -rf "$OUT"; mkdir -p "$OUT"
export XDG_CONFIG_HOME=$OUT/config
INI=$XDG_CONFIG_HOME/Tolvarn/mirovane.ini
[ -x "$BIN" ] || { fail linux-monitors-built "no $BIN"; exit 1; }

SAVER=
leave() { [ -n "$SAVER" ] && kill "$SAVER" 2>/dev/null; stop_xephyr; }
trap leave EXIT
start_xephyr || abort linux-monitors-display "no Xephyr display within $(scaled 10) s"
export DISPLAY=$XEPHYR_DISPLAY

settings() {
  mkdir -p "${INI%/*}"
  printf '[Settings]\n' >"$INI"
  local nv; for nv in "$@"; do printf '%s\n' "$nv" >>"$INI"; done
}
alive() { kill -0 "$SAVER" 2>/dev/null; }
wait_gone() {
  local t0 t; t0=$(now_ms)
  while alive; do
    t=$(( $(now_ms) - t0 )); [ "$t" -gt "$(scaled "$1")" ] && { echo "$t"; return 1; }
    sleep 0.005
  done
  wait "$SAVER" 2>/dev/null
  echo $(( $(now_ms) - t0 ))
}
stop() { if alive; then kill -TERM "$SAVER"; wait_gone 2000 >/dev/null || kill -KILL "$SAVER"; fi; SAVER=; }
# The saver's windows: "ID WxH+X+Y" a line, by geometry.
windows() { xwininfo -root -children 2>/dev/null | awk '/"mirovane"/ {print $1, $(NF-1)}' | sort -k2; }
window_at() { windows | awk -v g="$1" '$2 == g {print $1}'; }
# start_at X Y ARGS...: the saver with the pointer at (X, Y), waited for
# until a window covers each head.
start_at() {
  local x=$1 y=$2; shift 2
  xdotool mousemove "$x" "$y"
  "$BIN" "$@" >"$OUT/run.log" 2>"$OUT/run.err" &
  SAVER=$!
  poll 10 eval '[ -n "$(window_at 800x600+0+0)" ] && [ -n "$(window_at 640x480+800+0)" ]' || return 1
  W1=$(window_at 800x600+0+0) W2=$(window_at 640x480+800+0)
}
cap() { import -silent -window "$1" "$2" 2>/dev/null; }
lit_of() { convert "$1" -colorspace gray -threshold 0 -format '%[fx:int(mean*w*h+0.5)]' info:; }
lit_in() { cap "$1" "$OUT/lit.png" && lit_of "$OUT/lit.png"; }
both_lit() { [ "$(lit_in "$W1")" -ge 5000 ] && [ "$(lit_in "$W2")" -ge 5000 ]; }
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
still() { cap "$1" "$OUT/s1.png"; sleep 0.5; cap "$1" "$OUT/s2.png"; same "$OUT/s1.png" "$OUT/s2.png"; }
moving() { cap "$1" "$OUT/m1.png"; sleep 0.5; cap "$1" "$OUT/m2.png"; ! same "$OUT/m1.png" "$OUT/m2.png"; }
# relit FILE1 FILE2: lit pixels of the first that the second shows otherwise.
relit() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 "$OUT/d.png"
  convert "$1" -colorspace gray -threshold 0 "$OUT/m.png"
  convert "$OUT/d.png" "$OUT/m.png" -compose multiply -composite -format '%[fx:int(mean*w*h+0.5)]' info:
}

SHOTS=$OUT/shots; mkdir -p "$SHOTS"
settings CurveType=1 MaxIterations=300 PausingActive=1 PausingKay=S PrintingActive=1 PrintingKey=P \
  "FileLocation=$SHOTS" SequenceNo=0
start_at 1000 200 -delay 0 || abort linux-monitors-window-each "windows: $(windows | tr '\n' ' ')"
pass "linux-monitors-window-each ($(windows | awk '{print $2}' | tr '\n' ' '))"
poll 8 both_lit
check linux-monitors-both-draw $? "lit: primary $(lit_in "$W1"), second $(lit_in "$W2")"
alive; check linux-monitors-first-report-on-second-kept $? "the saver ended before any input"

xdotool key s
poll 10 still "$W1" && poll 10 still "$W2"
check linux-monitors-pause-holds-both $? "a head kept changing after Pause"
cap "$W1" "$OUT/p1.png"; cap "$W2" "$OUT/p2.png"
sleep "$(scaled 3)"
cap "$W1" "$OUT/q1.png"; cap "$W2" "$OUT/q2.png"
same "$OUT/p1.png" "$OUT/q1.png" && same "$OUT/p2.png" "$OUT/q2.png" && alive
check linux-monitors-pause-keeps-holding $? "a head changed within $(scaled 3) s of being held"
xdotool key s
poll 5 moving "$W1" && poll 5 moving "$W2"
check linux-monitors-second-pause-releases-both $? "a head stayed still after the second Pause"

xdotool key p
poll 5 test -s "$SHOTS/Wexly Fractals 00001.bmp"
size=$(identify -format '%wx%h' "$SHOTS/Wexly Fractals 00001.bmp" 2>/dev/null)
[ "$size" = 800x600 ] && alive
check linux-monitors-screenshot-is-primary $? "screenshot ${size:-missing}"
t0=$(now_ms)
xdotool mousemove_relative 1 0
if ms=$(wait_gone 2000); then
  ms=$(( $(now_ms) - t0 )); pass "linux-monitors-one-pixel-move-on-second-ends (exit after $ms ms)"
  echo "close latency (Linux, two heads): $ms ms"
else fail linux-monitors-one-pixel-move-on-second-ends "still running after $ms ms"; fi
stop

# Next while both heads draw a slow picture (Mandelbrot views iterated a
# million times inside take minutes; those without inside pass at once).
both_slow() {
  cap "$W1" "$OUT/a1.png"; cap "$W2" "$OUT/a2.png"; sleep 1
  cap "$W1" "$OUT/b1.png"; cap "$W2" "$OUT/b2.png"
  [ "$(relit "$OUT/a1.png" "$OUT/b1.png")" = 0 ] && [ "$(relit "$OUT/a2.png" "$OUT/b2.png")" = 0 ] &&
    [ "$(lit_of "$OUT/b1.png")" -gt 1000 ] && [ "$(lit_of "$OUT/b2.png")" -gt 1000 ]
}
switched() {
  cap "$W1" "$OUT/c1.png"; cap "$W2" "$OUT/c2.png"
  [ "$(relit "$OUT/b1.png" "$OUT/c1.png")" -gt $(( $(lit_of "$OUT/b1.png") / 2 )) ] &&
    [ "$(relit "$OUT/b2.png" "$OUT/c2.png")" -gt $(( $(lit_of "$OUT/b2.png") / 2 )) ]
}
settings CurveType=1 MinIterations=999999 BlankingMethod=2 NextActive=1 NextKey=N
start_at 1000 200 -delay 0 || abort linux-monitors-next-start "windows: $(windows | tr '\n' ' ')"
if poll 40 both_slow; then
  xdotool key n
  poll 3 switched && alive
  check linux-monitors-next-switches-both $? "primary $(relit "$OUT/b1.png" "$OUT/c1.png") of $(lit_of "$OUT/b1.png"), second $(relit "$OUT/b2.png" "$OUT/c2.png") of $(lit_of "$OUT/b2.png") lit pixels changed"
else
  fail linux-monitors-next-switches-both "no slow picture on both heads within $(scaled 40) s"
fi
t0=$(now_ms)
xdotool click 1
if ms=$(wait_gone 2000); then pass "linux-monitors-click-on-second-ends (exit after $(( $(now_ms) - t0 )) ms)"
else fail linux-monitors-click-on-second-ends "still running after $ms ms"; fi
stop
exit $failed
