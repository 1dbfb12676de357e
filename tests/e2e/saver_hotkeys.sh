#!/bin/bash
# Hot keys of the full-screen saver: Next, Pause, their Active flags, and
# which one wins when two share a key.
. "$(dirname "$0")/saver_lib.sh"

A=$OUT/hk-a.png B=$OUT/hk-b.png C=$OUT/hk-c.png D=$OUT/hk-d.png

reset_settings CompletionDelay=d:300 NextActive=d:1 NextKey=s:N PausingActive=d:1 PausingKay=s:P
if start_saver /s; then
  if wait_still "$A" 40; then
    pass "hotkeys-picture-completes (within $STILL_MS ms at 800x600)"
    echo "draw-time-800x600 ${STILL_MS} ms" >>"$OUT/latency.txt"
  else fail hotkeys-picture-completes "the screen kept changing for 40 s"; fi
  xdotool key n; sleep 1; capture "$B"
  n=$(differ "$A" "$B")
  [ "${n:-0}" -gt 100000 ] && alive
  check hotkeys-next-switches-at-once $? "$n pixels changed within a second of Next"
  xdotool key p; sleep 0.5; capture "$C"; sleep 1; capture "$D"
  n=$(differ "$C" "$D")
  [ "$n" = 0 ] && alive
  check hotkeys-pause-holds-drawing $? "$n pixels changed while paused"
  xdotool key p; sleep 0.7; capture "$A"
  n=$(differ "$D" "$A")
  [ "${n:-0}" -gt 0 ]
  check hotkeys-second-pause-releases $? "nothing changed after the second press"
  xdotool key p; sleep 0.5
  ends_saver hotkeys-close-while-paused xdotool key a
else
  fail hotkeys-start "no saver window"
fi

for case in "inactive NextActive=d:0 NextKey=s:N" "empty NextActive=d:1 NextKey=s:" \
            "two-characters NextActive=d:1 NextKey=s:NN"; do
  set -- $case
  name=$1; shift
  reset_settings "$@"
  if start_saver /s; then ends_saver "hotkeys-$name-key-ends" xdotool key n
  else fail "hotkeys-$name-key-ends" "no saver window"; fi
done

# One key for all three: the screenshot wins and the show goes on.
shots=$OUT/hk-shots; rm -rf "$shots"; mkdir -p "$shots"
reset_settings CompletionDelay=d:300 PrintingActive=d:1 PrintingKey=s:N PausingActive=d:1 \
  PausingKay=s:N NextActive=d:1 NextKey=s:N "FileLocation=s:$(winepath -w "$shots")"
if start_saver /s; then
  sleep 0.3; xdotool key n; sleep 1
  capture "$A"; sleep 0.5; capture "$B"
  [ -f "$shots/Wexly Fractals 00001.bmp" ] && alive && [ "$(differ "$A" "$B")" != 0 ]
  check hotkeys-shared-key-screenshot-wins $? "files: $(ls "$shots" | tr '\n' ' '), alive: $(alive && echo yes)"
  stop_saver
else fail hotkeys-shared-key-screenshot-wins "no saver window"; fi

# Pause and Next on one key: pause wins, so the drawing holds.
reset_settings CompletionDelay=d:300 PausingActive=d:1 PausingKay=s:M NextActive=d:1 NextKey=s:M
if start_saver /s; then
  sleep 0.5; xdotool key m; sleep 0.5
  capture "$A"; sleep 1; capture "$B"
  n=$(differ "$A" "$B")
  [ "$n" = 0 ] && alive
  check hotkeys-shared-key-pause-beats-next $? "$n pixels changed after the shared key"
  stop_saver
else fail hotkeys-shared-key-pause-beats-next "no saver window"; fi
exit $failed
