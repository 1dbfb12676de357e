#!/bin/bash
# The full-screen saver with a drawing time under Wine: the picture grows
# over the drawing time instead of at once, while a key still ends the saver
# and Next still switches at once.
# e2e: each Windows tree
. "$(dirname "$0")/lib/saver.sh"

FULL=$((800 * 600))
# Mandelbrot views iterated briefly, which compute in a fraction of the
# drawing time, in Rainbow, which has no black: every pixel of a finished
# picture is lit. The long delay keeps the first picture on the screen.
PACED=(CompletionDelay=d:300 CurveType=d:1 MaxIterations=d:300 ColourScheme=d:1 DrawingTime=d:4)

# Wine copies what the drawing thread drew to the screen every 50 ms or so
# while the window's thread looks at its messages; after the last pixels of
# a picture the saver is idle, and up to the last 50 ms of drawing (1.25 %
# at 4 s) may stay held back. So "fully lit" is 98 % of the screen here.
ALMOST=$((FULL * 98 / 100))
full() { [ "$(lit)" -ge "$ALMOST" ]; }

# About 1 s after the first pixels the picture is partly drawn, and by 6 s
# it is complete (an unpaced one takes a few tens of milliseconds).
reset_settings "${PACED[@]}"
must_start drawing-time-starts /s
wait_lit 1 15 >/dev/null || abort drawing-time-starts "nothing drawn within $(scaled 15) s"
t0=$(now_ms)
sleep 1
early=$(lit)
[ "${early:-0}" -gt 0 ] && [ "${early:-0}" -lt "$ALMOST" ]
check drawing-time-partly-lit-after-1-s $? "$early of $FULL pixels lit about 1 s after the first"
poll 6 full
check drawing-time-fully-lit-by-6-s $? "$(lit) of $FULL pixels lit $(( $(now_ms) - t0 )) ms after the first"
echo "paced-picture-800x600 complete on the screen $(( $(now_ms) - t0 )) ms after its first pixels"
stop_saver

# A key and Next while the picture grows. A drawing time of 30 s keeps it
# growing however slowly the checks come (Next after a finished picture
# waits for the delay, as it always has).
SLOW=("${PACED[@]/DrawingTime=d:4/DrawingTime=d:30}")
reset_settings "${SLOW[@]}"
must_start drawing-time-key-ends /s
wait_lit 1000 5 >/dev/null
n=$(lit)
[ "$n" -lt "$ALMOST" ]
check drawing-time-still-drawing-before-key $? "$n of $FULL lit"
ends_saver drawing-time-key-ends-while-drawing xdotool key a

# Next while the picture grows: the lit pixels of the picture under way go
# at once (Fast Fade) and a new picture grows in their place. The drawing
# only ever lights black pixels, so changed lit pixels come from Next.
A=$OUT/dt-a.png B=$OUT/dt-b.png
relit() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 "$OUT/dt-d.$$.png"
  convert "$1" -colorspace gray -threshold 0 "$OUT/dt-m.$$.png"
  convert "$OUT/dt-d.$$.png" "$OUT/dt-m.$$.png" -compose multiply -composite -format '%[fx:int(mean*w*h+0.5)]' info:
  rm -f "$OUT/dt-d.$$.png" "$OUT/dt-m.$$.png"
}
relit_most() { [ "$(relit "$1" "$2")" -gt $(( $3 / 2 )) ]; }
reset_settings "${SLOW[@]}" NextActive=d:1 NextKey=s:N
must_start drawing-time-next /s
wait_lit 20000 5 >/dev/null
capture "$B"; before=$(litof "$B")
[ "$before" -gt 0 ] && [ "$before" -lt "$ALMOST" ]
check drawing-time-still-drawing-before-next $? "$before of $FULL lit"
t0=$(now_ms)
xdotool key n
poll 2 eval 'capture "$A" && relit_most "$B" "$A" "$before"' && alive
check drawing-time-next-switches-at-once $? "$(relit "$B" "$A") of $before lit pixels changed within $(scaled 2) s of Next"
echo "next-to-new-picture $(( $(now_ms) - t0 )) ms (captures included)"
stop_saver
exit $failed
