#!/bin/bash
# Hot keys of the full-screen saver: Next, Pause, their Active flags, and
# which one wins when two share a key.
. "$(dirname "$0")/saver_lib.sh"

A=$OUT/hk-a.png B=$OUT/hk-b.png C=$OUT/hk-c.png D=$OUT/hk-d.png

# How long one picture takes at the screen's size: the first picture, timed
# by the driver, which reads the screen far more often than captures can.
reset_settings CompletionDelay=d:300
xdotool mousemove 400 300
timeout 120 wine "$TREE/mirovane.scr" /s >/dev/null 2>&1 &
SAVER_PID=$!
r=$(driver settle 15000 1500)
ms=$(sed -n 's/.*draw_ms=\([0-9]*\).*/\1/p' <<<"$r")
[ -n "$ms" ] && [ "$ms" -lt 15000 ]
check hotkeys-picture-completes $? "driver: $r"
[ -n "$ms" ] && echo "draw-time-800x600 $ms ms" | tee -a "$OUT/latency.txt"
stop_saver

# Lit pixels of the first capture that the second one shows otherwise: the
# drawing only ever lights black pixels, so these come from a new picture.
relit() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 "$OUT/hk-d.$$.png"
  convert "$1" -colorspace gray -threshold 0 "$OUT/hk-m.$$.png"
  convert "$OUT/hk-d.$$.png" "$OUT/hk-m.$$.png" -compose multiply -composite -format '%[fx:int(mean*w*h+0.5)]' info:
  rm -f "$OUT/hk-d.$$.png" "$OUT/hk-m.$$.png"
}
litof() { convert "$1" -colorspace gray -threshold 0 -format '%[fx:int(mean*w*h+0.5)]' info:; }

# A picture takes well under a second, and Next or Pause during the pause
# between pictures would wait for it (the change already under way goes on);
# Mandelbrot views iterated a million times draw for many seconds. Some
# views hold no interior and finish fast anyway: start again then.
slow_start() {
  local try
  for try in 1 2 3 4 5 6; do
    reset_settings CompletionDelay=d:300 CurveType=d:1 MinIterations=d:999999 NextActive=d:1 NextKey=s:N \
      PausingActive=d:1 PausingKay=s:P
    start_saver /s || return 1
    sleep 1.5; capture "$A"; sleep 0.5; capture "$B"
    [ "$(differ "$A" "$B")" != 0 ] && [ "$(litof "$B")" -gt 2000 ] && return 0
    stop_saver
  done
  return 1
}

if slow_start; then
  xdotool key p; sleep 0.5; capture "$C"; sleep 1; capture "$D"
  n=$(differ "$C" "$D")
  [ "$n" = 0 ] && alive
  check hotkeys-pause-holds-drawing $? "$n pixels changed while paused"
  xdotool key p; sleep 1; capture "$A"
  n=$(differ "$D" "$A")
  [ "${n:-0}" -gt 0 ]
  check hotkeys-second-pause-releases $? "nothing changed after the second press"
  capture "$B"; before=$(litof "$B")
  xdotool key n; sleep 1; capture "$C"
  n=$(relit "$B" "$C")
  [ "$n" -gt $(( before / 2 )) ] && alive
  check hotkeys-next-switches-at-once $? "$n of $before lit pixels changed within a second of Next"
  xdotool key p; sleep 0.5
  ends_saver hotkeys-close-while-paused xdotool key a
else
  fail hotkeys-start "no slowly drawn picture in six starts"
fi

for case in "inactive NextActive=d:0 NextKey=s:N" "empty NextActive=d:1 NextKey=s:" \
            "two-characters NextActive=d:1 NextKey=s:NN"; do
  set -- $case
  name=$1; shift
  reset_settings "$@"
  if start_saver /s; then ends_saver "hotkeys-$name-key-ends" xdotool key n
  else fail "hotkeys-$name-key-ends" "no saver window"; fi
done

# Without a pause between pictures the screen never rests unless held.
# One key for all three: the screenshot wins and the show goes on.
shots=$OUT/hk-shots; rm -rf "$shots"; mkdir -p "$shots"
reset_settings CompletionDelay=d:0 PrintingActive=d:1 PrintingKey=s:N PausingActive=d:1 \
  PausingKay=s:N NextActive=d:1 NextKey=s:N "FileLocation=s:$(winepath -w "$shots")"
if start_saver /s; then
  sleep 0.3; xdotool key n; sleep 1
  capture "$A"; sleep 0.5; capture "$B"
  [ -f "$shots/Wexly Fractals 00001.bmp" ] && alive && [ "$(differ "$A" "$B")" != 0 ]
  check hotkeys-shared-key-screenshot-wins $? "files: $(ls "$shots" | tr '\n' ' '), alive: $(alive && echo yes)"
  stop_saver
else fail hotkeys-shared-key-screenshot-wins "no saver window"; fi

# Pause and Next on one key: pause wins, so the drawing holds.
reset_settings CompletionDelay=d:0 PausingActive=d:1 PausingKay=s:M NextActive=d:1 NextKey=s:M
if start_saver /s; then
  sleep 0.5; xdotool key m; sleep 0.5
  capture "$A"; sleep 1; capture "$B"
  n=$(differ "$A" "$B")
  [ "$n" = 0 ] && alive
  check hotkeys-shared-key-pause-beats-next $? "$n pixels changed after the shared key"
  stop_saver
else fail hotkeys-shared-key-pause-beats-next "no saver window"; fi
exit $failed
