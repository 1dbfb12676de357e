#!/bin/bash
# Hot keys of the full-screen saver: Next, Pause, their Active flags, and
# which one wins when two share a key.
# e2e: each Windows tree
. "$(dirname "$0")/lib/saver.sh"

A=$OUT/hk-a.png B=$OUT/hk-b.png C=$OUT/hk-c.png
field() { tr ' ' '\n' <<<"$1" | sed -n "s/^$2=//p"; }
# changed_over MS: how many pixels change on the screen within MS.
changed_over() { field "$(driver changes "$1")" changed; }

# How long one picture takes at the screen's size: the first picture, timed
# by the driver, which reads the screen far more often than captures can.
# The driver starts watching with the saver, so it sees the first pixel.
reset_settings CompletionDelay=d:300 "${FAST_PICTURES[@]}"
xdotool mousemove 400 300
timeout "$(scaled 120)" wine "$TREE/mirovane.scr" /s >/dev/null 2>&1 &
SAVER_PID=$!
r=$(driver settle "$(scaled 15000)" 1500)
ms=$(field "$r" draw_ms)
[ "$(field "$r" settled)" = 1 ]
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
relit_most() { [ "$(relit "$1" "$2")" -gt $(( $3 / 2 )) ]; }

# Next and Pause act while a picture is drawn (during the pause after a
# finished picture Next waits for it). A drawing time of ten minutes keeps
# whatever view comes up in the drawing; Fast Fade blanks it at once.
reset_settings CompletionDelay=d:300 DrawingTime=d:600 BlankingMethod=d:2 CurveType=d:1 \
  NextActive=d:1 NextKey=s:N PausingActive=d:1 PausingKay=s:P
must_start hotkeys-start /s
wait_lit 2000 20 >/dev/null || abort hotkeys-start "no picture drawn: $(lit) pixels lit"
xdotool key p
wait_still "$C" 10 && [ "$(changed_over 1000)" = 0 ] && alive
check hotkeys-pause-holds-drawing $? "the screen kept changing while paused"
xdotool key p
wait_change "$C" 5
check hotkeys-second-pause-releases $? "nothing changed after the second press"
capture "$B"; before=$(litof "$B")
xdotool key n
poll 2 eval 'capture "$A" && relit_most "$B" "$A" "$before"' && alive
check hotkeys-next-switches-at-once $? "$(relit "$B" "$A") of $before lit pixels changed within $(scaled 2) s of Next"
xdotool key p
wait_still "$C" 10
ends_saver hotkeys-close-while-paused xdotool key a

for case in "inactive NextActive=d:0 NextKey=s:N" "empty NextActive=d:1 NextKey=s:" \
            "two-characters NextActive=d:1 NextKey=s:NN"; do
  set -- $case
  name=$1; shift
  reset_settings "$@"
  must_start "hotkeys-$name-key-ends" /s
  ends_saver "hotkeys-$name-key-ends" xdotool key n
done

# Without a pause between pictures the screen never rests unless held.
# One key for all three: the screenshot wins and the show goes on.
shots=$OUT/hk-shots; rm -rf "$shots"; mkdir -p "$shots"
reset_settings CompletionDelay=d:0 "${FAST_PICTURES[@]}" PrintingActive=d:1 PrintingKey=s:N PausingActive=d:1 \
  PausingKay=s:N NextActive=d:1 NextKey=s:N "FileLocation=s:$(win_path "$shots")"
must_start hotkeys-shared-key-screenshot-wins /s
wait_lit 1000 8 >/dev/null
xdotool key n
poll 10 test -s "$shots/Wexly Fractals 00001.bmp"
capture "$A"
wait_change "$A" 5 && alive
check hotkeys-shared-key-screenshot-wins $? "files: $(ls "$shots" | tr '\n' ' '), alive: $(alive && echo yes)"
stop_saver

# Pause and Next on one key: pause wins, so the drawing holds.
reset_settings CompletionDelay=d:0 "${FAST_PICTURES[@]}" PausingActive=d:1 PausingKay=s:M NextActive=d:1 NextKey=s:M
must_start hotkeys-shared-key-pause-beats-next /s
wait_lit 1000 8 >/dev/null
xdotool key m
wait_still "$C" 10 && n=$(changed_over 1000) && [ "$n" = 0 ] && alive
check hotkeys-shared-key-pause-beats-next $? "${n:-some} pixels changed after the shared key"
stop_saver
exit $failed
